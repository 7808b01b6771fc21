#include <algorithm>
#include <cstdint>

#include "richtext/Entities.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {

LinePass::LinePass(CallState& call, Pass pass, const Rect& rect, std::string_view text,
                   LineMetrics& metrics, FontState& font)
    : call_(call),
      args_(call.args),
      canvas_(call.canvas),
      flow_(call.flow),
      pass_(pass),
      rect_(rect),
      lineBottom_(rect.bottom),
      text_(text),
      m_(metrics),
      font_(font),
      penX_(rect.left) {}

void LinePass::Run() {
  rect_.bottom -= m_.subscriptDrop;
  m_.width = 0;
  ApplyFont();
  if (flow_.insideLink) {
    call_.linkStartX = rect_.left;
    call_.linkStartTop = rect_.top;
  }
  if (Drawing() && call_.bandOn && canvas_.Background() != clNone) {
    canvas_.FillRect({args_.bounds.left, rect_.top, args_.bounds.right, rect_.top + m_.height},
                     canvas_.Background());
  }

  while (at_ < text_.size() && !lineEnd_ && !lineFull_) {
    if (const std::size_t length = RunLength(); length > 0) PlaceRun(text_.substr(at_, length));
    if (droppedRest_) break;
    const std::string_view rest = Rest();
    if (rest.starts_with('<') && rest.size() <= 2) {
      droppedRest_ = true;
      break;
    }
    if (lineEnd_ || lineFull_ || !rest.starts_with('<') || rest.size() < 3) continue;
    Tag();
  }

  m_.width -= blankWidth_;
  call_.out.textWidth = std::max(call_.out.textWidth, m_.width);
  if (Drawing() && flow_.insideLink && flow_.linkCount - 1 == args_.focusLink) {
    const int textBottom = rect_.bottom - m_.lift;
    DrawFocusSegment({call_.focusStartX - 1, call_.focusStartY, penX_ + 1, textBottom});
    call_.focusStartX = rect_.left + 1;
    call_.focusStartY = textBottom;
  }
}

void LinePass::GrowLine(int runHeight) {
  if (flow_.subscript) m_.subscriptDrop = std::max(m_.subscriptDrop, runHeight / 4);
  if (flow_.superscript) m_.superscriptRise = std::max(m_.superscriptRise, runHeight / 4);
  m_.height = std::max(m_.height, runHeight);
}

// Up to the next tag; with word wrap, up to and including the first blank before it.
std::size_t LinePass::RunLength() const {
  const std::string_view rest = Rest();
  std::size_t end = std::min(rest.find('<'), rest.size());
  if (args_.wordWrap) {
    if (const std::size_t blank = rest.find(' '); blank < end) end = blank + 1;
  }
  return end;
}

void LinePass::PlaceRun(std::string_view run) {
  const std::string shown = RunText(run);
  const int runHeight = canvas_.TextHeight(shown);
  if (flow_.hidden) {
    at_ += run.size();
    GrowLine(runHeight);
    if (pass_ == Pass::kMeasure) call_.out.plainText += shown;
    return;
  }

  int runWidth = 0;
  if (Drawing()) {
    DrawRunAtPen(shown);
  } else {
    const Rect measured = canvas_.MeasureRun(
        shown, {rect_.left + m_.width, rect_.top, rect_.right, rect_.bottom}, !args_.wordWrap);
    runWidth = measured.right - measured.left;
    m_.width += runWidth;
    if (pass_ == Pass::kHitTest) HitTestRun(runWidth);
  }

  // The second pass replays what the measuring pass put on the line, so only
  // the measuring pass decides what fits. A run wider than the whole line is
  // placed anyway, and a word that a tag interrupts is never split.
  const int avail = Avail();
  const bool fits =
      pass_ != Pass::kMeasure || avail > m_.width || avail <= runWidth || !lastRunEndsWithBlank_;
  if (!fits && args_.wordWrap) {
    lineFull_ = true;
    m_.width -= runWidth;
    return;
  }
  at_ += run.size();
  GrowLine(runHeight);
  if (pass_ == Pass::kMeasure) call_.out.plainText += shown;
  lastRunEndsWithBlank_ = run.ends_with(' ');
  blankWidth_ = lastRunEndsWithBlank_ ? canvas_.TextWidth(" ") : 0;
  // Without word wrap an over-long line ends with the run that did not fit,
  // drawn with its ellipsis.
  if (!fits) droppedRest_ = true;
}

void LinePass::DrawRunAtPen(const std::string& shown) {
  Rect run{penX_, rect_.top, rect_.right, rect_.bottom};
  if (flow_.subscript) run.bottom += m_.subscriptDrop;
  if (flow_.superscript) run.bottom -= m_.superscriptRise;
  run.bottom -= m_.lift;
  const bool ellipsis = !args_.wordWrap;
  if (flow_.shadow) {
    FontState shadow = font_;
    shadow.color = args_.shadowColor;
    canvas_.SetFont(shadow);
    const int offset = args_.shadowOffset;
    canvas_.DrawRun(shown,
                    {run.left + offset, run.top + offset, run.right + offset, run.bottom + offset},
                    ellipsis);
    ApplyFont();
  }
  canvas_.DrawRun(shown, run, ellipsis);
  const int start = penX_;
  penX_ = canvas_.MeasureRun(shown, run, ellipsis).right;
  if (flow_.insideLink && flow_.linkCount - 1 == args_.focusLink) {
    call_.out.focusAnchor = flow_.linkValue;
  }
  if (call_.errorMark) DrawErrorMark(start, penX_, run.bottom);
}

// A red zig-zag under the run, in steps two pixels wide whose phase follows x,
// so that marks of neighbouring runs join up.
void LinePass::DrawErrorMark(int from, int to, int bottom) {
  int x = from / 2 * 2;
  int phase = x % 4 == 0 ? 2 : 0;
  int y = bottom + phase - 1;
  while (x < to) {
    phase = 2 - phase;
    const int nextY = bottom + phase - 1;
    canvas_.Line(x, y, x + 2, nextY, clRed);
    x += 2;
    y = nextY;
  }
}

// The point is over the run when its x lies within the run's span; it names the
// link only when it also lies on this line.
void LinePass::HitTestRun(int runWidth) {
  if (!flow_.insideLink) return;
  const std::int64_t x = static_cast<std::int64_t>(args_.xPos) - rect_.left;
  if (x < m_.width - runWidth || x > m_.width) return;
  textHit_ = true;
  if (args_.yPos > rect_.top && args_.yPos < lineBottom_) {
    call_.out.anchor = flow_.linkValue;
    call_.pendingHit = true;
  }
}

}  // namespace quillmere::richtext
