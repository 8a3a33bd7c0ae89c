// Forms (top-level windows) and the backend that shows them.
#pragma once

#include "toolkit/Controles.h"

namespace tevo::tk {

class Backend;

enum class TBorderStyle : uint8_t { Single, None };

// Modal results, as VCL numbers them.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;

// Virtual keys the forms react to.
constexpr int VK_TAB_ = 9, VK_RETURN_ = 13, VK_ESCAPE_ = 27;

class TForm : public TControl {
 public:
  TForm(Backend& backend, Texto name);
  ~TForm() override;

  Backend& backend() const { return backend_; }

  void SetClientSize(int w, int h) { SetBounds(Left(), Top(), w, h); }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  TBorderStyle BorderStyle = TBorderStyle::Single;
  bool StayOnTop = false;
  bool DoubleBuffered = false;
  bool KeyPreview = false;
  bool CenterOnScreen = true;  // placed in the centre of the screen when first shown
  bool TaskbarWindow = false;  // the program's window on the taskbar
  TControl* ActiveControl = nullptr;

  // Shows the form (not modal) and runs OnShow.
  void SetVisible(bool v) override;
  // Shows the form modally; returns its ModalResult once it is set (or the form hides).
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r);
  bool InModal() const { return inModal_; }
  // Closes the form: hides it; for the main form, the program's loop ends.
  void Close();
  bool Closed() const { return closed_; }
  // Centre the form on the screen (uses the backend's screen size).
  void CentraNaTela();
  // Native window handle when realised, else 0.
  uintptr_t Handle() const;

  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void()> OnClose;
  // A key pressed while the form is active (with KeyPreview, before the focused control).
  std::function<void(int& key)> OnKeyDown;
  // A key pressed: the backend and tests call this.
  void KeyDown(int key);
  // Moves the focus to the next control in tab order after `atual` (what Tab does).
  void SelectNext(TControl& atual);

 private:
  Backend& backend_;
  int modalResult_ = mrNone;
  bool inModal_ = false;
  bool closed_ = false;
};

// A backend: how forms become visible and how the program waits for the user.
class Backend {
 public:
  virtual ~Backend() = default;
  // Makes the native windows of a form and its controls (does not show it).
  virtual void Realize(TForm& f) = 0;
  virtual void FormVisibilityChanged(TForm& f) = 0;
  // Runs the form modally until it has a modal result or is hidden.
  virtual void RunModal(TForm& f) = 0;
  // Lets pending window messages be processed once.
  virtual void ProcessMessages() = 0;
  // Runs the program's message loop until the main form closes.
  virtual void Run(TForm& main) = 0;
  // Number of lines the text takes in the font when wrapped at the width (pixels at 96 DPI).
  virtual int MeasureLines(const TFont& font, const Texto& text, int width) = 0;
  virtual void ScreenSize(int& w, int& h) = 0;
  // Native handle of a realised form (0 when none).
  virtual uintptr_t Handle(const TForm& f) = 0;
  // The focused control.
  virtual TControl* Focus() = 0;
  virtual void SetFocus(TControl& c) = 0;
  // Height in pixels of one line of text in the font (at 96 DPI).
  virtual int TextHeight(const TFont& font) { return (font.PixelHeight() * 23 + 19) / 20; }
  // Sends every mouse event to the control until released (dragging).
  virtual void SetCapture(TControl&) {}
  virtual void ReleaseCapture() {}
};

}  // namespace tevo::tk
