#include "toolkit/headless/Headless.h"

#include <algorithm>

namespace tevo::tk {

void HeadlessBackend::RunModal(TForm& f) {
  modalHistory.push_back(&f);
  if (responder) responder(f);
  if (f.ModalResult() == mrNone && f.Visible()) {
    ++unanswered;
    f.SetModalResult(mrCancel);
  }
}

int HeadlessBackend::MeasureLines(const TFont& font, const Texto& text, int width) {
  // Every character the same width: deterministic for tests.
  const int charW = std::max(1, int(font.PixelHeight() * charWidthRatio + 0.5));
  const int perLine = std::max(1, width / charW);
  int lines = 0;
  size_t b = 0;
  for (;;) {
    size_t e = text.find(u"\r\n", b);
    const size_t len = (e == Texto::npos ? text.size() : e) - b;
    lines += len == 0 ? 1 : int((len + perLine - 1) / perLine);
    if (e == Texto::npos) break;
    b = e + 2;
  }
  return lines;
}

void HeadlessBackend::SetFocus(TControl& c) {
  if (focus_ == &c) return;
  TControl* antes = focus_;
  focus_ = &c;
  if (antes) antes->DoExit();
  c.DoEnter();
}

void HeadlessBackend::FormVisibilityChanged(TForm& f) {
  if (f.Visible() || !focus_ || focus_->Form() != &f) return;
  TControl* antes = focus_;
  focus_ = nullptr;
  antes->DoExit();
}

}  // namespace tevo::tk
