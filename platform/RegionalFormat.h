#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/CalendarTime.h"

namespace quillmere {

// A locale's date and time pictures in the Windows notation ("M/d/yyyy",
// "h:mm:ss tt", "dd.MM.yyyy", "HH:mm:ss") and its two time markers.
struct RegionalPictures {
  std::string shortDate = "M/d/yyyy";
  std::string longTime = "h:mm:ss tt";
  std::string am = "AM";
  std::string pm = "PM";
};

// Numeric pictures only: d, dd, M, MM, y, yy, yyyy, h, hh, H, HH, m, mm, s, ss, t,
// tt and quoted literals; day and month names are not needed by this program.
std::string FormatDatePicture(const RegionalPictures& pictures, const CalendarTime& t);
std::string FormatTimePicture(const RegionalPictures& pictures, const CalendarTime& t);

// Reads "date[ time]" as the pictures write it: the date's fields in the picture's
// order with its separator, a two-digit year taken as 1950 to 2049, then optionally
// hours, minutes and seconds with a time marker. Blanks around the text are allowed.
std::optional<CalendarTime> ParseWithPictures(const RegionalPictures& pictures,
                                              std::string_view text);

}  // namespace quillmere
