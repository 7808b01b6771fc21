#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// The text of an INI file: "[Section]" lines, each followed by "Name=Value" lines.
// Sections and names compare without regard to case, as Windows' own INI calls
// compare them.

// The value of `name` in `section`; nullopt when the text has none.
std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view name);

// `text` with `name` in `section` set to `value`: the line replaced where it stands,
// otherwise added at the end of the section, or a new section at the end of the
// text. Every other line stays as it was.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view name,
                         std::string_view value);

}  // namespace quillmere
