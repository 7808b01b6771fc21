#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/LocaleTime.h"
#include "platform/Shell.h"

namespace quillmere {

// The text shown for a time that cannot be converted.
inline constexpr std::string_view kFallbackDateText = "01/01/80 12:00:00 AM";

// The shell utility library's major version, 0 until a probe succeeds.
extern std::uint32_t ShlwapiMajorVersion;

// The fields of a packed file-allocation-table date and time.
CalendarTime UnpackDosDateTime(DosDateTime packed);

// A UTC file time as the regional short date and, unless it is midnight, the long
// time, at the two-second grain of the packed file-allocation-table format.
std::string FileTimeToText(const LocaleTime& locale, FileTime utc);

// A date-time value (days since 30 December 1899, the fraction the time of day) as
// the same text; ConvertError for a value outside the years 1 to 9999 or a date the
// regional formats cannot write.
std::string DateTimeToText(const LocaleTime& locale, double dateTime);

// Shortens `text` by `n` characters at its end (to nothing if it is shorter); a
// character is whole, however many bytes it takes in UTF-8.
void CutTail(std::string& text, std::size_t n);

// `text` less one final "/".
std::string TrimTrailingSlash(std::string_view text);

// `text` with its Latin, Greek and Cyrillic capitals in lower case, for names
// Windows compares without regard to case (paths, host names).
std::string LowerCase(std::string_view text);

// -1, 0 or 1 as date-time text a is earlier than, the same as or later than b.
// Throws ConvertError for a text that does not read.
int CompareDateTexts(const LocaleTime& locale, std::string_view a, std::string_view b);

// Sets ShlwapiMajorVersion from "shlwapi.dll", or to 0 when the probe fails.
void GetShlwapiVersion(const Shell& shell);

}  // namespace quillmere
