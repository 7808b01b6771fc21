#pragma once

namespace quillmere {

// Which changes re-sort a list's rows: none, a row's data value, a row's caption,
// both.
enum TSortType { stNone, stData, stText, stBoth };

// Whether setting the sort type to `sortType` (from another value) sorts at once:
// the data types only with a compare handler to ask, the text types always.
bool SortsWhenSet(TSortType sortType, bool hasCompareHandler);

// Whether a change of a row's caption, or of its data value, re-sorts the list.
bool ResortsOnCaption(TSortType sortType);
bool ResortsOnData(TSortType sortType);

}  // namespace quillmere
