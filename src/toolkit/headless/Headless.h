// Test tool: the headless backend. Windows exist only as the controls' state; a
// test answers each modal form through a responder and reads what it shows.
#pragma once

#include <functional>
#include <vector>

#include "toolkit/Formulario.h"

namespace tevo::tk {

class HeadlessBackend : public Backend {
 public:
  // Called for every modal form shown; it must give the form a modal result (for
  // example by clicking one of its buttons or pressing a key). A form left without
  // one is closed with mrCancel and counted in unanswered.
  std::function<void(TForm&)> responder;
  int unanswered = 0;
  int processMessagesCalls = 0;
  int screenWidth = 1920, screenHeight = 1080;
  // Average character width as a share of the font's pixel height, for line measuring.
  double charWidthRatio = 0.55;
  // Forms in the order they were shown modally.
  std::vector<TForm*> modalHistory;

  void Realize(TForm&) override {}
  // A form that hides takes the focus away from its controls, as a native window does.
  void FormVisibilityChanged(TForm& f) override;
  void RunModal(TForm& f) override;
  void ProcessMessages() override { ++processMessagesCalls; }
  void Run(TForm&) override {}
  int MeasureLines(const TFont& font, const Texto& text, int width) override;
  void ScreenSize(int& w, int& h) override { w = screenWidth, h = screenHeight; }
  uintptr_t Handle(const TForm&) override { return 0; }
  TControl* Focus() override { return focus_; }
  void SetFocus(TControl& c) override;

 private:
  TControl* focus_ = nullptr;
};

}  // namespace tevo::tk
