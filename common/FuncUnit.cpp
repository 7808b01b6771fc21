#include "common/FuncUnit.h"

#include "common/Errors.h"
#include "platform/Utf8.h"

#include <cmath>

namespace quillmere {

std::uint32_t ShlwapiMajorVersion = 0;

namespace {

CalendarTime Read(const LocaleTime& locale, std::string_view text) {
  const auto value = locale.ParseDateTime(text);
  if (!value) throw ConvertError(WithText("'%s' is not a valid date and time", text));
  return *value;
}

// The date-time text of `t`: the short date and, unless it is midnight, the long time.
std::optional<std::string> CalendarText(const LocaleTime& locale, const CalendarTime& t) {
  auto text = locale.FormatShortDate(t);
  if (!text) return std::nullopt;
  if (!IsMidnight(t)) {
    const auto time = locale.FormatLongTime(t);
    if (!time) return std::nullopt;
    *text += ' ' + *time;
  }
  return text;
}

// The calendar day `days` after 30 December 1899 (days since 1 January 1970 plus
// 25569), by the proleptic Gregorian calendar.
void SetCivilDate(CalendarTime& t, std::int64_t days) {
  const std::int64_t z = days - 25569 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  t.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  t.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
}

}  // namespace

CalendarTime UnpackDosDateTime(DosDateTime packed) {
  CalendarTime t;
  t.year = 1980 + (packed.date >> 9);
  t.month = (packed.date >> 5) & 0x0F;
  t.day = packed.date & 0x1F;
  t.hour = packed.time >> 11;
  t.minute = (packed.time >> 5) & 0x3F;
  t.second = (packed.time & 0x1F) * 2;
  return t;
}

std::string FileTimeToText(const LocaleTime& locale, FileTime utc) {
  const auto local = locale.ToLocalFileTime(utc);
  const auto packed = local ? locale.ToDosDateTime(*local) : std::nullopt;
  if (!packed) return std::string(kFallbackDateText);
  const CalendarTime t = UnpackDosDateTime(*packed);
  if (!IsValid(t)) return std::string(kFallbackDateText);
  return CalendarText(locale, t).value_or(std::string(kFallbackDateText));
}

std::string DateTimeToText(const LocaleTime& locale, double dateTime) {
  // 1 January of the year 1 to 31 December 9999; also keeps NaN out.
  if (!(dateTime >= -693593.0 && dateTime < 2958466.0))
    throw ConvertError("Invalid argument to date encode");
  auto days = static_cast<std::int64_t>(std::floor(dateTime));
  auto seconds = static_cast<std::int64_t>(std::llround((dateTime - days) * 86400.0));
  if (seconds == 86400) {
    ++days;
    seconds = 0;
  }
  CalendarTime t;
  SetCivilDate(t, days);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  const auto text = IsValid(t) ? CalendarText(locale, t) : std::nullopt;
  if (!text) throw ConvertError("Invalid argument to date encode");
  return *text;
}

void CutTail(std::string& text, std::size_t n) {
  const std::size_t count = CharacterCount(text);
  text.resize(FirstCharacters(text, n < count ? count - n : 0).size());
}

std::string TrimTrailingSlash(std::string_view text) {
  if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  return std::string(text);
}

std::string LowerCase(std::string_view text) { return LowerCaseUtf8(text); }

int CompareDateTexts(const LocaleTime& locale, std::string_view a, std::string_view b) {
  const CalendarTime first = Read(locale, a);
  const CalendarTime second = Read(locale, b);
  if (first < second) return -1;
  if (second < first) return 1;
  return 0;
}

void GetShlwapiVersion(const Shell& shell) {
  ShlwapiMajorVersion = 0;
  if (const auto version = shell.GetDllVersion("shlwapi.dll")) ShlwapiMajorVersion = version->major;
}

}  // namespace quillmere
