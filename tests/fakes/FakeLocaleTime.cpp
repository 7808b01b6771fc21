#include "tests/fakes/FakeLocaleTime.h"

#include <algorithm>
#include <cctype>

namespace quillmere::testing {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, CalendarTime& t) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
}

}  // namespace

FileTime FileTimeOf(const CalendarTime& t) {
  const std::int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDaysFrom1601To1970;
  const std::int64_t seconds = days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
  return static_cast<FileTime>(seconds * kTicksPerSecond);
}

CalendarTime CalendarTimeOf(FileTime ticks) {
  const auto seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
  CalendarTime t;
  CivilFromDays(seconds / kSecondsPerDay - kDaysFrom1601To1970, t);
  const std::int64_t inDay = seconds % kSecondsPerDay;
  t.hour = static_cast<int>(inDay / 3600);
  t.minute = static_cast<int>(inDay / 60 % 60);
  t.second = static_cast<int>(inDay % 60);
  return t;
}

std::optional<FileTime> FakeLocaleTime::ToLocalFileTime(FileTime utc) const {
  if (Fails("LocaleTime.ToLocalFileTime")) return std::nullopt;
  const std::int64_t shift = utcOffsetMinutes * 60 * kTicksPerSecond;
  if (shift < 0 && utc < static_cast<FileTime>(-shift)) return std::nullopt;
  return utc + static_cast<FileTime>(shift);
}

std::optional<DosDateTime> FakeLocaleTime::ToDosDateTime(FileTime local) const {
  if (Fails("LocaleTime.ToDosDateTime")) return std::nullopt;
  const CalendarTime t = CalendarTimeOf(local);
  if (t.year < 1980 || t.year > 2107) return std::nullopt;
  DosDateTime packed;
  packed.date = static_cast<std::uint16_t>(((t.year - 1980) << 9) | (t.month << 5) | t.day);
  packed.time = static_cast<std::uint16_t>((t.hour << 11) | (t.minute << 5) | (t.second / 2));
  return packed;
}

std::optional<std::string> FakeLocaleTime::FormatShortDate(const CalendarTime& t) const {
  if (Fails("LocaleTime.FormatShortDate") || formatFails) return std::nullopt;
  return FormatDatePicture(pictures, t);
}

std::optional<std::string> FakeLocaleTime::FormatLongTime(const CalendarTime& t) const {
  if (Fails("LocaleTime.FormatLongTime") || formatFails) return std::nullopt;
  return FormatTimePicture(pictures, t);
}

std::optional<CalendarTime> FakeLocaleTime::ParseDateTime(std::string_view text) const {
  if (Fails("LocaleTime.ParseDateTime")) return std::nullopt;
  return ParseWithPictures(pictures, text);
}

int FakeLocaleTime::CompareText(std::string_view a, std::string_view b) const {
  const auto fold = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const auto sign = [](auto x) { return x < 0 ? -1 : x > 0 ? 1 : 0; };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (fold(a[i]) != fold(b[i])) return sign(fold(a[i]) - fold(b[i]));
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return std::islower(static_cast<unsigned char>(a[i])) ? -1 : 1;
  }
  return 0;
}

}  // namespace quillmere::testing
