// The help page as the help window lays it out, on the GDI surface: one paint (the
// panel's whole paint, and the engine's layout and drawing of the text alone) and
// one hit-test (what every mouse move over the panel costs: the whole text laid
// out again), against a bare DrawTextExA of the same words in the same font and
// rectangle, measured in the same run.
//   help_text_bench.exe [repetitions]   prints one line a figure:
//     <name> <ms per call> <ratio to the bare DrawTextExA>
// Each figure is the median of seven batches of `repetitions` calls (default 200).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Measure.h"
#include "platform/win32/Handles.h"
#include "richtext/MiniHtml.h"
#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/GdiSurface.h"
#include "app/HelpForm.h"

namespace {

using namespace quillmere;

constexpr int kBatches = 7;

template <typename Work>
double MedianMilliseconds(int repetitions, Work&& work) {
  work();  // fonts made, caches warm
  std::vector<double> batches;
  for (int b = 0; b < kBatches; ++b) {
    batches.push_back(bench::Milliseconds([&] {
                        for (int i = 0; i < repetitions; ++i) work();
                      }) /
                      repetitions);
  }
  return bench::Median(batches);
}

int Run(int repetitions) {
  Thelpform form(nullptr);
  ShowWindow(form.hwnd(), SW_SHOWNOACTIVATE);
  TAdvPanel& panel = form.AdvPanel1();
  RECT client{};
  GetClientRect(panel.hwnd(), &client);
  const win32::UniqueBitmap bitmap = win32::MakeDibSection(client.right, client.bottom);
  const win32::UniqueDC dc(CreateCompatibleDC(nullptr));
  const win32::SelectObjectScope selected(dc.get(), bitmap.get());

  // The text area inside the bevel, as the panel paints it.
  const richtext::Rect area{1, 1, client.right - 1, client.bottom - 1};
  richtext::GdiFonts fonts;
  richtext::RenderArgs args;
  args.text = panel.Text();
  args.bounds = area;
  args.images = richtext::ImageListOf(panel.Images());
  args.wordWrap = true;
  args.shadowOffset = 2;
  const auto engine = [&](bool hitTest, int x, int y) {
    richtext::GdiSurface surface(dc.get(), fonts, panel.Font(), clWhite);
    richtext::RenderArgs call = args;
    call.checkAnchor = hitTest;
    call.xPos = x;
    call.yPos = y;
    return richtext::RenderMiniHTML(surface, call);
  };

  std::string plain = engine(true, 0, 0).plainText;
  const HFONT font = fonts.Get(dc.get(), panel.Font(), 0).font;
  const double bare = MedianMilliseconds(repetitions, [&] {
    const win32::SelectObjectScope use(dc.get(), font);
    RECT r{area.left + 1, area.top, area.right, area.bottom};
    DrawTextExA(dc.get(), plain.data(), static_cast<int>(plain.size()), &r, DT_WORDBREAK, nullptr);
  });
  const double enginePaint = MedianMilliseconds(repetitions, [&] { engine(false, 0, 0); });
  const double panelPaint = MedianMilliseconds(repetitions, [&] {
    SendMessageA(panel.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  });
  // A point on the second paragraph's words.
  const int x = client.right / 2;
  const int y = client.bottom / 2;
  const double engineHit = MedianMilliseconds(repetitions, [&] { engine(true, x, y); });
  const double panelHit = MedianMilliseconds(repetitions, [&] { panel.HitTest(x, y); });
  const double mouseMove = MedianMilliseconds(
      repetitions, [&] { SendMessageA(panel.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); });

  const auto report = [&](const char* what, double ms) {
    bench::PrintRow("help", std::string(what) + " / bare DrawTextExA of the help text",
                    bench::Fixed(ms / bare, 2), "report",
                    bench::Fixed(ms, 4) + " ms / " + bench::Fixed(bare, 4) + " ms, median of " +
                        std::to_string(kBatches) + " batches");
  };
  report("engine paint", enginePaint);
  report("panel paint", panelPaint);
  report("engine hit test", engineHit);
  report("panel hit test", panelHit);
  report("mouse move over the panel", mouseMove);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 200;
  if (repetitions <= 0) {
    std::fprintf(stderr, "usage: help_text_bench.exe [repetitions]\n");
    return 2;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  return Run(repetitions);
}
