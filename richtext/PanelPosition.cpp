#include "richtext/PanelPosition.h"

#include <array>
#include <charconv>
#include <functional>

#include "common/IniText.h"

namespace quillmere::richtext {
namespace {

// An INI file of a panel's place is small; anything larger is not one.
constexpr std::size_t kIniLimit = 1 << 20;

using Entries = std::array<std::pair<const char*, int>, 5>;

Entries EntriesOf(const SavedPanelPosition& saved) {
  return {{{"Top", saved.bounds.top},
           {"Left", saved.bounds.left},
           {"Height", saved.bounds.height},
           {"Width", saved.bounds.width},
           {"Collaps", saved.collaps ? 1 : 0}}};
}

std::optional<int> Number(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

// The saved position from its values as `read` finds them by name.
std::optional<SavedPanelPosition> Parse(
    const std::function<std::optional<std::string>(const char*)>& read) {
  Entries entries = EntriesOf({});
  for (auto& [name, value] : entries) {
    const auto number = Number(read(name));
    if (!number) return std::nullopt;
    value = *number;
  }
  return SavedPanelPosition{{.left = entries[1].second,
                             .top = entries[0].second,
                             .width = entries[3].second,
                             .height = entries[2].second},
                            entries[4].second != 0};
}

std::string KeyPath(const TPanelPosition& position) {
  return position.Section.empty() ? position.Key : position.Key + "\\" + position.Section;
}

}  // namespace

bool SavePanelPosition(const TPanelPosition& position, const SavedPanelPosition& saved,
                       PositionPorts ports) {
  if (position.Location == clRegistry) {
    const auto key = ports.registry.CreateCurrentUserKey(KeyPath(position));
    if (!key) return false;
    for (const auto& [name, value] : EntriesOf(saved))
      if (!key->WriteValue(name, {kRegistryString, std::to_string(value)})) return false;
    return true;
  }
  // A file that is not there yet starts empty; one that is there but cannot be read
  // is not written over.
  auto read = ports.files.ReadFile(position.Key, kIniLimit);
  if (!read && ports.files.Attributes(position.Key)) return false;
  std::string text = read ? std::move(*read) : std::string();
  for (const auto& [name, value] : EntriesOf(saved))
    text = WithIniValue(text, position.Section, name, std::to_string(value));
  return ports.files.WriteFile(position.Key, text);
}

std::optional<SavedPanelPosition> LoadPanelPosition(const TPanelPosition& position,
                                                    PositionPorts ports) {
  if (position.Location == clRegistry) {
    const auto key = ports.registry.OpenCurrentUserKey(KeyPath(position));
    if (!key) return std::nullopt;
    return Parse([&](const char* name) -> std::optional<std::string> {
      const auto value = key->ReadValue(name);
      if (!value || value->type != kRegistryString) return std::nullopt;
      return value->data;
    });
  }
  const auto text = ports.files.ReadFile(position.Key, kIniLimit);
  if (!text) return std::nullopt;
  return Parse([&](const char* name) { return IniValue(*text, position.Section, name); });
}

}  // namespace quillmere::richtext
