#include "listview/SortType.h"

namespace quillmere {

bool ResortsOnCaption(TSortType sortType) { return sortType == stText || sortType == stBoth; }

bool ResortsOnData(TSortType sortType) { return sortType == stData || sortType == stBoth; }

bool SortsWhenSet(TSortType sortType, bool hasCompareHandler) {
  return (ResortsOnData(sortType) && hasCompareHandler) || ResortsOnCaption(sortType);
}

}  // namespace quillmere
