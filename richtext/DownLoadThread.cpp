#include "richtext/DownLoadThread.h"

#include "richtext/HTMLPicture.h"

namespace quillmere::richtext {

void TDownLoadThread::Start(THTMLPicture& picture) {
  // The work is empty; the picture keeps its busy flag and stays as it was.
  static_cast<void>(picture);
}

}  // namespace quillmere::richtext
