#include "listview/gui/AdvListV.h"

namespace quillmere {

namespace {
const std::string kNoText;
}  // namespace

void TListItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  owner_->RepaintRow(index_);
  if (ResortsOnCaption(owner_->sortType_)) owner_->Sort();
}

void TListItem::SetSubItem(std::size_t k, std::string text) {
  if (k >= subItems_.size()) subItems_.resize(k + 1);
  subItems_[k] = std::move(text);
  owner_->RepaintRow(index_);
}

const std::string& TListItem::Cell(int column) const {
  if (column == 0) return caption_;
  const auto k = static_cast<std::size_t>(column - 1);
  return column > 0 && k < subItems_.size() ? subItems_[k] : kNoText;
}

void TListItem::SetData(std::intptr_t data) {
  data_ = data;
  if (ResortsOnData(owner_->sortType_)) owner_->Sort();
}

bool TListItem::Checked() const { return owner_->PlatformChecked(index_); }

void TListItem::SetChecked(bool checked) {
  if (Checked() != checked) owner_->SetPlatformChecked(index_, checked);
}

}  // namespace quillmere
