#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/HTMLPicture.h"

namespace quillmere::richtext {

class THTMLPictureCache;

// A named picture of a container.
class TPictureItem {
 public:
  explicit TPictureItem(const PictureDecoder& decoder) : picture_(decoder) {}

  THTMLPicture& Picture() { return picture_; }
  const THTMLPicture& Picture() const { return picture_; }
  std::string Name;
  int Tag = 0;

  // Name, tag and picture bytes of the other item.
  void Assign(const TPictureItem& other);

 private:
  THTMLPicture picture_;
};

class TPictureCollection {
 public:
  explicit TPictureCollection(const PictureDecoder& decoder) : decoder_(decoder) {}

  TPictureItem& Add();
  std::size_t Count() const { return items_.size(); }
  TPictureItem& Items(std::size_t index) { return *items_.at(index); }
  const TPictureItem& Items(std::size_t index) const { return *items_.at(index); }

 private:
  const PictureDecoder& decoder_;
  std::vector<std::unique_ptr<TPictureItem>> items_;
};

// Named pictures set up with a form, which IMG sources without ':' refer to.
class TPictureContainer {
 public:
  explicit TPictureContainer(const PictureDecoder& decoder) : Items(decoder) {}

  TPictureCollection Items;

  // The picture of the first item whose name, upper-cased, is exactly `name`;
  // callers pass upper-cased names, so names match whatever their case.
  THTMLPicture* FindByName(std::string_view name);
};

// The picture the markup means by an upper-cased IMG source or BODY background:
// the container's for a plain name, the cache's (loaded on first use) for a
// source with "://"; none otherwise.
THTMLPicture* ResolvePicture(std::string_view source, TPictureContainer* container,
                             THTMLPictureCache* cache);

}  // namespace quillmere::richtext
