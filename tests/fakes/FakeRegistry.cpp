#include "tests/fakes/FakeRegistry.h"

#include <algorithm>
#include <cctype>

namespace quillmere::testing {

class FakeRegistry::OpenKey final : public RegistryKey {
 public:
  OpenKey(FakeRegistry& registry, Key& key, std::string path)
      : registry_(registry), key_(key), path_(std::move(path)) {
    ++registry_.openKeys;
  }
  ~OpenKey() override { --registry_.openKeys; }

  std::optional<RegistryKeyInfo> Info() const override {
    if (registry_.Fails("RegistryKey.Info") || registry_.infoFails) return std::nullopt;
    RegistryKeyInfo info{static_cast<std::uint32_t>(key_.values.size()), 0};
    for (const auto& [name, value] : key_.values) {
      info.longestValueName = std::max(info.longestValueName, std::uint32_t(name.size()));
    }
    return info;
  }

  std::optional<std::string> ValueName(std::uint32_t index,
                                       std::uint32_t bufferLength) const override {
    if (registry_.Fails("RegistryKey.ValueName") || index >= key_.values.size())
      return std::nullopt;
    const std::string& name = key_.values[index].first;
    if (name.size() + 1 > bufferLength) return std::nullopt;
    return name;
  }

  bool DeleteValue(const std::string& name) override {
    if (registry_.Fails("RegistryKey.DeleteValue") || registry_.undeletable.count(name))
      return false;
    const auto found = Find(name);
    if (found == key_.values.end()) return false;
    key_.values.erase(found);
    registry_.deleted.push_back(name);
    registry_.Deleted("value " + path_ + "\\" + name);
    return true;
  }

  std::optional<RegistryValue> ReadValue(const std::string& name) const override {
    if (registry_.Fails("RegistryKey.ReadValue")) return std::nullopt;
    const auto found = const_cast<OpenKey*>(this)->Find(name);
    if (found == key_.values.end()) return std::nullopt;
    return found->second;
  }

  bool WriteValue(const std::string& name, const RegistryValue& value) override {
    if (registry_.Fails("RegistryKey.WriteValue")) return false;
    if (const auto found = Find(name); found != key_.values.end()) {
      found->second = value;
    } else {
      key_.values.emplace_back(name, value);
    }
    return true;
  }

 private:
  std::vector<std::pair<std::string, RegistryValue>>::iterator Find(const std::string& name) {
    return std::find_if(key_.values.begin(), key_.values.end(),
                        [&](const auto& v) { return Lower(v.first) == Lower(name); });
  }

  FakeRegistry& registry_;
  Key& key_;
  std::string path_;
};

std::string FakeRegistry::Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

void FakeRegistry::SetValue(const std::string& path, const std::string& name, RegistryValue value) {
  auto& values = keys_[Lower(path)].values;
  for (auto& [existing, old] : values) {
    if (Lower(existing) == Lower(name)) {
      old = std::move(value);
      return;
    }
  }
  values.emplace_back(name, std::move(value));
}

std::vector<std::string> FakeRegistry::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const auto key = keys_.find(Lower(path)); key != keys_.end()) {
    for (const auto& value : key->second.values) names.push_back(value.first);
  }
  return names;
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenCurrentUserKey(const std::string& path) {
  opened.push_back(path);
  if (Fails("Registry.OpenCurrentUserKey")) return nullptr;
  const auto key = keys_.find(Lower(path));
  if (key == keys_.end() || unopenable.count(Lower(path))) return nullptr;
  return std::make_unique<OpenKey>(*this, key->second, path);
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateCurrentUserKey(const std::string& path) {
  opened.push_back(path);
  if (Fails("Registry.CreateCurrentUserKey") || unopenable.count(Lower(path))) return nullptr;
  return std::make_unique<OpenKey>(*this, keys_[Lower(path)], path);
}

}  // namespace quillmere::testing
