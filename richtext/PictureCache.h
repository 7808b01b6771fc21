#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "richtext/HTMLPicture.h"

namespace quillmere::richtext {

// The pictures a control loaded for sources with "://", kept as long as the cache:
// a file or resource is read once.
class THTMLPictureCache {
 public:
  explicit THTMLPictureCache(const PictureDecoder& decoder) : decoder_(decoder) {}

  // A new picture with the defaults, appended.
  THTMLPicture& NewPicture();
  // The first picture whose Identifier is exactly `identifier`; none when there is none.
  THTMLPicture* LookupPicture(std::string_view identifier) const;
  std::size_t Count() const { return pictures_.size(); }

 private:
  const PictureDecoder& decoder_;
  std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};

}  // namespace quillmere::richtext
