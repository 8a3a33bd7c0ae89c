#include "toolkit/Controles.h"

#include <algorithm>

#include "toolkit/Formulario.h"

namespace tevo::tk {

TControl::TControl(TControl* parent, Kind kind, Texto name)
    : parent_(parent), kind_(kind), name_(std::move(name)) {
  if (parent_) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;  // ParentFont, as VCL
  }
}

TControl::~TControl() {
  peer_.reset();
  if (parent_) {
    auto& v = parent_->children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
}

TForm* TControl::Form() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c->kind_ == Kind::Form ? static_cast<TForm*>(c) : nullptr;
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  left_ = l, top_ = t, width_ = w, height_ = h;
  Changed(Prop::Bounds);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed(Prop::Enabled);
}

void TControl::SetCaption(const Texto& v) {
  if (v == caption_) return;
  caption_ = v;
  Changed(Prop::Caption);
}

void TControl::SetFont(const TFont& f) {
  font_ = f;
  Changed(Prop::Font);
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed(Prop::Color);
}

void TControl::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Changed(Prop::Cursor);
}

void TControl::Click() {
  if (OnClick) OnClick();
}

void TControl::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Changed(Prop::Style);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter();
}

void TControl::DoExit() {
  if (OnExit) OnExit();
}

void TControl::MouseDown(int x, int y) {
  if (OnMouseDown) OnMouseDown();
  if (OnMouseDownAt) OnMouseDownAt(x, y);
}

void TControl::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

void TControl::MouseUp(int x, int y) {
  if (OnMouseUp) OnMouseUp(x, y);
}

void TControl::KeyUp(int key) {
  if (OnKeyUp) OnKeyUp(key);
}

void TControl::SetFocus() {
  if (TForm* f = Form()) f->backend().SetFocus(*this);
}

bool TControl::Focused() const {
  TForm* f = const_cast<TControl*>(this)->Form();
  return f && f->backend().Focus() == this;
}

void TGradientPanel::SetGradient(TColor de, TColor para, bool horizontal) {
  de_ = de, para_ = para, horizontal_ = horizontal;
  Changed(Prop::Style);
}

TLinkLabel::TLinkLabel(TControl* parent, Texto name) : TLabel(parent, std::move(name), Kind::LinkLabel) {
  SetCursor(TCursor::HandPoint);
}

void TButton::Click() {
  if (!Enabled() || !Showing()) return;
  if (ModalResult != 0)
    if (TForm* f = Form()) f->SetModalResult(ModalResult);
  TControl::Click();
}

void TImageButton::SetAparencia(const Look& l) {
  look_ = l;
  Changed(Prop::Style);
}

void TCheckBox::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Changed(Prop::Checked);
  TControl::Click();
}

namespace {
bool AntesNaOrdem(const Texto& a, const Texto& b) {
  const Texto ma = MaiusculoAscii(a), mb = MaiusculoAscii(b);
  return ma != mb ? ma < mb : a < b;
}
}  // namespace

void TComboBox::SetItems(std::vector<Texto> items) {
  items_ = std::move(items);
  if (Sorted) std::stable_sort(items_.begin(), items_.end(), AntesNaOrdem);
  index_ = -1;
  Changed(Prop::Items);
}

void TComboBox::AddItem(const Texto& s) {
  if (Sorted) {
    auto it = std::upper_bound(items_.begin(), items_.end(), s, AntesNaOrdem);
    const int pos = int(it - items_.begin());
    items_.insert(it, s);
    if (index_ >= pos) ++index_;
  } else {
    items_.push_back(s);
  }
  Changed(Prop::Items);
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= int(items_.size())) i = -1;
  if (i == index_) return;
  index_ = i;
  Changed(Prop::ItemIndex);
}

void TComboBox::Select(int i) {
  SetItemIndex(i);
  if (OnChange) OnChange();
}

bool TComboBox::Select(const Texto& item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return false;
  Select(int(it - items_.begin()));
  return true;
}

void TEdit::SetCaption(const Texto& v) {
  if (v == Caption()) return;
  SelLength = 0;
  if (SelStart > int(v.size())) SelStart = -1;
  TControl::SetCaption(v);
  Change();
}

void TEdit::SetPasswordChar(char16_t c) {
  if (c == passwordChar_) return;
  passwordChar_ = c;
  Changed(Prop::Style);
}

void TEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  Changed(Prop::ReadOnly);
}

void TEdit::TypeChar(char16_t c) {
  if (readOnly_ || !Enabled()) return;
  KeyPress(c);
  if (c == 0) return;
  Texto t = Text();
  size_t pos = SelStart < 0 || size_t(SelStart) > t.size() ? t.size() : size_t(SelStart);
  const size_t sel = SelLength > 0 ? std::min(size_t(SelLength), t.size() - pos) : 0;
  const bool noFim = SelStart < 0 && sel == 0;
  if (c == 8) {  // backspace
    if (sel > 0) {
      t.erase(pos, sel);
    } else {
      if (pos == 0) return;
      t.erase(--pos, 1);
    }
  } else if (c >= 32) {
    if (sel > 0) t.erase(pos, sel);
    if (MaxLength > 0 && int(t.size()) >= MaxLength) return;
    t.insert(pos++, 1, c);
  } else {
    return;
  }
  SetText(t);
  SelStart = noFim ? -1 : int(pos);
  SelLength = 0;
}

void TMemo::SetLines(const std::vector<Texto>& lines) {
  Texto t;
  for (const auto& l : lines) t += l + u"\r\n";
  SetText(t);
}

std::vector<Texto> TMemo::Lines() const {
  std::vector<Texto> r;
  const Texto& t = Text();
  size_t b = 0;
  while (b < t.size()) {
    size_t e = t.find(u"\r\n", b);
    if (e == Texto::npos) {
      r.push_back(t.substr(b));
      break;
    }
    r.push_back(t.substr(b, e - b));
    b = e + 2;
  }
  return r;
}

void TListBox::AddItem(const Texto& s) {
  items_.push_back(s);
  Changed(Prop::Items);
}

void TListBox::Clear() {
  items_.clear();
  index_ = -1;
  Changed(Prop::Items);
}

void TListBox::SetItemIndex(int i) {
  index_ = i;
  Changed(Prop::ItemIndex);
}

void TImage::SetPicture(std::vector<uint8_t> bytes) {
  picture_ = std::move(bytes);
  Changed(Prop::Style);
}

void TProgressBar::SetPosition(int p) {
  position_ = p;
  Changed(Prop::Caption);
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  Changed(Prop::TimerState);
}

void TTimer::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  Changed(Prop::TimerState);
}

// ------------------------------------------------------------------ wizard

TWizardPage::TWizardPage(TWizard* wizard, Texto name, Texto title)
    : TControl(wizard, Kind::WizardPage, std::move(name)) {
  SetCaption(title);
  SetColor(clWhite);
  SetVisible(false);
  wizard->pages_.push_back(this);
}

TRouteMap::TRouteMap(TWizard* wizard) : TControl(wizard, Kind::RouteMap, u"RouteMap"), wizard_(wizard) {}

TWizard::TWizard(TControl* parent, Texto name)
    : TControl(parent, Kind::Wizard, std::move(name)),
      RouteMap(this),
      ButtonBar(this, u"ButtonBar"),
      BackButton(&ButtonBar, u"BackButton"),
      NextButton(&ButtonBar, u"NextButton"),
      FinishButton(&ButtonBar, u"FinishButton"),
      CancelButton(&ButtonBar, u"CancelButton") {
  BackButton.SetCaption(u"Voltar");
  NextButton.SetCaption(u"Prosseguir");
  FinishButton.SetCaption(u"Finalizar");
  CancelButton.SetCaption(u"Cancelar");
  BackButton.OnClick = [this] { Back(); };
  NextButton.OnClick = [this] { Next(); };
  FinishButton.OnClick = [this] {
    if (OnFinishButtonClick) OnFinishButtonClick();
  };
  CancelButton.OnClick = [this] {
    if (OnCancelButtonClick) OnCancelButtonClick();
  };
}

void TWizard::Arrange(int routeMapWidth, int buttonBarHeight) {
  const int h = Height() - buttonBarHeight;
  RouteMap.SetBounds(0, 0, routeMapWidth, h);
  pageLeft_ = routeMapWidth, pageWidth_ = Width() - routeMapWidth, pageHeight_ = h;
  for (auto* p : pages_) p->SetBounds(pageLeft_, 0, pageWidth_, pageHeight_);
  ButtonBar.SetBounds(0, h, Width(), buttonBarHeight);
  UpdateButtons();
}

void TWizard::SetActivePage(TWizardPage& p) {
  auto it = std::find(pages_.begin(), pages_.end(), &p);
  if (it == pages_.end()) return;
  index_ = int(it - pages_.begin());
  for (auto* q : pages_) q->SetVisible(q == &p);
  UpdateButtons();
  Changed(Prop::ActivePage);
  RouteMap.SetCaption(p.Title());  // the route map's text is the active node's title
  if (p.OnEnterPage) p.OnEnterPage();
}

void TWizard::Next() {
  TWizardPage* p = ActivePage();
  if (!p) return;
  bool stop = false;
  if (p->OnNextButtonClick) p->OnNextButtonClick(stop);
  if (stop || ActivePage() != p) return;
  if (index_ + 1 < int(pages_.size())) SetActivePage(*pages_[index_ + 1]);
}

void TWizard::Back() {
  if (index_ > 0) SetActivePage(*pages_[index_ - 1]);
}

void TWizard::UpdateButtons() {
  const TWizardPage* p = ActivePage();
  BackButton.SetVisible(p && p->ShowBack);
  NextButton.SetVisible(p && p->ShowNext);
  FinishButton.SetVisible(p && p->ShowFinish);
  CancelButton.SetVisible(p && p->ShowCancel);
  // visible buttons from the right edge, in the order Back, Next, Finish, Cancel
  int x = ButtonBar.Width() - 10;
  TButton* ordem[] = {&CancelButton, &FinishButton, &NextButton, &BackButton};
  for (TButton* b : ordem) {
    if (!b->Visible()) continue;
    x -= 75;
    b->SetBounds(x, (ButtonBar.Height() - 25) / 2, 75, 25);
    x -= b == &NextButton ? 12 : 6;
  }
}

}  // namespace tevo::tk
