#include "platform/RegionalFormat.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/Utf8.h"

namespace quillmere {
namespace {

std::string Number(int value, std::size_t width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", static_cast<int>(width), value);
  return text;
}

// Walks a picture and writes each run of one pattern letter through `field`.
template <typename Field>
std::string Expand(std::string_view picture, Field field) {
  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const std::size_t end = picture.find('\'', i + 1);
      out.append(picture.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
      i = end == std::string_view::npos ? picture.size() : end + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (!field(c, run, out)) out.append(run, c);
    i += run;
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ == text_.size(); }

  // Up to `maxDigits` decimal digits; `digits` tells how many were read.
  std::optional<int> Number(std::size_t maxDigits, std::size_t& digits) {
    int value = 0;
    digits = 0;
    while (pos_ < text_.size() && digits < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = value * 10 + (text_[pos_++] - '0');
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    return value;
  }

  bool Take(std::string_view literal) {
    if (literal.empty() || text_.substr(pos_, literal.size()) != literal) return false;
    pos_ += literal.size();
    return true;
  }

  // Markers in any letters ("AM", "午前", "πμ"); Latin ones in either case.
  bool TakeMarker(std::string_view marker) {
    if (marker.empty() || !EqualsAsciiNoCase(text_.substr(pos_, marker.size()), marker))
      return false;
    pos_ += marker.size();
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The date fields in the order the picture names them ('d', 'M', 'y'), the
// separator (the text between the first two fields) and the text after the last
// ("yyyy. MM. dd." ends in a full stop).
struct DateLayout {
  std::vector<char> order;
  std::string separator;
  std::string suffix;
};

DateLayout LayoutOf(std::string_view picture) {
  DateLayout layout;
  std::string pending;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c == 'd' || c == 'M' || c == 'y') {
      if (layout.order.empty() || layout.order.back() != c) {
        if (layout.order.size() == 1) layout.separator = pending;
        layout.order.push_back(c);
      }
      pending.clear();
    } else if (c != '\'') {
      pending.push_back(c);
    }
  }
  layout.suffix = pending;
  return layout;
}

int WidenYear(int year, std::size_t digits) {
  if (digits > 2) return year;
  return year < 50 ? 2000 + year : 1900 + year;
}

bool ReadDate(const RegionalPictures& pictures, Reader& in, CalendarTime& t) {
  const DateLayout layout = LayoutOf(pictures.shortDate);
  if (layout.order.size() != 3 || layout.separator.empty()) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0 && !in.Take(layout.separator)) return false;
    std::size_t digits = 0;
    const auto value = in.Number(layout.order[i] == 'y' ? 4 : 2, digits);
    if (!value) return false;
    switch (layout.order[i]) {
      case 'd':
        t.day = *value;
        break;
      case 'M':
        t.month = *value;
        break;
      default:
        t.year = WidenYear(*value, digits);
        break;
    }
  }
  in.Take(layout.suffix);
  return true;
}

// The literal after the hours, up to the next field: one byte or several ("時").
std::string TimeSeparatorOf(std::string_view picture) {
  for (std::size_t i = 0; i + 1 < picture.size(); ++i) {
    if ((picture[i] == 'h' || picture[i] == 'H') && picture[i + 1] != picture[i]) {
      const std::size_t end = picture.find_first_of("hHmst'", i + 1);
      return std::string(picture.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
    }
  }
  return ":";
}

// 1 for the afternoon marker, 0 for the morning one, -1 for none.
int TakeMarker(const RegionalPictures& pictures, Reader& in) {
  if (in.TakeMarker(pictures.pm)) return 1;
  return in.TakeMarker(pictures.am) ? 0 : -1;
}

bool ReadTime(const RegionalPictures& pictures, Reader& in, CalendarTime& t) {
  const std::string separator = TimeSeparatorOf(pictures.longTime);
  // Some locales write the marker first ("tt h:mm:ss").
  int marker = TakeMarker(pictures, in);
  in.SkipBlanks();
  std::size_t digits = 0;
  int* fields[] = {&t.hour, &t.minute, &t.second};
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0 && !in.Take(separator)) break;
    const auto value = in.Number(2, digits);
    if (!value) return false;
    *fields[i] = *value;
  }
  in.SkipBlanks();
  if (marker < 0) marker = TakeMarker(pictures, in);
  if (marker >= 0) {
    if (t.hour < 1 || t.hour > 12) return false;
    t.hour = t.hour % 12 + (marker == 1 ? 12 : 0);
  }
  return true;
}

}  // namespace

std::string FormatDatePicture(const RegionalPictures& pictures, const CalendarTime& t) {
  return Expand(pictures.shortDate, [&](char c, std::size_t run, std::string& out) {
    switch (c) {
      case 'd':
      case 'M':
        if (run > 2) return false;  // day and month names are not written
        out += Number(c == 'd' ? t.day : t.month, run);
        return true;
      case 'y':
        out += run <= 2 ? Number(t.year % 100, run) : Number(t.year, run);
        return true;
      default:
        return false;
    }
  });
}

std::string FormatTimePicture(const RegionalPictures& pictures, const CalendarTime& t) {
  return Expand(pictures.longTime, [&](char c, std::size_t run, std::string& out) {
    const std::size_t width = run >= 2 ? 2 : 1;
    switch (c) {
      case 'h':
        out += Number(t.hour % 12 == 0 ? 12 : t.hour % 12, width);
        return true;
      case 'H':
        out += Number(t.hour, width);
        return true;
      case 'm':
        out += Number(t.minute, width);
        return true;
      case 's':
        out += Number(t.second, width);
        return true;
      case 't': {
        const std::string& marker = t.hour < 12 ? pictures.am : pictures.pm;
        // "t" is the marker's first character, however many bytes it takes.
        if (run > 1 || marker.empty()) {
          out += marker;
        } else {
          out += marker.substr(0, DecodeUtf8(marker, 0).length);
        }
        return true;
      }
      default:
        return false;
    }
  });
}

std::optional<CalendarTime> ParseWithPictures(const RegionalPictures& pictures,
                                              std::string_view text) {
  Reader in(text);
  CalendarTime t;
  in.SkipBlanks();
  if (!ReadDate(pictures, in, t)) return std::nullopt;
  in.SkipBlanks();
  if (!in.AtEnd() && !ReadTime(pictures, in, t)) return std::nullopt;
  in.SkipBlanks();
  if (!in.AtEnd() || !IsValid(t)) return std::nullopt;
  return t;
}

}  // namespace quillmere
