#include "app/EraserForm.h"

// The gauges of the main window: the figures behind the task captions, the disk line
// and the pie in the header.
namespace quillmere {

void TEraserForm::RefreshGauges() {
  quillmere::RefreshGauges(
      *this, GaugeSources{ports_.shell, UrlHistory1, ports_.urlCache, ports_.files}, *this);
}

void TEraserForm::SetPiePosition(int position) { SimplePie->SetPosition(position); }

}  // namespace quillmere
