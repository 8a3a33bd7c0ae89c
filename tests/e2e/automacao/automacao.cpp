// Test tool: drives the setup's windows from outside, as a person would, through
// the windows' own classes and texts. One command per run:
//   automacao espera TITULO [s]          wait for a visible top-level window
//   automacao espera-fim TITULO [s]      wait until no such window exists
//   automacao lista TITULO               every child: class<TAB>text<TAB>visible<TAB>enabled
//   automacao clica TITULO CLASSE TEXTO  click a visible control (posted)
//   automacao marca TITULO TEXTO         click a visible check box
//   automacao seleciona TITULO ITEM      choose an item of the visible combo box
//   automacao digita TITULO N TEXTO      put text into the N-th visible EDIT (0-based)
//   automacao tecla TITULO VK            press a virtual key in the window
//   automacao fecha TITULO               the window's close box
// Exit code 0 when done, 1 when the window or control was not found, 2 on bad use.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring Texto(HWND h) {
  // WM_GETTEXT reads an EDIT's text across processes (GetWindowText does not)
  const LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(h, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(s.data()));
  s.resize(wcslen(s.c_str()));
  return s;
}

std::wstring Classe(HWND h) {
  wchar_t buf[128] = L"";
  GetClassNameW(h, buf, 128);
  return buf;
}

HWND Janela(const std::wstring& titulo) {
  struct Busca { const std::wstring* t; HWND achada; } b{&titulo, nullptr};
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* b = reinterpret_cast<Busca*>(l);
        if (IsWindowVisible(h) && Texto(h) == *b->t) {
          b->achada = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&b));
  return b.achada;
}

std::vector<HWND> Filhos(HWND pai) {
  std::vector<HWND> v;
  EnumChildWindows(
      pai, [](HWND h, LPARAM l) -> BOOL { reinterpret_cast<std::vector<HWND>*>(l)->push_back(h); return TRUE; },
      reinterpret_cast<LPARAM>(&v));
  return v;
}

bool Visivel(HWND h) { return IsWindowVisible(h); }

HWND Controle(HWND janela, const std::wstring& classe, const std::wstring& texto) {
  for (HWND h : Filhos(janela))
    if (Visivel(h) && _wcsicmp(Classe(h).c_str(), classe.c_str()) == 0 && Texto(h) == texto) return h;
  return nullptr;
}

HWND Espera(const std::wstring& titulo, double segundos) {
  const DWORD fim = GetTickCount() + static_cast<DWORD>(segundos * 1000);
  for (;;) {
    if (HWND h = Janela(titulo)) return h;
    if (GetTickCount() > fim) return nullptr;
    Sleep(100);
  }
}

void Clica(HWND h) {
  PostMessageW(h, BM_CLICK, 0, 0);
  Sleep(150);
}

int Falha(const char* o_que, const std::wstring& qual) {
  std::fprintf(stderr, "automacao: %s: %s\n", o_que, Utf8(qual).c_str());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring cmd = argv[1], titulo = argv[2];
  if (cmd == L"espera") return Espera(titulo, argc > 3 ? _wtof(argv[3]) : 20) ? 0 : Falha("sem janela", titulo);
  if (cmd == L"espera-fim") {
    const DWORD fim = GetTickCount() + static_cast<DWORD>((argc > 3 ? _wtof(argv[3]) : 20) * 1000);
    while (Janela(titulo)) {
      if (GetTickCount() > fim) return Falha("janela ainda aberta", titulo);
      Sleep(100);
    }
    return 0;
  }
  HWND j = Espera(titulo, 10);
  if (!j) return Falha("sem janela", titulo);
  if (cmd == L"lista") {
    for (HWND h : Filhos(j)) {
      std::wstring t = Texto(h);
      for (auto& c : t)
        if (c == L'\r' || c == L'\n' || c == L'\t') c = L'|';
      std::printf("%s\t%s\t%d\t%d\n", Utf8(Classe(h)).c_str(), Utf8(t).c_str(), Visivel(h) ? 1 : 0,
                  IsWindowEnabled(h) ? 1 : 0);
    }
    return 0;
  }
  if (cmd == L"clica" && argc >= 5) {
    HWND h = Controle(j, argv[3], argv[4]);
    if (!h) return Falha("sem controle", argv[4]);
    if (_wcsicmp(argv[3], L"Static") == 0) {
      PostMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), STN_CLICKED), reinterpret_cast<LPARAM>(h));
      Sleep(150);
    } else {
      Clica(h);
    }
    return 0;
  }
  if (cmd == L"marca" && argc >= 4) {
    HWND h = Controle(j, L"Button", argv[3]);
    if (!h) return Falha("sem caixa", argv[3]);
    Clica(h);
    return 0;
  }
  if (cmd == L"seleciona" && argc >= 4) {
    for (HWND h : Filhos(j))
      if (Visivel(h) && _wcsicmp(Classe(h).c_str(), L"ComboBox") == 0) {
        const LRESULT i = SendMessageW(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(argv[3]));
        if (i == CB_ERR) return Falha("sem item", argv[3]);
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        PostMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
        Sleep(150);
        return 0;
      }
    return Falha("sem lista", argv[3]);
  }
  if (cmd == L"digita" && argc >= 5) {
    int n = _wtoi(argv[3]);
    for (HWND h : Filhos(j))
      if (Visivel(h) && _wcsicmp(Classe(h).c_str(), L"Edit") == 0 && n-- == 0) {
        SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        return 0;
      }
    return Falha("sem campo", argv[3]);
  }
  if (cmd == L"tecla" && argc >= 4) {
    const WORD vk = static_cast<WORD>(_wtoi(argv[3]));
    SetForegroundWindow(j);
    Sleep(100);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(200);
    return 0;
  }
  if (cmd == L"fecha") {
    PostMessageW(j, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}
