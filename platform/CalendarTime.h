#pragma once

#include <compare>
#include <cstdint>

namespace quillmere {

// A file time: the count of 100-nanosecond intervals since 1 January 1601.
using FileTime = std::uint64_t;

// A wall-clock date and time to the second, as the regional formats show it.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend auto operator<=>(const CalendarTime&, const CalendarTime&) = default;
};

int DaysInMonth(int year, int month);

// True when every field names a real moment (month 1 to 12, a day that month has,
// hour 0 to 23, minute and second 0 to 59) in the years 1 to 9999.
bool IsValid(const CalendarTime& t);

inline bool IsMidnight(const CalendarTime& t) {
  return t.hour == 0 && t.minute == 0 && t.second == 0;
}

}  // namespace quillmere
