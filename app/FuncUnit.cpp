#include "app/FuncUnit.h"

#include "app/Errors.h"

namespace quillmere {

std::uint32_t ShlwapiMajorVersion = 0;

namespace {

CalendarTime Read(const LocaleTime& locale, std::string_view text) {
  const auto value = locale.ParseDateTime(text);
  if (!value) throw ConvertError(WithText("'%s' is not a valid date and time", text));
  return *value;
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

  auto text = locale.FormatShortDate(t);
  if (!text) return std::string(kFallbackDateText);
  if (!IsMidnight(t)) {
    const auto time = locale.FormatLongTime(t);
    if (!time) return std::string(kFallbackDateText);
    *text += ' ' + *time;
  }
  return *text;
}

void CutTail(std::string& text, std::size_t n) {
  text.resize(n < text.size() ? text.size() - n : 0);
}

std::string TrimTrailingSlash(std::string_view text) {
  if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  return std::string(text);
}

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
