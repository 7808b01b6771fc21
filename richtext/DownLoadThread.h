#pragma once

namespace quillmere::richtext {

class THTMLPicture;

// The download of a remote picture. This program fetches nothing: a started
// download ends at once, raises no download event and leaves the picture's busy
// flag set, so the picture asks for its remote source only once. No thread is
// started that could outlive the picture.
class TDownLoadThread {
 public:
  static void Start(THTMLPicture& picture);
};

}  // namespace quillmere::richtext
