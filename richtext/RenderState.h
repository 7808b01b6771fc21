#pragma once

// The mini-HTML engine's state during one call; private to the engine.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "richtext/Font.h"
#include "richtext/MiniHtml.h"

namespace quillmere::richtext {

enum class Alignment { kLeft, kRight, kCenter };

// What the text carries from run to run that both passes over a line change the
// same way: the second pass of a line starts from what the first started from.
struct FlowState {
  bool insideLink = false;
  std::string linkValue;
  int linkCount = 0;
  int listLevel = 0;
  int imageCounter = 0;
  bool shadow = false;
  bool hidden = false;
  bool subscript = false;
  bool superscript = false;
};

// Everything one call keeps; it dies with the call. Made, it sets the surface up
// for the call; gone, it leaves the surface's font and background as they were,
// also when a picture error ends the call early.
struct CallState {
  CallState(DrawingSurface& canvas, const RenderArgs& args, RenderResult& out);
  ~CallState();
  CallState(const CallState&) = delete;
  CallState& operator=(const CallState&) = delete;

  DrawingSurface& canvas;
  const RenderArgs& args;
  RenderResult& out;

  FontState baseFont;
  FontState measureFont;  // running font of the measuring passes
  FontState drawFont;     // running font of the second passes
  TColor callerBackground;
  FlowState flow;

  bool pendingHit = false;  // the point is over the open link's text
  int linkStartX = 0;
  int linkStartTop = 0;

  Alignment alignment = Alignment::kLeft;
  int indent = 0;
  bool bandOn = false;  // paragraph band painted at each line start

  bool errorMark = false;
  TColor fontBodyBackground = clNone;  // restored by a closing FONT
  TColor paragraphBackground = clNone;
  TColor highlightBackground = clNone;
  TColor highlightText = clBlack;
  TColor linkBackground = clNone;
  TColor linkText = clBlack;

  int hitImage = -1;  // number of the image last hit by the point
  int focusStartX = 0;
  int focusStartY = 0;
  int rotations = 0;  // rotated fonts selected on the surface
};

// One line's figures, found by the measuring pass and placed by the drawing pass.
struct LineMetrics {
  int width = 0;
  int height = 0;           // the tallest run or image, at least a line of the font
  int subscriptDrop = 0;    // room below the text for subscripts
  int superscriptRise = 0;  // room above the text for superscripts
  int lift = 0;             // the text raised off the line's bottom by an aligned image
};

enum class Pass {
  kMeasure,  // decides the line: its text, width, height, extras and alignment
  kDraw,     // replays the line at its place and draws it
  kHitTest,  // replays it at its place and finds the link under the point
};

// One pass of LayoutLine over a line: it takes runs and tags from the front of
// `text` until the line ends or is full.
class LinePass {
 public:
  LinePass(CallState& call, Pass pass, const Rect& rect, std::string_view text,
           LineMetrics& metrics, FontState& font);
  void Run();

  // How much of the text the line took; the rest of the call's text is dropped
  // when `droppedRest`.
  std::size_t consumed() const { return at_; }
  bool droppedRest() const { return droppedRest_; }
  bool textHit() const { return textHit_; }
  bool imageHit() const { return imageHit_; }

 private:
  bool Drawing() const { return pass_ == Pass::kDraw; }
  std::string_view Rest() const { return text_.substr(at_); }
  int GhHeight() const { return call_.canvas.TextHeight("gh"); }
  int Avail() const { return rect_.right - rect_.left; }
  void ApplyFont() { call_.canvas.SetFont(font_); }
  void SetStyle(std::uint8_t bit, bool on);
  void GrowLine(int runHeight);

  // Runs.
  std::size_t RunLength() const;
  void PlaceRun(std::string_view run);
  void DrawRunAtPen(const std::string& shown);
  void DrawErrorMark(int from, int to, int bottom);
  void HitTestRun(int runWidth);

  // Tags.
  void Tag();
  void OpeningTag(std::string_view rest, std::string_view tag);
  void ClosingTag(std::string_view rest);
  void OpenLink(std::string_view tag);
  void CloseLink();
  void DrawFocusSegment(const Rect& segment);
  void Image(std::string_view tag);
  void Body(std::string_view tag);
  void ListItem();
  void Paragraph(std::string_view attributes);
  void Font(std::string_view attributes);
  void Highlight();
  void EndHighlight();
  void Rotate(std::string_view tag);
  void EndRotation();
  void TabStop(std::string_view tag);
  void EndFont();
  void EndParagraph();
  void Rule();

  CallState& call_;
  const RenderArgs& args_;
  DrawingSurface& canvas_;
  FlowState& flow_;
  Pass pass_;
  Rect rect_;
  int lineBottom_;
  std::string_view text_;
  std::size_t at_ = 0;
  LineMetrics& m_;
  FontState& font_;

  int penX_;
  bool lineEnd_ = false;
  bool lineFull_ = false;
  bool droppedRest_ = false;
  bool textHit_ = false;
  bool imageHit_ = false;
  bool listItemMet_ = false;
  bool lastRunEndsWithBlank_ = false;
  int blankWidth_ = 0;
};

}  // namespace quillmere::richtext
