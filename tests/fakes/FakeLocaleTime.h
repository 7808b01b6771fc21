#pragma once

#include <cstdint>

#include "platform/LocaleTime.h"
#include "platform/RegionalFormat.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// The file time of a wall-clock moment, counted as the platform counts it.
FileTime FileTimeOf(const CalendarTime& t);
CalendarTime CalendarTimeOf(FileTime t);

// A locale with fixed pictures and a fixed distance from UTC.
class FakeLocaleTime final : public LocaleTime, public Faultable {
 public:
  RegionalPictures pictures;
  std::int64_t utcOffsetMinutes = 0;
  bool formatFails = false;

  std::optional<FileTime> ToLocalFileTime(FileTime utc) const override;
  std::optional<DosDateTime> ToDosDateTime(FileTime local) const override;
  std::optional<std::string> FormatShortDate(const CalendarTime& t) const override;
  std::optional<std::string> FormatLongTime(const CalendarTime& t) const override;
  std::optional<CalendarTime> ParseDateTime(std::string_view text) const override;
  // Letters in alphabetical order whatever their case, lower case first between
  // otherwise equal texts, as the Windows locales order them.
  int CompareText(std::string_view a, std::string_view b) const override;
};

}  // namespace quillmere::testing
