#include "richtext/MiniHtml.h"

#include "richtext/Arithmetic.h"
#include "richtext/Entities.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {
namespace {

// Where a measured line starts: its left edge by the paragraph alignment, then
// the indent.
int LineLeft(const CallState& call, int lineWidth) {
  const Rect& bounds = call.args.bounds;
  int x = bounds.left + 1;
  if (call.alignment == Alignment::kRight) {
    if (bounds.right - lineWidth > bounds.left + 1) x = bounds.right - lineWidth;
  } else if (call.alignment == Alignment::kCenter) {
    const int room = bounds.right - (bounds.left + 1) - lineWidth;
    if (room > 0) x = bounds.left + 1 + room / 2;
  }
  return x + call.indent;
}

}  // namespace

CallState::CallState(DrawingSurface& surface, const RenderArgs& renderArgs, RenderResult& result)
    : canvas(surface),
      args(renderArgs),
      out(result),
      baseFont(surface.Font()),
      measureFont(baseFont),
      drawFont(baseFont),
      callerBackground(surface.Background()) {
  canvas.SetBackground(clNone);
}

CallState::~CallState() {
  for (; rotations > 0; --rotations) canvas.RestoreFont();
  canvas.SetBackground(callerBackground);
  canvas.SetFont(baseFont);
}

RenderResult RenderMiniHTML(DrawingSurface& canvas, const RenderArgs& args) {
  RenderResult out;
  {
    CallState call(canvas, args, out);
    const std::string text = PrepareMarkup(args.text);
    std::string_view rest = text;
    const Rect& bounds = args.bounds;
    int y = bounds.top;
    while (!rest.empty()) {
      call.flow.subscript = call.flow.superscript = false;
      LineMetrics metrics;
      canvas.SetFont(call.measureFont);
      metrics.height = canvas.TextHeight("gh");
      const FlowState lineStart = call.flow;

      LinePass measuring(call, Pass::kMeasure, {bounds.left + 1, y, bounds.right, bounds.bottom},
                         rest, metrics, call.measureFont);
      measuring.Run();
      const std::string_view line = rest.substr(0, measuring.consumed());
      rest = measuring.droppedRest() ? std::string_view() : rest.substr(measuring.consumed());
      const int lineHeight = metrics.height + metrics.subscriptDrop + metrics.superscriptRise;

      if (!args.calcOnly) {
        call.flow = lineStart;
        LinePass second(call, args.checkAnchor ? Pass::kHitTest : Pass::kDraw,
                        {LineLeft(call, metrics.width), y, bounds.right, y + lineHeight}, line,
                        metrics, call.drawFont);
        second.Run();
        const int textBottom = y + lineHeight - metrics.lift;
        if (second.textHit() && textBottom - canvas.TextHeight("gh") < args.yPos &&
            args.yPos < textBottom) {
          out.linkHit = true;
        }
        if (second.imageHit()) out.linkHit = true;
      }

      y = SaturatingAdd(y, lineHeight);
      out.textHeight = SaturatingAdd(out.textHeight, lineHeight);
      if (y > bounds.bottom && !args.calcOnly) break;
    }
    out.linkCount = call.flow.linkCount;
  }
  if (out.textHeight == 0) out.textHeight = canvas.TextHeight("gh");
  return out;
}

SimpleRenderResult RenderMiniHTMLSimple(DrawingSurface& canvas, const SimpleRenderArgs& args) {
  RenderArgs full;
  full.text = args.text;
  full.bounds = args.bounds;
  full.images = args.images;
  full.xPos = args.xPos;
  full.yPos = args.yPos;
  full.checkAnchor = args.checkAnchor;
  full.calcOnly = args.calcOnly;
  full.printMode = args.printMode;
  full.selected = args.selected;
  full.blinkOn = args.blinkOn;
  full.scale = args.scale;
  full.urlColor = args.urlColor;
  full.shadowOffset = 1;
  full.shadowColor = clGray;
  RenderResult result = RenderMiniHTML(canvas, full);
  return {result.linkHit, std::move(result.anchor), std::move(result.plainText), result.textWidth,
          result.textHeight};
}

}  // namespace quillmere::richtext
