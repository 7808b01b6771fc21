#include "richtext/PictureContainer.h"

#include "richtext/Markup.h"
#include "richtext/PictureCache.h"

namespace quillmere::richtext {

void TPictureItem::Assign(const TPictureItem& other) {
  Name = other.Name;
  Tag = other.Tag;
  picture_.Assign(&other.picture_);
}

TPictureItem& TPictureCollection::Add() {
  return *items_.emplace_back(std::make_unique<TPictureItem>(decoder_));
}

THTMLPicture* TPictureContainer::FindByName(std::string_view name) {
  for (std::size_t i = 0; i < Items.Count(); ++i) {
    TPictureItem& item = Items.Items(i);
    if (UpperCase(item.Name) == name) return &item.Picture();
  }
  return nullptr;
}

THTMLPicture* ResolvePicture(std::string_view source, TPictureContainer* container,
                             THTMLPictureCache* cache) {
  THTMLPicture* picture = nullptr;
  if (source.find(':') == std::string_view::npos && container) {
    picture = container->FindByName(source);
  }
  if (source.find("://") != std::string_view::npos && cache) {
    if (!cache->LookupPicture(source)) {
      THTMLPicture& loaded = cache->NewPicture();
      loaded.SetAsyncLoad(false);
      loaded.LoadSource(source);
    }
    picture = cache->LookupPicture(source);
  }
  return picture;
}

}  // namespace quillmere::richtext
