// The window toolkit: controls with VCL-like properties and events. A control keeps
// its own state; a backend (headless for tests, win32 for the product) mirrors that
// state onto native windows through a peer and turns native input back into the
// control's events. No rule of the setup lives here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Texto.h"

namespace tevo::tk {

// Colour as 0x00RRGGBB.
using TColor = uint32_t;
constexpr TColor Rgb(uint8_t r, uint8_t g, uint8_t b) { return (TColor(r) << 16) | (TColor(g) << 8) | b; }
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clNavy = 0x000080, clMaroon = 0x800000,
                 clGreen = 0x008000, clBlue = 0x0000FF, clYellow = 0xFFFF00, clCream = 0xFFFBF0,
                 clBtnFace = 0xF0F0F0, clNone = 0xFF000000;

struct TFont {
  Texto Name = u"Tahoma";
  int Size = 8;    // points (at 96 DPI one point is 4/3 pixel)
  int Height = 0;  // pixels; when not 0 it wins over Size
  TColor Color = clBlack;
  bool Bold = false, Italic = false, Underline = false;
  // Character height in pixels at 96 DPI.
  int PixelHeight() const { return Height ? Height : (Size * 96 + 36) / 72; }
};

enum class TCursor : uint8_t { Default, HandPoint, HourGlass, Drag };
// Text alignment inside a control (labels, edits).
enum class TAlignment : uint8_t { Left, Right, Center };
enum class TAlign : uint8_t { None, Top, Bottom, Left, Right, Client };

enum class Kind : uint8_t {
  Form, Panel, GradientPanel, Label, LinkLabel, Button, ImageButton, CheckBox, ComboBox, Edit, Memo,
  ListBox, Image, ProgressBar, Wizard, WizardPage, RouteMap, Timer,
};

// What changed, for the peer to mirror.
enum class Prop : uint8_t {
  Bounds, Visible, Enabled, Caption, Font, Color, Checked, Items, ItemIndex, ReadOnly, Cursor, Style,
  ActivePage, Focus, TimerState,
};

class TControl;
class TForm;

// The native side of one control. Made by the backend when the control's form is realised.
class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Update(Prop p) = 0;
};

class TControl {
 public:
  TControl(TControl* parent, Kind kind, Texto name = {});
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  Kind kind() const { return kind_; }
  const Texto& Name() const { return name_; }
  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Children() const { return children_; }
  TForm* Form();
  Peer* peer() const { return peer_.get(); }
  void SetPeer(std::unique_ptr<Peer> p) { peer_ = std::move(p); }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int l, int t, int w, int h);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  const Texto& Caption() const { return caption_; }
  virtual void SetCaption(const Texto& v);

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  bool Transparent = false;
  bool WordWrap = false;
  TAlign Align = TAlign::None;
  // Whether Tab stops on the control (only focusable controls take the focus at all).
  bool TabStop = true;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

  // Events, named as the system names them.
  std::function<void()> OnClick;
  std::function<void()> OnEnter;
  std::function<void()> OnMouseDown;  // left button pressed on the control
  std::function<void()> OnExit;       // the control lost the focus
  // Mouse with the pointer's position in the control's client area (any button).
  std::function<void(int x, int y)> OnMouseDownAt;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(int x, int y)> OnMouseUp;
  // A key released while the control has the focus (virtual key code).
  std::function<void(int key)> OnKeyUp;

  // What a user's click does (also used by the backends and tests).
  virtual void Click();
  // The control receives / loses the focus (the backend calls these; tests may too).
  virtual void DoEnter();
  virtual void DoExit();
  // Mouse and key input as the backend delivers it (tests may call these too).
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void KeyUp(int key);
  void SetFocus();
  bool Focused() const;

 protected:
  void Changed(Prop p) {
    if (peer_) peer_->Update(p);
  }

 private:
  TControl* parent_;
  Kind kind_;
  Texto name_;
  std::vector<TControl*> children_;
  std::unique_ptr<Peer> peer_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true;
  Texto caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  TCursor cursor_ = TCursor::Default;
  TAlignment alignment_ = TAlignment::Left;
};

class TPanel : public TControl {
 public:
  explicit TPanel(TControl* parent, Texto name = {}) : TControl(parent, Kind::Panel, std::move(name)) {}
};

// A panel painted with a two-colour gradient (top to bottom unless Horizontal).
class TGradientPanel : public TControl {
 public:
  explicit TGradientPanel(TControl* parent, Texto name = {})
      : TControl(parent, Kind::GradientPanel, std::move(name)) {}
  void SetGradient(TColor de, TColor para, bool horizontal = false);
  TColor StartColor() const { return de_; }
  TColor EndColor() const { return para_; }
  bool Horizontal() const { return horizontal_; }

 private:
  TColor de_ = clWhite, para_ = clWhite;
  bool horizontal_ = false;
};

class TLabel : public TControl {
 public:
  explicit TLabel(TControl* parent, Texto name = {}, Kind k = Kind::Label) : TControl(parent, k, std::move(name)) {
    Transparent = true;
  }
};

// A label that looks and acts like a web link (hand cursor, underlined).
class TLinkLabel : public TLabel {
 public:
  explicit TLinkLabel(TControl* parent, Texto name = {});
};

class TButton : public TControl {
 public:
  explicit TButton(TControl* parent, Texto name = {}, Kind k = Kind::Button) : TControl(parent, k, std::move(name)) {}
  int ModalResult = 0;  // set on the form when clicked, as VCL does
  void Click() override;
};

// A button drawn from a set of images (the message dialog's buttons); still a real
// button for automation and screen readers.
class TImageButton : public TButton {
 public:
  explicit TImageButton(TControl* parent, Texto name = {}) : TButton(parent, std::move(name), Kind::ImageButton) {}
  // Look: face colours and the corner cut, chosen by the form.
  struct Look {
    TColor face = clBtnFace, faceTo = clBtnFace, border = clBlack, text = clBlack;
    int corner = 0;  // pixels cut off the corners
  };
  const Look& Aparencia() const { return look_; }
  void SetAparencia(const Look& l);

 private:
  Look look_;
};

class TCheckBox : public TControl {
 public:
  // Painted in its parent's colour unless given one of its own (Transparent false).
  explicit TCheckBox(TControl* parent, Texto name = {}) : TControl(parent, Kind::CheckBox, std::move(name)) {
    Transparent = true;
  }
  bool Checked() const { return checked_; }
  // A change of state runs OnClick, whoever makes it (as VCL does).
  void SetChecked(bool v);
  void Click() override { SetChecked(!checked_); }

 private:
  bool checked_ = false;
};

class TComboBox : public TControl {
 public:
  explicit TComboBox(TControl* parent, Texto name = {}) : TControl(parent, Kind::ComboBox, std::move(name)) {}
  const std::vector<Texto>& Items() const { return items_; }
  void SetItems(std::vector<Texto> items);
  void AddItem(const Texto& s);
  int ItemIndex() const { return index_; }
  // Programmatic selection: does not run OnChange (as VCL).
  void SetItemIndex(int i);
  Texto Text() const { return index_ >= 0 && index_ < int(items_.size()) ? items_[index_] : Texto(); }
  // A user's selection: selects and runs OnChange.
  void Select(int i);
  bool Select(const Texto& item);
  std::function<void()> OnChange;
  // Items kept in alphabetical order (case-insensitive), as they are added.
  bool Sorted = false;

 private:
  std::vector<Texto> items_;
  int index_ = -1;
};

class TEdit : public TControl {
 public:
  explicit TEdit(TControl* parent, Texto name = {}, Kind k = Kind::Edit) : TControl(parent, k, std::move(name)) {
    SetColor(clWhite);
  }
  const Texto& Text() const { return Caption(); }
  void SetText(const Texto& t) { SetCaption(t); }
  // A new text drops the selection (the caret stays, within the text).
  void SetCaption(const Texto& v) override;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength = 0;
  std::function<void()> OnChange;
  // A key typed into the control: the handler may replace it, or drop it by setting it to 0.
  std::function<void(char16_t& key)> OnKeyPress;
  // Types one character as a user would (KeyPress first; backspace is 8; a
  // selection is replaced).
  void TypeChar(char16_t c);
  void Type(const Texto& s) {
    for (char16_t c : s) TypeChar(c);
  }
  int SelStart = -1;  // caret position for typing; -1 = end
  int SelLength = 0;  // selected characters from SelStart
  void SelectAll() {
    SelStart = 0;
    SelLength = int(Text().size());
  }
  // Character shown in place of each typed one (0: the text itself).
  char16_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char16_t c);

  // What the control does with a typed key before the native handling: runs
  // OnKeyPress. Controls with their own typing rules override it.
  virtual void KeyPress(char16_t& key) {
    if (OnKeyPress) OnKeyPress(key);
  }
  // The text changed: runs OnChange.
  virtual void Change() {
    if (OnChange) OnChange();
  }

 private:
  bool readOnly_ = false;
  char16_t passwordChar_ = 0;
};

// Multi-line text; read-only memos are the setup's text boxes.
class TMemo : public TEdit {
 public:
  explicit TMemo(TControl* parent, Texto name = {}) : TEdit(parent, std::move(name), Kind::Memo) { WordWrap = true; }
  // Lines joined by CR LF, each line ended by a line break.
  void SetLines(const std::vector<Texto>& lines);
  std::vector<Texto> Lines() const;
};

class TListBox : public TControl {
 public:
  explicit TListBox(TControl* parent, Texto name = {}) : TControl(parent, Kind::ListBox, std::move(name)) {
    SetColor(clWhite);
  }
  const std::vector<Texto>& Items() const { return items_; }
  void AddItem(const Texto& s);
  void Clear();
  int ItemIndex() const { return index_; }
  void SetItemIndex(int i);

 private:
  std::vector<Texto> items_;
  int index_ = -1;
};

// An image area; Picture holds a BMP/ICO file's bytes (empty: nothing is drawn).
class TImage : public TControl {
 public:
  explicit TImage(TControl* parent, Texto name = {}) : TControl(parent, Kind::Image, std::move(name)) {
    Transparent = true;
  }
  void SetPicture(std::vector<uint8_t> bytes);
  const std::vector<uint8_t>& Picture() const { return picture_; }
  bool Center = true;

 private:
  std::vector<uint8_t> picture_;
};

class TProgressBar : public TControl {
 public:
  explicit TProgressBar(TControl* parent, Texto name = {}) : TControl(parent, Kind::ProgressBar, std::move(name)) {}
  int Position() const { return position_; }
  void SetPosition(int p);

 private:
  int position_ = 0;
};

class TTimer : public TControl {
 public:
  explicit TTimer(TControl* parent, Texto name = {}) : TControl(parent, Kind::Timer, std::move(name)) {
    SetVisible(false);
  }
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Active() const { return active_; }
  void SetActive(bool v);
  std::function<void()> OnTimer;
  void Fire() {
    if (active_ && OnTimer) OnTimer();
  }

 private:
  int interval_ = 1000;
  bool active_ = false;
};

class TWizard;

// A page of a wizard; declared after its wizard, it adds itself to it.
class TWizardPage : public TControl {
 public:
  TWizardPage(TWizard* wizard, Texto name, Texto title);
  const Texto& Title() const { return Caption(); }
  // Which buttons the page shows.
  bool ShowBack = true, ShowNext = true, ShowFinish = false, ShowCancel = true;
  std::function<void()> OnEnterPage;
  std::function<void(bool& Stop)> OnNextButtonClick;
};

// The route map: one node per page, the active one highlighted. It cannot be clicked.
class TRouteMap : public TControl {
 public:
  explicit TRouteMap(TWizard* wizard);
  int ItemHeight = 30;
  int Indent = 15;
  TColor SelectedColor = Rgb(0x80, 0xFF, 0x00);
  TColor LineColor = clGreen;
  TColor DisabledColor = clCream;
  TWizard& Wizard() const { return *wizard_; }

 private:
  TWizard* wizard_;
};

// The wizard: pages, route map on the left, button bar at the bottom.
class TWizard : public TControl {
 public:
  explicit TWizard(TControl* parent, Texto name = u"JvWizard1");
  const std::vector<TWizardPage*>& Pages() const { return pages_; }
  TWizardPage* ActivePage() const { return index_ >= 0 ? pages_[index_] : nullptr; }
  int ActivePageIndex() const { return index_; }
  // Moves to a page: shows it and runs its OnEnterPage.
  void SetActivePage(TWizardPage& p);
  // Lays the route map, page area and button bar out for the wizard's size.
  void Arrange(int routeMapWidth, int buttonBarHeight);

  TRouteMap RouteMap;
  TPanel ButtonBar;
  TButton BackButton, NextButton, FinishButton, CancelButton;

  std::function<void()> OnCancelButtonClick;
  std::function<void()> OnFinishButtonClick;

  // Button actions (what a click on each does).
  void Next();
  void Back();

 private:
  friend class TWizardPage;
  void UpdateButtons();
  std::vector<TWizardPage*> pages_;
  int index_ = -1;
  int pageLeft_ = 0, pageWidth_ = 0, pageHeight_ = 0;
};

}  // namespace tevo::tk
