#include "cookies/CookieSort.h"

#include <charconv>
#include <cstdint>

#include "common/Errors.h"
#include "common/FuncUnit.h"

namespace quillmere {

int NextSortColumn(int sortColumn, int clickedColumn) {
  const int k = clickedColumn + 1;
  return k == (sortColumn < 0 ? -sortColumn : sortColumn) ? -sortColumn : k;
}

int ReadHits(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw ConvertError(WithText("'%s' is not a valid integer value", text));
  return value;
}

int CompareCookieCells(const LocaleTime& locale, int sortColumn, std::string_view a,
                       std::string_view b) {
  int order = 0;
  const int cell = SortedCell(sortColumn);
  if ((cell == 1 || cell == 2 || cell == 3) && (a.empty() || b.empty())) {
    // A browser keeps no hit count, and a session cookie has no expiry: such an
    // empty cell comes before every figure.
    order = a.empty() == b.empty() ? 0 : a.empty() ? -1 : 1;
    return sortColumn < 0 ? -order : order;
  }
  switch (cell) {
    case 0:  // Address
    case 4:  // Full Address
      order = locale.CompareText(a, b);
      break;
    case 1: {  // Hits
      const int first = ReadHits(a);
      const int second = ReadHits(b);
      order = first > second ? 1 : first < second ? -1 : 0;
      break;
    }
    case 2:  // Modified
    case 3:  // Expires
      order = CompareDateTexts(locale, a, b);
      break;
    default:
      return 0;
  }
  return sortColumn < 0 ? -order : order;
}

}  // namespace quillmere
