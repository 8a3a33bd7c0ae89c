#include "toolkit/Formulario.h"

#include <algorithm>

namespace tevo::tk {

TForm::TForm(Backend& backend, Texto name) : TControl(nullptr, Kind::Form, std::move(name)), backend_(backend) {
  TControl::SetVisible(false);
}

TForm::~TForm() = default;

void TForm::SetVisible(bool v) {
  if (v == Visible()) return;
  if (v && !peer()) backend_.Realize(*this);
  if (v && CenterOnScreen) CentraNaTela();
  if (v) closed_ = false;
  TControl::SetVisible(v);
  backend_.FormVisibilityChanged(*this);
  if (v && OnShow) OnShow();
  if (!v && OnHide) OnHide();
}

int TForm::ShowModal() {
  modalResult_ = mrNone;
  inModal_ = true;
  Show();
  backend_.RunModal(*this);
  inModal_ = false;
  if (Visible()) Hide();
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  return modalResult_;
}

void TForm::SetModalResult(int r) { modalResult_ = r; }

void TForm::Close() {
  if (OnClose) OnClose();
  closed_ = true;
  if (inModal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
  Hide();
}

void TForm::CentraNaTela() {
  int w = 0, h = 0;
  backend_.ScreenSize(w, h);
  SetBounds((w - Width()) / 2, (h - Height()) / 2, Width(), Height());
}

uintptr_t TForm::Handle() const { return backend_.Handle(*this); }

void TForm::KeyDown(int key) {
  if (OnKeyDown) OnKeyDown(key);
}

namespace {
bool Focavel(const TControl& c) {
  switch (c.kind()) {
    case Kind::Button: case Kind::ImageButton: case Kind::CheckBox: case Kind::ComboBox:
    case Kind::Edit: case Kind::Memo: case Kind::ListBox:
      return c.TabStop && c.Enabled() && c.Showing();
    default:
      return false;
  }
}

void EmOrdem(TControl& c, std::vector<TControl*>& v) {
  if (Focavel(c)) v.push_back(&c);
  for (TControl* f : c.Children()) EmOrdem(*f, v);
}
}  // namespace

void TForm::SelectNext(TControl& atual) {
  std::vector<TControl*> v;
  EmOrdem(*this, v);
  if (v.empty()) return;
  auto it = std::find(v.begin(), v.end(), &atual);
  TControl* prox = it == v.end() || it + 1 == v.end() ? v.front() : *(it + 1);
  prox->SetFocus();
}

}  // namespace tevo::tk
