// The Win32 backend: each control becomes a real window of a standard class
// (BUTTON, STATIC, EDIT, COMBOBOX, LISTBOX) whose window text is its caption, so
// automation tools and screen readers read it. Only what no standard control can
// look like is painted here (gradients, route map, image buttons). Every coordinate
// is scaled by the window's DPI.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/win32/Fabrica.h"
#include "platform/win32/PlataformaWin32.h"
#include "toolkit/Formulario.h"

namespace tevo {

using namespace tk;

namespace {

constexpr wchar_t kClasseForm[] = L"TEVOForm";
constexpr wchar_t kClassePainel[] = L"TEVOPainel";

COLORREF Cor(TColor c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

UINT DpiDaJanela(HWND h) {
  using Fn = UINT(WINAPI*)(HWND);
  static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = fn && h ? fn(h) : 0;
  if (!dpi) {
    HDC dc = GetDC(nullptr);
    dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSY));
    ReleaseDC(nullptr, dc);
  }
  return dpi ? dpi : 96;
}

// A GDI font for the toolkit's font at a pixel height (already scaled).
HFONT CriaFonte(const TFont& f, int alturaPx) {
  return CreateFontW(-alturaPx, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, f.Italic, f.Underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     W(f.Name));
}

// A screen DC with the font selected at 96 DPI, for measuring text; freed with the object.
class DCDeMedida {
 public:
  explicit DCDeMedida(const TFont& f) : dc_(GetDC(nullptr)), fonte_(CriaFonte(f, f.PixelHeight())) {
    antiga_ = SelectObject(dc_, fonte_);
  }
  ~DCDeMedida() {
    SelectObject(dc_, antiga_);
    DeleteObject(fonte_);
    ReleaseDC(nullptr, dc_);
  }
  DCDeMedida(const DCDeMedida&) = delete;
  DCDeMedida& operator=(const DCDeMedida&) = delete;
  HDC dc() const { return dc_; }
  int AlturaLinha() const {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    return tm.tmHeight;
  }

 private:
  HDC dc_;
  HFONT fonte_;
  HGDIOBJ antiga_;
};

class BackendWin32;

class PeerWin32 : public Peer {
 public:
  PeerWin32(BackendWin32& b, TControl& c) : b_(b), c_(c) {}
  ~PeerWin32() override;
  void Update(Prop p) override;

  void Cria(HWND pai);
  HWND hwnd() const { return hwnd_; }
  TControl& controle() const { return c_; }
  UINT dpi() const;
  int S(int v) const { return MulDiv(v, static_cast<int>(dpi()), 96); }
  HBRUSH Pincel();
  HFONT Fonte() const { return fonte_; }
  void AplicaFonte();
  void AplicaPosicao();
  void AplicaItens();
  void CriaNos();
  void PosicionaNos();
  std::vector<HWND> nos;  // route map: one STATIC per page title
  UINT_PTR timerId = 0;
  bool atualizandoTexto = false;
  UINT dpiForm = 96;  // forms only

 private:
  BackendWin32& b_;
  TControl& c_;
  HWND hwnd_ = nullptr;
  HFONT fonte_ = nullptr;
  HBRUSH pincel_ = nullptr;
  TColor corPincel_ = clNone;
};

class BackendWin32 : public Backend {
 public:
  BackendWin32();
  void Realize(TForm& f) override;
  void FormVisibilityChanged(TForm& f) override;
  void RunModal(TForm& f) override;
  void ProcessMessages() override;
  void Run(TForm& main) override;
  int MeasureLines(const TFont& font, const Texto& text, int width) override;
  void ScreenSize(int& w, int& h) override;
  uintptr_t Handle(const TForm& f) override;
  TControl* Focus() override;
  void SetFocus(TControl& c) override;
  int TextHeight(const TFont& font) override;
  void SetCapture(TControl& c) override;
  void ReleaseCapture() override { ::ReleaseCapture(); }

  PeerWin32* PeerDe(HWND h) const {
    auto it = porJanela_.find(h);
    return it == porJanela_.end() ? nullptr : it->second;
  }
  void Registra(HWND h, PeerWin32* p) { porJanela_[h] = p; }
  // route-map node -> (route map peer, page index)
  std::unordered_map<HWND, std::pair<PeerWin32*, size_t>> nos;
  void Esquece(HWND h) { porJanela_.erase(h); }
  std::unordered_map<UINT_PTR, TTimer*> timers;
  UINT_PTR proximoTimer = 1;

  static LRESULT CALLBACK ProcForm(HWND h, UINT m, WPARAM w, LPARAM l);
  static LRESULT CALLBACK ProcPainel(HWND h, UINT m, WPARAM w, LPARAM l);
  static LRESULT CALLBACK ProcSub(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref);

 private:
  void CriaArvore(TControl& c, HWND pai);
  // One message: key preview, dialog navigation, dispatch. False on WM_QUIT.
  bool Trata(MSG& msg);
  static LRESULT Comum(HWND h, UINT m, WPARAM w, LPARAM l, bool& tratado);

  std::unordered_map<HWND, PeerWin32*> porJanela_;
};

BackendWin32* g_backend = nullptr;  // the window procedures find their backend here

// ------------------------------------------------------------------ peer

PeerWin32::~PeerWin32() {
  if (timerId) {
    if (TForm* f = c_.Form(); f && f->peer()) KillTimer(static_cast<PeerWin32*>(f->peer())->hwnd(), timerId);
    b_.timers.erase(timerId);
  }
  for (HWND n : nos) b_.nos.erase(n);
  if (hwnd_) {
    b_.Esquece(hwnd_);
    DestroyWindow(hwnd_);
  }
  if (fonte_) DeleteObject(fonte_);
  if (pincel_) DeleteObject(pincel_);
}

UINT PeerWin32::dpi() const {
  TForm* f = const_cast<TControl&>(c_).Form();
  if (f && f->peer()) return static_cast<PeerWin32*>(f->peer())->dpiForm;
  return 96;
}

HBRUSH PeerWin32::Pincel() {
  if (!pincel_ || corPincel_ != c_.Color()) {
    if (pincel_) DeleteObject(pincel_);
    pincel_ = CreateSolidBrush(Cor(c_.Color()));
    corPincel_ = c_.Color();
  }
  return pincel_;
}

void PeerWin32::AplicaFonte() {
  if (!hwnd_) return;
  const TFont& f = c_.Font();
  HFONT nova = CriaFonte(f, S(f.PixelHeight()));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(nova), TRUE);
  if (fonte_) DeleteObject(fonte_);
  fonte_ = nova;
}

void PeerWin32::AplicaPosicao() {
  if (!hwnd_) return;
  if (c_.kind() == Kind::Form) {
    const auto& f = static_cast<TForm&>(c_);
    RECT r{0, 0, S(f.ClientWidth()), S(f.ClientHeight())};
    const DWORD estilo = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, estilo, FALSE, ex);
    SetWindowPos(hwnd_, nullptr, S(f.Left()), S(f.Top()), r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int h = c_.Height();
  if (c_.kind() == Kind::ComboBox) h = 200;  // room for the drop-down list
  SetWindowPos(hwnd_, nullptr, S(c_.Left()), S(c_.Top()), S(c_.Width()), S(h), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PeerWin32::CriaNos() {
  auto& rm = static_cast<TRouteMap&>(c_);
  for (size_t i = 0; i < rm.Wizard().Pages().size(); ++i) {
    HWND n = CreateWindowExW(0, WC_STATICW, W(rm.Wizard().Pages()[i]->Title()),
                             WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, 0, 0, 10, 10,
                             hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(n, WM_SETFONT, reinterpret_cast<WPARAM>(fonte_), TRUE);
    nos.push_back(n);
    b_.nos[n] = {this, i};
  }
  PosicionaNos();
}

void PeerWin32::PosicionaNos() {
  auto& rm = static_cast<TRouteMap&>(c_);
  const int alt = S(rm.ItemHeight), x = S(rm.Indent) + S(10), topo = S(12);
  for (size_t i = 0; i < nos.size(); ++i) {
    SendMessageW(nos[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonte_), FALSE);
    SetWindowPos(nos[i], nullptr, x, topo + alt * static_cast<int>(i), S(c_.Width()) - x - S(4), alt,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(nos[i], nullptr, TRUE);
  }
}

void PeerWin32::AplicaItens() {
  if (c_.kind() == Kind::ComboBox) {
    auto& cb = static_cast<TComboBox&>(c_);
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& s : cb.Items()) SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(s)));
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(cb.ItemIndex()), 0);
  } else if (c_.kind() == Kind::ListBox) {
    auto& lb = static_cast<TListBox&>(c_);
    const auto n = static_cast<size_t>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
    if (n > lb.Items().size()) {
      SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    }
    for (size_t i = static_cast<size_t>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); i < lb.Items().size(); ++i)
      SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(lb.Items()[i])));
    SendMessageW(hwnd_, LB_SETTOPINDEX, lb.Items().empty() ? 0 : lb.Items().size() - 1, 0);
  }
}

void PeerWin32::Cria(HWND pai) {
  const wchar_t* classe = kClassePainel;
  DWORD estilo = WS_CHILD | WS_CLIPSIBLINGS, ex = 0;
  switch (c_.kind()) {
    case Kind::Form: {
      auto& f = static_cast<TForm&>(c_);
      classe = kClasseForm;
      estilo = f.BorderStyle == TBorderStyle::None ? WS_POPUP : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
      estilo |= WS_CLIPCHILDREN;
      ex = WS_EX_CONTROLPARENT | (f.StayOnTop ? WS_EX_TOPMOST : 0) | (f.TaskbarWindow ? WS_EX_APPWINDOW : 0);
      if (f.BorderStyle == TBorderStyle::None) ex |= WS_EX_TOOLWINDOW;
      break;
    }
    case Kind::Panel: case Kind::GradientPanel: case Kind::Wizard: case Kind::WizardPage:
    case Kind::RouteMap: case Kind::Image:
      ex = WS_EX_CONTROLPARENT;
      break;
    case Kind::Label: case Kind::LinkLabel:
      classe = WC_STATICW;
      estilo |= SS_NOPREFIX | SS_NOTIFY;
      estilo |= c_.Alignment() == TAlignment::Center  ? SS_CENTER
                : c_.Alignment() == TAlignment::Right ? SS_RIGHT
                : (c_.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case Kind::Button:
      classe = WC_BUTTONW;
      estilo |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case Kind::ImageButton:
      classe = WC_BUTTONW;
      estilo |= BS_OWNERDRAW | WS_TABSTOP;
      break;
    case Kind::CheckBox:
      classe = WC_BUTTONW;
      estilo |= BS_CHECKBOX | WS_TABSTOP;
      break;
    case Kind::ComboBox:
      classe = WC_COMBOBOXW;
      estilo |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      break;
    case Kind::Edit: {
      auto& e = static_cast<TEdit&>(c_);
      classe = WC_EDITW;
      estilo |= ES_AUTOHSCROLL | (e.ReadOnly() ? ES_READONLY : 0) | (e.PasswordChar() ? ES_PASSWORD : 0);
      estilo |= e.Alignment() == TAlignment::Center ? ES_CENTER : e.Alignment() == TAlignment::Right ? ES_RIGHT : 0;
      ex = WS_EX_CLIENTEDGE;
      break;
    }
    case Kind::Memo: {
      auto& e = static_cast<TEdit&>(c_);
      classe = WC_EDITW;
      estilo |= ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP | (e.ReadOnly() ? ES_READONLY : 0) |
                (c_.WordWrap ? 0 : ES_AUTOHSCROLL);
      break;
    }
    case Kind::ListBox:
      classe = WC_LISTBOXW;
      estilo |= LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ProgressBar:
      classe = PROGRESS_CLASSW;
      break;
    case Kind::Timer: {
      timerId = b_.proximoTimer++;
      b_.timers[timerId] = static_cast<TTimer*>(&c_);
      Update(Prop::TimerState);
      return;
    }
  }
  if (!c_.TabStop) estilo &= ~static_cast<DWORD>(WS_TABSTOP);
  if (c_.kind() == Kind::Form) {
    hwnd_ = CreateWindowExW(ex, classe, W(c_.Caption()), estilo, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    b_.Registra(hwnd_, this);
    dpiForm = DpiDaJanela(hwnd_);
  } else {
    if (c_.Visible()) estilo |= WS_VISIBLE;
    if (!c_.Enabled()) estilo |= WS_DISABLED;
    hwnd_ = CreateWindowExW(ex, classe, W(c_.Caption()), estilo, 0, 0, 10, 10, pai, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    b_.Registra(hwnd_, this);
    if (classe != kClassePainel) SetWindowSubclass(hwnd_, BackendWin32::ProcSub, 1, 0);
  }
  AplicaFonte();
  AplicaPosicao();
  if (c_.kind() == Kind::RouteMap) CriaNos();
  if (c_.kind() == Kind::CheckBox) Update(Prop::Checked);
  if (c_.kind() == Kind::ComboBox || c_.kind() == Kind::ListBox) AplicaItens();
  if (c_.kind() == Kind::Edit && static_cast<TEdit&>(c_).MaxLength > 0)
    SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(static_cast<TEdit&>(c_).MaxLength), 0);
  if (c_.kind() == Kind::ProgressBar) Update(Prop::Caption);
}

void PeerWin32::Update(Prop p) {
  if (c_.kind() == Kind::Timer) {
    if (p != Prop::TimerState || !timerId) return;
    TForm* f = c_.Form();
    HWND dono = f && f->peer() ? static_cast<PeerWin32*>(f->peer())->hwnd() : nullptr;
    auto& t = static_cast<TTimer&>(c_);
    if (t.Active()) SetTimer(dono, timerId, static_cast<UINT>(t.Interval()), nullptr);
    else KillTimer(dono, timerId);
    return;
  }
  if (!hwnd_) return;
  switch (p) {
    case Prop::Bounds: AplicaPosicao(); if (!nos.empty()) PosicionaNos(); break;
    case Prop::Visible:
      if (c_.kind() == Kind::Form) break;  // the backend shows forms itself
      ShowWindow(hwnd_, c_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Enabled: EnableWindow(hwnd_, c_.Enabled()); break;
    case Prop::Caption:
      if (c_.kind() == Kind::ProgressBar) {
        SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(static_cast<TProgressBar&>(c_).Position()), 0);
        break;
      }
      if (!atualizandoTexto) {
        atualizandoTexto = true;
        SetWindowTextW(hwnd_, W(c_.Caption()));
        atualizandoTexto = false;
      }
      if (c_.Transparent && c_.Parent()) {
        // a transparent text leaves its old pixels: have the parent repaint under it
        auto* pai = static_cast<PeerWin32*>(c_.Parent()->peer());
        RECT r;
        GetWindowRect(hwnd_, &r);
        if (pai) {
          MapWindowPoints(nullptr, pai->hwnd(), reinterpret_cast<POINT*>(&r), 2);
          InvalidateRect(pai->hwnd(), &r, TRUE);
        }
      }
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::Font: AplicaFonte(); if (!nos.empty()) PosicionaNos(); InvalidateRect(hwnd_, nullptr, TRUE); break;
    case Prop::Style:
      if (c_.kind() == Kind::Edit || c_.kind() == Kind::Memo) {
        auto& e = static_cast<TEdit&>(c_);
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, e.PasswordChar(), 0);
        LONG_PTR st = GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_CENTER | ES_RIGHT);
        st |= e.Alignment() == TAlignment::Center ? ES_CENTER : e.Alignment() == TAlignment::Right ? ES_RIGHT : 0;
        SetWindowLongPtrW(hwnd_, GWL_STYLE, st);
      } else if (c_.kind() == Kind::Label || c_.kind() == Kind::LinkLabel) {
        LONG_PTR st = GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
        st |= c_.Alignment() == TAlignment::Center  ? SS_CENTER
              : c_.Alignment() == TAlignment::Right ? SS_RIGHT
              : (c_.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
        SetWindowLongPtrW(hwnd_, GWL_STYLE, st);
      }
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::Color: case Prop::ActivePage: case Prop::Cursor:
      InvalidateRect(hwnd_, nullptr, TRUE);
      for (HWND n : nos) InvalidateRect(n, nullptr, TRUE);
      break;
    case Prop::Checked:
      SendMessageW(hwnd_, BM_SETCHECK, static_cast<TCheckBox&>(c_).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Prop::Items: AplicaItens(); break;
    case Prop::ItemIndex:
      if (c_.kind() == Kind::ComboBox)
        SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(static_cast<TComboBox&>(c_).ItemIndex()), 0);
      else if (c_.kind() == Kind::ListBox)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(static_cast<TListBox&>(c_).ItemIndex()), 0);
      break;
    case Prop::ReadOnly: SendMessageW(hwnd_, EM_SETREADONLY, static_cast<TEdit&>(c_).ReadOnly(), 0); break;
    case Prop::Focus: case Prop::TimerState: break;
  }
}

// ------------------------------------------------------------------ painting

void PintaGradiente(HDC dc, const RECT& r, TColor de, TColor para, bool horizontal) {
  TRIVERTEX v[2];
  auto canal = [](TColor c, int s) { return static_cast<COLOR16>(((c >> s) & 0xFF) << 8); };
  v[0] = {r.left, r.top, canal(de, 16), canal(de, 8), canal(de, 0), 0};
  v[1] = {r.right, r.bottom, canal(para, 16), canal(para, 8), canal(para, 0), 0};
  GRADIENT_RECT gr{0, 1};
  GradientFill(dc, v, 2, &gr, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void PintaRouteMap(HDC dc, PeerWin32& p, const RECT& r) {
  auto& rm = static_cast<TRouteMap&>(p.controle());
  HBRUSH fundo = CreateSolidBrush(Cor(rm.Color()));
  FillRect(dc, &r, fundo);
  DeleteObject(fundo);
  const auto& paginas = rm.Wizard().Pages();
  if (paginas.empty()) return;
  const int alt = p.S(rm.ItemHeight), x = p.S(rm.Indent), topo = p.S(12), raio = p.S(4);
  HPEN linha = CreatePen(PS_SOLID, std::max(1, p.S(1)), Cor(rm.LineColor));
  HGDIOBJ antiga = SelectObject(dc, linha);
  MoveToEx(dc, x, topo + alt / 2, nullptr);
  LineTo(dc, x, topo + alt / 2 + alt * static_cast<int>(paginas.size() - 1));
  for (size_t i = 0; i < paginas.size(); ++i) {
    const bool ativa = paginas[i] == rm.Wizard().ActivePage();
    const int cy = topo + alt / 2 + alt * static_cast<int>(i);
    HBRUSH b = CreateSolidBrush(Cor(ativa ? rm.SelectedColor : rm.LineColor));
    HGDIOBJ bAntigo = SelectObject(dc, b);
    Ellipse(dc, x - raio, cy - raio, x + raio + 1, cy + raio + 1);
    SelectObject(dc, bAntigo);
    DeleteObject(b);
  }
  SelectObject(dc, antiga);
  DeleteObject(linha);
}

// Draws a BMP file's bytes at its natural size (scaled by DPI), centred when asked.
void PintaBmp(HDC dc, PeerWin32& p, const TImage& img, const RECT& r) {
  const auto& d = img.Picture();
  if (d.size() < 14 + sizeof(BITMAPINFOHEADER) || d[0] != 'B' || d[1] != 'M') return;
  BITMAPINFOHEADER bih;
  std::memcpy(&bih, d.data() + 14, sizeof(bih));
  uint32_t inicio = 0;
  std::memcpy(&inicio, d.data() + 10, 4);
  const int w = bih.biWidth, h = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
  if (w <= 0 || h <= 0 || bih.biBitCount < 8 || inicio >= d.size()) return;
  const size_t linha = ((static_cast<size_t>(w) * bih.biBitCount + 31) / 32) * 4;
  if (inicio + linha * static_cast<size_t>(h) > d.size()) return;
  const int dw = p.S(w), dh = p.S(h);
  const int x = img.Center ? (r.right - r.left - dw) / 2 : 0, y = img.Center ? (r.bottom - r.top - dh) / 2 : 0;
  StretchDIBits(dc, x, y, dw, dh, 0, 0, w, h, d.data() + inicio, reinterpret_cast<const BITMAPINFO*>(d.data() + 14),
                DIB_RGB_COLORS, SRCCOPY);
}

void PintaPainel(HWND h, PeerWin32& p) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  TControl& c = p.controle();
  switch (c.kind()) {
    case Kind::RouteMap: PintaRouteMap(dc, p, r); break;
    case Kind::GradientPanel: {
      auto& g = static_cast<TGradientPanel&>(c);
      PintaGradiente(dc, r, g.StartColor(), g.EndColor(), g.Horizontal());
      if (!c.Caption().empty()) {
        HGDIOBJ antiga = SelectObject(dc, p.Fonte());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Cor(c.Font().Color));
        const UINT al = c.Alignment() == TAlignment::Center ? DT_CENTER : c.Alignment() == TAlignment::Right ? DT_RIGHT : DT_LEFT;
        DrawTextW(dc, W(c.Caption()), -1, &r, al | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, antiga);
      }
      break;
    }
    case Kind::Image: {
      TControl* pai = c.Parent();
      HBRUSH b = CreateSolidBrush(Cor(pai ? pai->Color() : c.Color()));
      FillRect(dc, &r, b);
      DeleteObject(b);
      PintaBmp(dc, p, static_cast<TImage&>(c), r);
      break;
    }
    default: {
      HBRUSH b = CreateSolidBrush(Cor(c.Color()));
      FillRect(dc, &r, b);
      DeleteObject(b);
    }
  }
  EndPaint(h, &ps);
}

void PintaBotaoImagem(const DRAWITEMSTRUCT& di, PeerWin32& p) {
  auto& bt = static_cast<TImageButton&>(p.controle());
  const auto& look = bt.Aparencia();
  HDC dc = di.hDC;
  RECT r = di.rcItem;
  TControl* pai = bt.Parent();
  if (pai && pai->kind() == Kind::GradientPanel) {
    // the parent's gradient, as it runs behind the button
    auto& g = static_cast<TGradientPanel&>(*pai);
    RECT rp{-p.S(bt.Left()), -p.S(bt.Top()), p.S(pai->Width() - bt.Left()), p.S(pai->Height() - bt.Top())};
    PintaGradiente(dc, rp, g.StartColor(), g.EndColor(), g.Horizontal());
  } else {
    HBRUSH fundo = CreateSolidBrush(Cor(pai ? pai->Color() : clBtnFace));
    FillRect(dc, &r, fundo);
    DeleteObject(fundo);
  }
  const int k = p.S(look.corner);
  POINT pts[8] = {{r.left + k, r.top},     {r.right - k, r.top},       {r.right, r.top + k},
                  {r.right, r.bottom - k}, {r.right - k, r.bottom},    {r.left + k, r.bottom},
                  {r.left, r.bottom - k},  {r.left, r.top + k}};
  HRGN rgn = CreatePolygonRgn(pts, 8, WINDING);
  SelectClipRgn(dc, rgn);
  PintaGradiente(dc, r, look.face, look.faceTo, false);
  SelectClipRgn(dc, nullptr);
  DeleteObject(rgn);
  HGDIOBJ antiga = SelectObject(dc, p.Fonte());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Cor(bt.Enabled() ? bt.Font().Color : 0x808080));
  RECT t = r;
  if (di.itemState & ODS_SELECTED) OffsetRect(&t, 1, 1);
  DrawTextW(dc, W(bt.Caption()), -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (di.itemState & ODS_FOCUS) {
    RECT f = r;
    InflateRect(&f, -p.S(3), -p.S(3));
    DrawFocusRect(dc, &f);
  }
  SelectObject(dc, antiga);
}

// ------------------------------------------------------------------ window procedures

LRESULT BackendWin32::Comum(HWND h, UINT m, WPARAM w, LPARAM l, bool& tratado) {
  tratado = true;
  BackendWin32& b = *g_backend;
  switch (m) {
    case WM_COMMAND: {
      PeerWin32* p = b.PeerDe(reinterpret_cast<HWND>(l));
      if (!p) break;
      TControl& c = p->controle();
      const UINT cod = HIWORD(w);
      switch (c.kind()) {
        case Kind::Button: case Kind::ImageButton: case Kind::CheckBox:
          if (cod == BN_CLICKED) c.Click();
          break;
        case Kind::Label: case Kind::LinkLabel:
          if (cod == STN_CLICKED) c.Click();
          break;
        case Kind::ComboBox:
          if (cod == CBN_SELCHANGE)
            static_cast<TComboBox&>(c).Select(static_cast<int>(SendMessageW(p->hwnd(), CB_GETCURSEL, 0, 0)));
          break;
        case Kind::Edit: case Kind::Memo:
          if (cod == EN_CHANGE && !p->atualizandoTexto) {
            const int n = GetWindowTextLengthW(p->hwnd());
            std::wstring s(static_cast<size_t>(n) + 1, L'\0');
            GetWindowTextW(p->hwnd(), s.data(), n + 1);
            p->atualizandoTexto = true;
            static_cast<TEdit&>(c).SetText(T(s.c_str()));
            p->atualizandoTexto = false;
          }
          break;
        default: break;
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (PeerWin32* p = b.PeerDe(di->hwndItem)) {
        PintaBotaoImagem(*di, *p);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: {
      if (auto no = b.nos.find(reinterpret_cast<HWND>(l)); no != b.nos.end()) {
        auto& rm = static_cast<TRouteMap&>(no->second.first->controle());
        const auto& paginas = rm.Wizard().Pages();
        const bool ativa = no->second.second < paginas.size() && paginas[no->second.second] == rm.Wizard().ActivePage();
        HDC dc = reinterpret_cast<HDC>(w);
        SetTextColor(dc, Cor(ativa ? rm.SelectedColor : rm.Font().Color));
        SetBkColor(dc, Cor(rm.Color()));
        return reinterpret_cast<LRESULT>(no->second.first->Pincel());
      }
      PeerWin32* p = b.PeerDe(reinterpret_cast<HWND>(l));
      if (!p) break;
      TControl& c = p->controle();
      HDC dc = reinterpret_cast<HDC>(w);
      SetTextColor(dc, Cor(c.Font().Color));
      if (c.Transparent && c.Parent()) {
        TControl* pai = c.Parent();
        if (pai->kind() == Kind::GradientPanel) {
          SetBkMode(dc, TRANSPARENT);
          return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        auto* pp = static_cast<PeerWin32*>(pai->peer());
        SetBkColor(dc, Cor(pai->Color()));
        return reinterpret_cast<LRESULT>(pp ? pp->Pincel() : GetStockObject(WHITE_BRUSH));
      }
      SetBkColor(dc, Cor(c.Color()));
      return reinterpret_cast<LRESULT>(p->Pincel());
    }
    case WM_SETCURSOR: {
      PeerWin32* p = b.PeerDe(reinterpret_cast<HWND>(w));
      if (!p || p->controle().Cursor() == TCursor::Default) break;
      const TCursor cur = p->controle().Cursor();
      SetCursor(LoadCursorW(nullptr, cur == TCursor::HandPoint ? IDC_HAND : cur == TCursor::Drag ? IDC_SIZEALL : IDC_WAIT));
      return TRUE;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_MOUSEMOVE: case WM_LBUTTONUP:
    case WM_RBUTTONUP: case WM_MBUTTONUP: {
      PeerWin32* p = b.PeerDe(h);
      if (!p) break;
      const int x = MulDiv(static_cast<short>(LOWORD(l)), 96, static_cast<int>(p->dpi()));
      const int y = MulDiv(static_cast<short>(HIWORD(l)), 96, static_cast<int>(p->dpi()));
      TControl& c = p->controle();
      if (m == WM_MOUSEMOVE) c.MouseMove(x, y);
      else if (m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP) c.MouseUp(x, y);
      else c.MouseDown(x, y);
      break;
    }
    default: break;
  }
  tratado = false;
  return 0;
}

LRESULT CALLBACK BackendWin32::ProcPainel(HWND h, UINT m, WPARAM w, LPARAM l) {
  bool tratado = false;
  const LRESULT r = Comum(h, m, w, l, tratado);
  if (tratado) return r;
  if (m == WM_PAINT) {
    if (PeerWin32* p = g_backend->PeerDe(h)) {
      PintaPainel(h, *p);
      return 0;
    }
  }
  if (m == WM_ERASEBKGND) return 1;
  return DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK BackendWin32::ProcForm(HWND h, UINT m, WPARAM w, LPARAM l) {
  bool tratado = false;
  const LRESULT r = Comum(h, m, w, l, tratado);
  if (tratado) return r;
  PeerWin32* p = g_backend->PeerDe(h);
  switch (m) {
    case WM_ERASEBKGND:
      if (p) {
        RECT rc;
        GetClientRect(h, &rc);
        FillRect(reinterpret_cast<HDC>(w), &rc, p->Pincel());
        return 1;
      }
      break;
    case WM_CLOSE:
      if (p) static_cast<TForm&>(p->controle()).Close();
      return 0;
    case WM_TIMER: {
      auto it = g_backend->timers.find(w);
      if (it != g_backend->timers.end()) it->second->Fire();
      return 0;
    }
    case WM_DPICHANGED:
      if (p) {
        p->dpiForm = HIWORD(w);
        const RECT* s = reinterpret_cast<const RECT*>(l);
        SetWindowPos(h, nullptr, s->left, s->top, s->right - s->left, s->bottom - s->top, SWP_NOZORDER | SWP_NOACTIVATE);
        // every control again at the new scale
        std::vector<TControl*> pilha(p->controle().Children().begin(), p->controle().Children().end());
        while (!pilha.empty()) {
          TControl* c = pilha.back();
          pilha.pop_back();
          if (auto* cp = static_cast<PeerWin32*>(c->peer())) {
            cp->AplicaFonte();
            cp->AplicaPosicao();
          }
          pilha.insert(pilha.end(), c->Children().begin(), c->Children().end());
        }
      }
      return 0;
    default: break;
  }
  return DefWindowProcW(h, m, w, l);
}

// The model's selection onto the native edit (-1 start: the caret at the end).
void AplicaSelecao(HWND h, const TEdit& e) {
  const int n = static_cast<int>(e.Text().size());
  const int de = e.SelStart < 0 || e.SelStart > n ? n : e.SelStart;
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(de), static_cast<LPARAM>(std::min(n, de + std::max(0, e.SelLength))));
}

LRESULT CALLBACK BackendWin32::ProcSub(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  PeerWin32* p = g_backend->PeerDe(h);
  if (p) {
    TControl& c = p->controle();
    if (m == WM_SETFOCUS) {
      const LRESULT r = DefSubclassProc(h, m, w, l);
      c.DoEnter();
      // a selection the model chose on entry (a read-only text keeps its scroll position)
      if ((c.kind() == Kind::Edit || c.kind() == Kind::Memo) && static_cast<TEdit&>(c).SelStart >= 0)
        AplicaSelecao(h, static_cast<TEdit&>(c));
      return r;
    }
    if (m == WM_KILLFOCUS) {
      const LRESULT r = DefSubclassProc(h, m, w, l);
      c.DoExit();
      return r;
    }
    if (m == WM_KEYUP) c.KeyUp(static_cast<int>(w));
    if (m == WM_CHAR && (c.kind() == Kind::Edit || c.kind() == Kind::Memo)) {
      auto& e = static_cast<TEdit&>(c);
      DWORD de = 0, ate = 0;
      SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&de), reinterpret_cast<LPARAM>(&ate));
      e.SelStart = static_cast<int>(de);
      e.SelLength = static_cast<int>(ate - de);
      const Texto antes = e.Text();
      char16_t k = static_cast<char16_t>(w);
      e.KeyPress(k);
      if (e.Text() != antes) AplicaSelecao(h, e);  // the handler rewrote the text itself
      if (k == 0) return 0;
      w = k;
    }
    if (m >= WM_MOUSEFIRST && m <= WM_MBUTTONUP && m != WM_LBUTTONDBLCLK && m != WM_RBUTTONDBLCLK) {
      bool tratado = false;
      Comum(h, m, w, l, tratado);
    }
    if (m == WM_GETDLGCODE && c.kind() == Kind::Memo) {
      // a multi-line edit would take Tab and Enter for itself; let the dialog navigation have them
      return DefSubclassProc(h, m, w, l) & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    }
  }
  return DefSubclassProc(h, m, w, l);
}

// ------------------------------------------------------------------ backend

BackendWin32::BackendWin32() {
  g_backend = this;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  using FnCtx = BOOL(WINAPI*)(HANDLE);
  if (auto fn = reinterpret_cast<FnCtx>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext"))))
    fn(reinterpret_cast<HANDLE>(-4) /* per-monitor v2; the manifest asks for it too */);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpfnWndProc = ProcForm;
  wc.lpszClassName = kClasseForm;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  RegisterClassExW(&wc);
  wc.lpfnWndProc = ProcPainel;
  wc.lpszClassName = kClassePainel;
  wc.hIcon = nullptr;
  RegisterClassExW(&wc);
}

void BackendWin32::CriaArvore(TControl& c, HWND pai) {
  auto peer = std::make_unique<PeerWin32>(*this, c);
  PeerWin32* p = peer.get();
  c.SetPeer(std::move(peer));
  p->Cria(pai);
  for (TControl* filho : c.Children()) CriaArvore(*filho, p->hwnd());
}

void BackendWin32::Realize(TForm& f) { CriaArvore(f, nullptr); }

void BackendWin32::FormVisibilityChanged(TForm& f) {
  auto* p = static_cast<PeerWin32*>(f.peer());
  if (!p) return;
  if (f.Visible()) {
    SetWindowPos(p->hwnd(), f.StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(p->hwnd(), SW_SHOW);
    UpdateWindow(p->hwnd());
    SetForegroundWindow(p->hwnd());
    if (f.ActiveControl) SetFocus(*f.ActiveControl);
  } else {
    ShowWindow(p->hwnd(), SW_HIDE);
    PostMessageW(nullptr, WM_NULL, 0, 0);  // wake a loop waiting for this form
  }
}

bool BackendWin32::Trata(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  HWND raiz = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  PeerWin32* pf = raiz ? PeerDe(raiz) : nullptr;
  if (pf && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
    auto& f = static_cast<TForm&>(pf->controle());
    if (f.KeyPreview && f.OnKeyDown) {
      int k = static_cast<int>(msg.wParam);
      f.KeyDown(k);
      if (k == 0) return true;
      msg.wParam = static_cast<WPARAM>(k);
      if (!f.Visible()) return true;  // the key closed the form
    }
  }
  if (pf && msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_SHIFT) >= 0) {
    // Tab goes through the form in its own order (into panels, from a focused panel)
    if (TControl* atual = Focus(); atual && atual->Form() == &pf->controle()) {
      static_cast<TForm&>(pf->controle()).SelectNext(*atual);
      return true;
    }
  }
  if (pf && IsDialogMessageW(raiz, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void BackendWin32::RunModal(TForm& f) {
  // every other visible window of the program waits while the dialog shows
  std::vector<HWND> desativadas;
  HWND propria = static_cast<PeerWin32*>(f.peer())->hwnd();
  for (auto& [h, p] : porJanela_)
    if (p->controle().kind() == Kind::Form && h != propria && IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      desativadas.push_back(h);
    }
  MSG msg;
  bool sair = false;
  while (f.ModalResult() == mrNone && f.Visible()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      sair = true;
      break;
    }
    Trata(msg);
  }
  for (HWND h : desativadas) EnableWindow(h, TRUE);
  if (!desativadas.empty()) SetActiveWindow(desativadas.front());
  if (sair) PostQuitMessage(static_cast<int>(msg.wParam));
}

void BackendWin32::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!Trata(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
}

void BackendWin32::Run(TForm& main) {
  MSG msg;
  while (!main.Closed() && main.Visible()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    Trata(msg);
  }
}

int BackendWin32::MeasureLines(const TFont& font, const Texto& text, int width) {
  DCDeMedida m(font);
  RECT r{0, 0, width, 0};
  const Texto medir = text.empty() ? Texto(u" ") : text;
  DrawTextW(m.dc(), W(medir), static_cast<int>(medir.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
  const int linha = std::max(1, m.AlturaLinha());
  return std::max(1, static_cast<int>((r.bottom - r.top + linha - 1) / linha));
}

void BackendWin32::ScreenSize(int& w, int& h) {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  const int dpi = static_cast<int>(DpiDaJanela(nullptr));
  w = MulDiv(r.right - r.left, 96, dpi);
  h = MulDiv(r.bottom - r.top, 96, dpi);
}

uintptr_t BackendWin32::Handle(const TForm& f) {
  auto* p = static_cast<PeerWin32*>(f.peer());
  return p ? reinterpret_cast<uintptr_t>(p->hwnd()) : 0;
}

TControl* BackendWin32::Focus() {
  PeerWin32* p = PeerDe(GetFocus());
  return p ? &p->controle() : nullptr;
}

int BackendWin32::TextHeight(const TFont& font) { return DCDeMedida(font).AlturaLinha(); }

void BackendWin32::SetCapture(TControl& c) {
  if (auto* p = static_cast<PeerWin32*>(c.peer()); p && p->hwnd()) ::SetCapture(p->hwnd());
}

void BackendWin32::SetFocus(TControl& c) {
  if (auto* p = static_cast<PeerWin32*>(c.peer()); p && p->hwnd()) ::SetFocus(p->hwnd());
}

}  // namespace

std::unique_ptr<tk::Backend> CriaBackendWin32() { return std::make_unique<BackendWin32>(); }

}  // namespace tevo
