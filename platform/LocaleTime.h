#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CalendarTime.h"

namespace quillmere {

// The packed date and time of the old file-allocation-table format.
struct DosDateTime {
  std::uint16_t date = 0;  // bits 15-9 years since 1980, 8-5 month, 4-0 day
  std::uint16_t time = 0;  // bits 15-11 hour, 10-5 minute, 4-0 seconds / 2
};

// Time conversions and the user's regional date and time formats.
class LocaleTime {
 public:
  virtual ~LocaleTime() = default;

  // nullopt where the platform rejects the value.
  virtual std::optional<FileTime> ToLocalFileTime(FileTime utc) const = 0;
  // nullopt outside the years the packed format covers (1980 to 2107).
  virtual std::optional<DosDateTime> ToDosDateTime(FileTime local) const = 0;

  // The regional short date and long time of `t`; nullopt where formatting fails.
  virtual std::optional<std::string> FormatShortDate(const CalendarTime& t) const = 0;
  virtual std::optional<std::string> FormatLongTime(const CalendarTime& t) const = 0;
  // Reads a short date, optionally followed by a long time, back; nullopt when the
  // text does not read with the regional formats.
  virtual std::optional<CalendarTime> ParseDateTime(std::string_view text) const = 0;

  // -1, 0 or 1 as `a` sorts before, with or after `b` by the locale's rules,
  // case-sensitive.
  virtual int CompareText(std::string_view a, std::string_view b) const = 0;
};

}  // namespace quillmere
