#include "listview/gui/HtmlCells.h"

#include "richtext/MiniHtml.h"

namespace quillmere {
namespace {

richtext::SimpleRenderArgs ArgsFor(const TMiniHtmlCells::Cell& cell) {
  richtext::SimpleRenderArgs args;
  args.text = cell.text;
  args.bounds = {cell.bounds.left, cell.bounds.top, cell.bounds.right, cell.bounds.bottom};
  args.blinkOn = true;
  args.scale = 0;
  args.urlColor = cell.urlColor;
  return args;
}

}  // namespace

richtext::GdiSurface TMiniHtmlCells::SurfaceOn(const Cell& cell) {
  return richtext::GdiSurface(
      cell.dc, fonts_, richtext::FontStateOf(cell.dc, cell.font, cell.fontColor), cell.background);
}

// Colour tags and link colours show on selected rows too.
void TMiniHtmlCells::Draw(const Cell& cell) {
  richtext::GdiSurface surface = SurfaceOn(cell);
  richtext::RenderMiniHTMLSimple(surface, ArgsFor(cell));
}

std::string TMiniHtmlCells::LinkAt(const Cell& cell, POINT point) {
  richtext::GdiSurface surface = SurfaceOn(cell);
  richtext::SimpleRenderArgs args = ArgsFor(cell);
  args.xPos = point.x;
  args.yPos = point.y;
  args.checkAnchor = true;
  args.selected = true;
  richtext::SimpleRenderResult found = richtext::RenderMiniHTMLSimple(surface, args);
  return found.linkHit ? std::move(found.anchor) : std::string();
}

}  // namespace quillmere
