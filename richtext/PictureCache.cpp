#include "richtext/PictureCache.h"

namespace quillmere::richtext {

THTMLPicture& THTMLPictureCache::NewPicture() {
  return *pictures_.emplace_back(std::make_unique<THTMLPicture>(decoder_));
}

THTMLPicture* THTMLPictureCache::LookupPicture(std::string_view identifier) const {
  for (const auto& picture : pictures_) {
    if (picture->Identifier() == identifier) return picture.get();
  }
  return nullptr;
}

}  // namespace quillmere::richtext
