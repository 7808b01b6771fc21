#include "platform/win32/Win32LocaleTime.h"

#include <stdexcept>

namespace quillmere::win32 {
namespace {

FILETIME ToFILETIME(FileTime t) {
  return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

SYSTEMTIME ToSYSTEMTIME(const CalendarTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

// GetLocaleInfoA, GetDateFormatA and GetTimeFormatA share this shape: asked with
// no buffer, they give the bytes the text needs, its ending zero included. In
// UTF-8 a regional text takes up to three times as many bytes as characters, so
// no fixed buffer is sure to hold it; but nearly every one fits a small one, tried
// first, which spares the cookie list a second call for each of its dates.
template <typename Call>
std::optional<std::string> AskedText(Call call) {
  char fits[64];
  if (const int length = call(fits, static_cast<int>(sizeof fits)); length > 0)
    return std::string(fits, static_cast<std::size_t>(length - 1));
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  const int size = call(nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  const int length = call(text.data(), size);
  if (length <= 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(length - 1));
  return text;
}

std::string LocaleText(LCID locale, LCTYPE item, const char* fallback) {
  return AskedText([&](char* text, int size) { return GetLocaleInfoA(locale, item, text, size); })
      .value_or(fallback);
}

}  // namespace

Win32LocaleTime::Win32LocaleTime(LCID locale) : locale_(locale) {
  const RegionalPictures defaults;
  pictures_.shortDate = LocaleText(locale, LOCALE_SSHORTDATE, defaults.shortDate.c_str());
  pictures_.longTime = LocaleText(locale, LOCALE_STIMEFORMAT, defaults.longTime.c_str());
  pictures_.am = LocaleText(locale, LOCALE_S1159, "");
  pictures_.pm = LocaleText(locale, LOCALE_S2359, "");
}

std::optional<FileTime> Win32LocaleTime::ToLocalFileTime(FileTime utc) const {
  const FILETIME in = ToFILETIME(utc);
  FILETIME out{};
  if (!FileTimeToLocalFileTime(&in, &out)) return std::nullopt;
  return (static_cast<FileTime>(out.dwHighDateTime) << 32) | out.dwLowDateTime;
}

std::optional<DosDateTime> Win32LocaleTime::ToDosDateTime(FileTime local) const {
  const FILETIME in = ToFILETIME(local);
  // Windows refuses times outside the packed format's years; Wine packs them anyway,
  // into a date that names another year, so the range is checked here as well.
  SYSTEMTIME st{};
  if (!FileTimeToSystemTime(&in, &st) || st.wYear < 1980 || st.wYear > 2107) return std::nullopt;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToDosDateTime(&in, &date, &time)) return std::nullopt;
  return DosDateTime{date, time};
}

std::optional<std::string> Win32LocaleTime::FormatShortDate(const CalendarTime& t) const {
  const SYSTEMTIME st = ToSYSTEMTIME(t);
  return AskedText([&](char* text, int size) {
    return GetDateFormatA(locale_, DATE_SHORTDATE, &st, nullptr, text, size);
  });
}

std::optional<std::string> Win32LocaleTime::FormatLongTime(const CalendarTime& t) const {
  const SYSTEMTIME st = ToSYSTEMTIME(t);
  return AskedText(
      [&](char* text, int size) { return GetTimeFormatA(locale_, 0, &st, nullptr, text, size); });
}

std::optional<CalendarTime> Win32LocaleTime::ParseDateTime(std::string_view text) const {
  return ParseWithPictures(pictures_, text);
}

int Win32LocaleTime::CompareText(std::string_view a, std::string_view b) const {
  const int order = CompareStringA(locale_, 0, a.data(), static_cast<int>(a.size()), b.data(),
                                   static_cast<int>(b.size()));
  if (order == 0) throw std::runtime_error("Cannot compare two texts with the user's locale.");
  return order - CSTR_EQUAL;
}

}  // namespace quillmere::win32
