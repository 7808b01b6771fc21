#pragma once

#include <windows.h>

#include "platform/LocaleTime.h"
#include "platform/RegionalFormat.h"

namespace quillmere::win32 {

// Time conversions and regional formats of one Windows locale, the user's by default.
class Win32LocaleTime final : public LocaleTime {
 public:
  explicit Win32LocaleTime(LCID locale = LOCALE_USER_DEFAULT);

  std::optional<FileTime> ToLocalFileTime(FileTime utc) const override;
  std::optional<DosDateTime> ToDosDateTime(FileTime local) const override;
  std::optional<std::string> FormatShortDate(const CalendarTime& t) const override;
  std::optional<std::string> FormatLongTime(const CalendarTime& t) const override;
  std::optional<CalendarTime> ParseDateTime(std::string_view text) const override;
  int CompareText(std::string_view a, std::string_view b) const override;

 private:
  LCID locale_;
  // Read once: reading a text back happens thousands of times in one sort.
  RegionalPictures pictures_;
};

}  // namespace quillmere::win32
