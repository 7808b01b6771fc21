#pragma once

#include <span>
#include <vector>

#include "toolkit/ToolBar.h"

namespace quillmere::win32 {

// One row of a page's tool bar table: the button as the tool bar shows it, the tag
// its click handler is given, its hint, and the page's handler for its click.
template <typename Page>
struct ToolButtonInfo {
  int id = 0;
  const char* caption = "";
  int image = 0;
  int tag = 0;
  const char* hint = "";
  void (Page::*click)(int tag) = nullptr;  // a button without a handler does nothing
  int separatorWidth = 0;
};

// A page's tool bar table: what the tool bar is made from, and the dispatch of a
// button's command and hint request to the page.
template <typename Page>
class ToolButtonTable {
 public:
  using Info = ToolButtonInfo<Page>;
  explicit constexpr ToolButtonTable(std::span<const Info> buttons) : buttons_(buttons) {}

  std::vector<ToolButtonArgs> Args() const {
    std::vector<ToolButtonArgs> args;
    for (const Info& b : buttons_)
      args.push_back(
          {.id = b.id, .caption = b.caption, .image = b.image, .separatorWidth = b.separatorWidth});
    return args;
  }

  // The button with this command identifier, or nullptr.
  const Info* Find(int id) const {
    for (const Info& b : buttons_) {
      if (b.id == id && !b.separatorWidth) return &b;
    }
    return nullptr;
  }

  // Runs the handler of button `id` on `page`; false when the table has no such
  // button, so the command belongs to someone else.
  bool Dispatch(Page& page, int id) const {
    const Info* button = Find(id);
    if (!button) return false;
    if (button->click) (page.*button->click)(button->tag);
    return true;
  }

 private:
  std::span<const Info> buttons_;
};

}  // namespace quillmere::win32
