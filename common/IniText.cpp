#include "common/IniText.h"

#include <vector>

#include "common/FuncUnit.h"

namespace quillmere {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) { return LowerCase(a) == LowerCase(b); }

// The lines of the text, without their line feeds.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The section a "[Name]" line opens; nullopt for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return Trimmed(line.substr(1, line.size() - 2));
}

// Whether the line sets `name`; its value when it does.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view name) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || !SameName(Trimmed(line.substr(0, equals)), name))
    return std::nullopt;
  return Trimmed(line.substr(equals + 1));
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view name) {
  bool inSection = false;
  for (const std::string_view line : Lines(text)) {
    if (const auto opened = SectionOf(line)) {
      inSection = SameName(*opened, section);
    } else if (inSection) {
      if (const auto value = ValueOf(line, name)) return std::string(*value);
    }
  }
  return std::nullopt;
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view name,
                         std::string_view value) {
  const std::string entry = std::string(name) + "=" + std::string(value);
  std::vector<std::string> out;
  bool inSection = false;
  bool done = false;
  std::size_t sectionEnd = 0;  // where an entry of the section goes when it has none
  for (const std::string_view line : Lines(text)) {
    if (const auto opened = SectionOf(line)) {
      inSection = !done && SameName(*opened, section);
      out.emplace_back(line);
      if (inSection) sectionEnd = out.size();
      continue;
    }
    if (inSection && ValueOf(line, name)) {
      out.push_back(entry);
      done = true;
      inSection = false;
      continue;
    }
    out.emplace_back(line);
    if (inSection && !Trimmed(line).empty()) sectionEnd = out.size();
  }
  if (!done) {
    if (sectionEnd > 0) {
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
    } else {
      if (!out.empty() && !out.back().empty()) out.emplace_back();
      out.push_back("[" + std::string(section) + "]");
      out.push_back(entry);
    }
  }
  std::string result;
  for (const std::string& line : out) result += line + "\r\n";
  return result;
}

}  // namespace quillmere
