#include "gauges/gui/GaugeHeader.h"

#include "toolkit/Controls.h"

namespace quillmere {
namespace {

const char* const kPieHint =
    "Blue    : Denotes Used Memory\r\n"
    "Yellow : Denotes Free Memory";

const char* const kInstructions =
    "Place a check next to the sections that you want to delete.\r\n"
    "Then press the \"Delete\" button";

}  // namespace

TGaugeHeader::TGaugeHeader(const Args& args) {
  Panel1 = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = args.parent,
                                                             .width = args.width,
                                                             .height = args.height,
                                                             .color = GetSysColor(COLOR_WINDOW)});
  Label1 = win32::CreateControl({.className = "STATIC",
                                 .text = "Choose Sections To Erase",
                                 .x = 8,
                                 .y = 3,
                                 .width = 300,
                                 .height = 14,
                                 .parent = Panel1->hwnd(),
                                 .font = args.boldFont});
  Label2 = win32::CreateControl({.className = "STATIC",
                                 .text = kInstructions,
                                 .x = 10,
                                 .y = 18,
                                 .width = 400,
                                 .height = 28,
                                 .parent = Panel1->hwnd(),
                                 .font = args.font});
  SimplePie = std::make_unique<TSimplePie>(Panel1->hwnd());
  SimplePie->SetBounds(432, 1, 67, 47);
  SimplePie->Hint = kPieHint;
  SimplePie->SetPosition(64);
  SimplePie->SetBasecolor(clYellow);
  SimplePie->SetUsedcolor(clBlue);
  Panel1->OnPaint = [this](HDC dc) { SimplePie->Paint(dc); };
}

}  // namespace quillmere
