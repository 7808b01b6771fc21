#pragma once

#include <string_view>

#include "platform/LocaleTime.h"

namespace quillmere {

// The sort state of the cookie list: 0 before any column was clicked; otherwise
// the clicked column's index + 1, positive for ascending, negative for descending.
// A click on the sorted column reverses it, a click on another starts ascending.
int NextSortColumn(int sortColumn, int clickedColumn);

// The column `sortColumn` sorts by, as a cell index of its rows (0 the caption,
// k the sub-item k - 1); -1 when no column was clicked.
inline int SortedCell(int sortColumn) { return (sortColumn < 0 ? -sortColumn : sortColumn) - 1; }

// Orders two rows by the texts of their sorted cell: Address and Full Address as
// texts of the user's locale, Hits as signed 32-bit numbers, Modified and Expires as
// points in time, an empty one of these first; reversed for a negative
// `sortColumn`, 0 for none. Throws ConvertError for a Hits or date text that does
// not read.
int CompareCookieCells(const LocaleTime& locale, int sortColumn, std::string_view a,
                       std::string_view b);

// A Hits text as a signed 32-bit decimal number; ConvertError when it is none.
int ReadHits(std::string_view text);

}  // namespace quillmere
