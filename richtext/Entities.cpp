#include "richtext/Entities.h"

#include <array>
#include <utility>

#include "richtext/Markup.h"

namespace quillmere::richtext {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kNamedEntities{{
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "\xC2\xA7"},
    {"&permil;", "\xE2\x80\xB0"},
    {"&reg;", "\xC2\xAE"},
    {"&copy;", "\xC2\xA9"},
    {"&para;", "\xC2\xB6"},
    {"&trade;", "\xE2\x84\xA2"},
    {"&euro;", "\xE2\x82\xAC"},
}};

void ReplaceNamedEntities(std::string& text) {
  for (bool replaced = true; replaced;) {
    replaced = false;
    for (const auto& [entity, character] : kNamedEntities) {
      const std::size_t at = FindNoCase(text, entity);
      if (at == std::string::npos) continue;
      text.replace(at, entity.size(), character);
      replaced = true;
    }
  }
}

void OpenFirstMarker(std::string& text) {
  const std::size_t marker = text.find("<#");
  if (marker == std::string::npos) return;
  text.erase(marker, 1);
  if (const std::size_t close = text.find('>', marker); close != std::string::npos) {
    text.erase(close, 1);
  }
}

std::string WithLineBreaks(std::string_view text) {
  std::string broken;
  broken.reserve(text.size());
  for (const char c : text) {
    if (c == '\r') {
      broken += "<BR>";
    } else if (c != '\n') {
      broken += c;
    }
  }
  return broken;
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  for (std::size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size())) {
    text.replace(at, what.size(), with);
  }
}

}  // namespace

std::string PrepareMarkup(std::string_view text) {
  std::string prepared(text);
  if (prepared.find('&') != std::string::npos) ReplaceNamedEntities(prepared);
  OpenFirstMarker(prepared);
  return WithLineBreaks(prepared);
}

std::string RunText(std::string_view run) {
  std::string text(run);
  ReplaceAll(text, "&nbsp;", " ");
  ReplaceAll(text, "&lt;", "<");
  ReplaceAll(text, "&gt;", ">");
  return text;
}

}  // namespace quillmere::richtext
