#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "richtext/MiniHtml.h"
#include "richtext/PictureCache.h"
#include "richtext/PictureContainer.h"
#include "tests/fakes/FakePictureDecoder.h"
#include "tests/fakes/FakeSurface.h"

namespace quillmere::richtext {

// The engine on the fixed-metric surface, whose base font is 6 pixels a character
// and 12 high. Texts go into 300 x 200 pixels with word wrap unless a test says
// otherwise; lines start one pixel right of the bounds' left edge. The markup can
// name "logo" (20 x 10) and "anim" (a 16 x 16 GIF showing its second frame, 4 x 4
// at 5, 5) from the container, and the file C:\PIC.BMP (12 x 8) through the cache.
class MiniHtmlTest : public ::testing::Test {
 protected:
  using Setting = std::function<void(RenderArgs&)>;

  MiniHtmlTest() {
    decoder.files["C:\\PIC.BMP"] = testing::FakePictureDecoder::Bytes("PIC 12 8");
    TPictureItem& logo = container.Items.Add();
    logo.Name = "logo";
    logo.Picture().ReadFormData(testing::FakePictureDecoder::Bytes("PIC 20 10"));
    TPictureItem& anim = container.Items.Add();
    anim.Name = "anim";
    anim.Picture().ReadFormData(testing::TwoFrameGif(16, 2, 5));
    anim.Picture().SetFrame(2);
  }

  RenderResult Render(std::string_view text, const Setting& set = {}) {
    RenderArgs args;
    args.text = text;
    args.bounds = {0, 0, 300, 200};
    args.wordWrap = true;
    args.pictureCache = &cache;
    args.pictureContainer = &container;
    if (set) set(args);
    return RenderMiniHTML(canvas, args);
  }
  // Where the link under (x, y) is, drawing nothing.
  RenderResult HitTest(std::string_view text, int x, int y, const Setting& set = {}) {
    return Render(text, [&](RenderArgs& args) {
      args.checkAnchor = true;
      args.xPos = x;
      args.yPos = y;
      if (set) set(args);
    });
  }
  // 40 pixels of room.
  static void Narrow(RenderArgs& args) { args.bounds = {0, 0, 41, 200}; }

  testing::FakeSurface canvas;
  testing::FakePictureDecoder decoder;
  TPictureContainer container{decoder};
  THTMLPictureCache cache{decoder};
};

}  // namespace quillmere::richtext
