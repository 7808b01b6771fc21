// Arbitrary markup drawn, measured and hit-tested on the fixed-metric surface in
// every mode the callers use.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzPictures.h"
#include "richtext/MiniHtml.h"
#include "richtext/PictureError.h"
#include "tests/fakes/FakeSurface.h"

namespace quillmere::fuzzing {
namespace {

using richtext::RenderArgs;
using richtext::RenderResult;

void Require(bool condition) {
  if (!condition) std::abort();
}

void RenderOnce(FuzzedDataProvider& input) {
  FuzzPictures pictures;
  testing::FakeSurface canvas;
  canvas.ppiX = input.PickValueInArray({96, 120, 144});
  canvas.ppiY = input.PickValueInArray({96, 120, 144});
  canvas.iconIndexes["C:\\README.TXT"] = 7;
  const richtext::FontState font = canvas.Font();
  canvas.SetBackground(input.ConsumeBool() ? richtext::clNone : clWhite);
  const TColor background = canvas.Background();

  RenderArgs args;
  args.bounds.left = input.ConsumeIntegralInRange(-40, 40);
  args.bounds.top = input.ConsumeIntegralInRange(-40, 40);
  args.bounds.right = args.bounds.left + input.ConsumeIntegralInRange(-10, 500);
  args.bounds.bottom = args.bounds.top + input.ConsumeIntegralInRange(-10, 400);
  if (input.ConsumeBool()) args.images = canvas.AddImageList(3, {16, 16});
  args.xPos = input.ConsumeIntegralInRange(-50, 600);
  args.yPos = input.ConsumeIntegralInRange(-50, 500);
  args.focusLink = input.ConsumeIntegralInRange(-1, 4);
  args.hoverLink = input.ConsumeIntegralInRange(-1, 5);
  args.shadowOffset = input.ConsumeIntegralInRange(-3, 3);
  args.checkAnchor = input.ConsumeBool();
  args.calcOnly = input.ConsumeBool();
  args.printMode = input.ConsumeBool();
  args.selected = input.ConsumeBool();
  args.blinkOn = input.ConsumeBool();
  args.hoverOnly = input.ConsumeBool();
  args.wordWrap = input.ConsumeBool();
  args.scale = input.ConsumeFloatingPointInRange(0.0, 4.0);
  args.hoverColor = input.ConsumeBool() ? richtext::clNone : 0x00FFFF;
  args.hoverFontColor = input.ConsumeBool() ? richtext::clNone : 0x0000FF;
  if (input.ConsumeBool()) {
    args.pictureCache = &pictures.cache;
    args.pictureContainer = &pictures.container;
  }
  const bool simple = input.ConsumeBool();
  const std::string text = input.ConsumeRemainingBytesAsString();
  args.text = text;

  try {
    if (simple) {
      richtext::SimpleRenderArgs reduced;
      reduced.text = args.text;
      reduced.bounds = args.bounds;
      reduced.images = args.images;
      reduced.xPos = args.xPos;
      reduced.yPos = args.yPos;
      reduced.checkAnchor = args.checkAnchor;
      reduced.calcOnly = args.calcOnly;
      reduced.selected = args.selected;
      const richtext::SimpleRenderResult result = RenderMiniHTMLSimple(canvas, reduced);
      Require(result.textHeight > 0);
    } else {
      const RenderResult result = RenderMiniHTML(canvas, args);
      Require(result.textHeight > 0);
      Require(result.mouseLink >= -1 && result.mouseLink <= result.linkCount);
    }
  } catch (const richtext::PictureError&) {
    // An undecodable resource named by the markup: reported to the caller.
  }
  Require(canvas.Font() == font);
  Require(canvas.Background() == background);
  Require(canvas.rotations.empty());
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  quillmere::fuzzing::RenderOnce(input);
  return 0;
}
