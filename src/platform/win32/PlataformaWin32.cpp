#include "platform/win32/PlataformaWin32.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/Fabrica.h"

namespace tevo {

namespace {

class LeituraWin32 : public ArquivoLeitura {
 public:
  LeituraWin32(HANDLE h, uint64_t tam) : h_(h), tam_(tam) {}
  ~LeituraWin32() override { CloseHandle(h_); }
  uint64_t Tamanho() const override { return tam_; }
  long long LeEm(uint64_t pos, void* buf, size_t n) override {
    if (pos != atual_) {
      LARGE_INTEGER li;
      li.QuadPart = static_cast<LONGLONG>(pos);
      if (!SetFilePointerEx(h_, li, nullptr, FILE_BEGIN)) return -1;
      atual_ = pos;
    }
    size_t total = 0;
    auto* p = static_cast<uint8_t*>(buf);
    while (total < n) {
      const DWORD pedir = static_cast<DWORD>(std::min<size_t>(n - total, 1u << 30));
      DWORD lidos = 0;
      if (!ReadFile(h_, p + total, pedir, &lidos, nullptr)) return -1;
      if (lidos == 0) break;
      total += lidos;
    }
    atual_ += total;
    return static_cast<long long>(total);
  }

 private:
  HANDLE h_;
  uint64_t tam_;
  uint64_t atual_ = 0;
};

class EscritaWin32 : public ArquivoEscrita {
 public:
  explicit EscritaWin32(HANDLE h) : h_(h) {}
  ~EscritaWin32() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool Escreve(const void* buf, size_t n) override {
    const auto* p = static_cast<const uint8_t*>(buf);
    while (n > 0) {
      const DWORD pedir = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
      DWORD escritos = 0;
      if (!WriteFile(h_, p, pedir, &escritos, nullptr) || escritos == 0) return ok_ = false;
      p += escritos;
      n -= escritos;
    }
    return ok_;
  }
  bool Fecha() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const bool ok = CloseHandle(h_) && ok_;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
  bool ok_ = true;
};

Texto SemBarraFinal(Texto s) {
  while (s.size() > 3 && (s.back() == u'\\' || s.back() == u'/')) s.pop_back();
  return s;
}

}  // namespace

Texto PlataformaWin32::TextoDoErro(DWORD codigo) {
  wchar_t* buf = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, codigo, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  Texto r = n ? Trim(T(buf, n)) : u"Erro do sistema " + IntToStr(codigo) + u".";
  if (buf) LocalFree(buf);
  return r;
}

Texto PlataformaWin32::CaminhoPrograma() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) return T(buf.c_str(), n);
    buf.resize(buf.size() * 2);
  }
}

std::optional<VersaoArquivo> PlataformaWin32::VersaoDoArquivo(const Texto& arquivo) {
  DWORD lixo = 0;
  const DWORD tam = GetFileVersionInfoSizeW(W(arquivo), &lixo);
  if (tam == 0) return std::nullopt;
  std::vector<uint8_t> dados(tam);
  if (!GetFileVersionInfoW(W(arquivo), 0, tam, dados.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(dados.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info || len < sizeof(*info))
    return std::nullopt;
  return VersaoArquivo{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

std::optional<std::vector<uint8_t>> PlataformaWin32::RecursoRCData(const Texto& nome) {
  HRSRC r = FindResourceW(nullptr, W(nome), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!r) return std::nullopt;
  HGLOBAL g = LoadResource(nullptr, r);
  const DWORD tam = SizeofResource(nullptr, r);
  const auto* p = static_cast<const uint8_t*>(g ? LockResource(g) : nullptr);
  if (!p) return std::nullopt;
  return std::vector<uint8_t>(p, p + tam);
}

std::optional<Texto> PlataformaWin32::LeRegistroTexto(RaizRegistro raiz, const Texto& chave, const Texto& valor) {
  const HKEY hraiz = raiz == RaizRegistro::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const REGSAM vista = raiz == RaizRegistro::LocalMachine ? KEY_WOW64_64KEY : 0;
  HKEY h = nullptr;
  if (RegOpenKeyExW(hraiz, W(chave), 0, KEY_QUERY_VALUE | vista, &h) != ERROR_SUCCESS) return std::nullopt;
  std::optional<Texto> r;
  DWORD tipo = 0, bytes = 0;
  if (RegQueryValueExW(h, W(valor), nullptr, &tipo, nullptr, &bytes) == ERROR_SUCCESS &&
      (tipo == REG_SZ || tipo == REG_EXPAND_SZ)) {
    std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
    if (RegQueryValueExW(h, W(valor), nullptr, &tipo, reinterpret_cast<BYTE*>(buf.data()), &bytes) == ERROR_SUCCESS)
      r = T(buf.c_str());
  }
  RegCloseKey(h);
  return r;
}

bool PlataformaWin32::ArquivoExiste(const Texto& caminho) {
  const DWORD a = GetFileAttributesW(W(caminho));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlataformaWin32::PastaExiste(const Texto& caminho) {
  const DWORD a = GetFileAttributesW(W(SemBarraFinal(caminho)));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlataformaWin32::CriaPastas(const Texto& caminho) {
  const Texto p = SemBarraFinal(caminho);
  if (p.empty() || PastaExiste(p)) return !p.empty();
  const size_t barra = p.find_last_of(u"\\/");
  if (barra != Texto::npos && barra > 0 && !(barra == 2 && p[1] == u':')) CriaPastas(p.substr(0, barra));
  if (!CreateDirectoryW(W(p), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    GuardaErro(GetLastError());
    return false;
  }
  return PastaExiste(p);
}

std::unique_ptr<ArquivoLeitura> PlataformaWin32::AbreLeitura(const Texto& caminho) {
  HANDLE h = CreateFileW(W(caminho), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    GuardaErro(GetLastError());
    return nullptr;
  }
  LARGE_INTEGER tam{};
  GetFileSizeEx(h, &tam);
  return std::make_unique<LeituraWin32>(h, static_cast<uint64_t>(tam.QuadPart));
}

std::unique_ptr<ArquivoEscrita> PlataformaWin32::CriaArquivo(const Texto& caminho) {
  HANDLE h = CreateFileW(W(caminho), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    GuardaErro(GetLastError());
    return nullptr;
  }
  return std::make_unique<EscritaWin32>(h);
}

bool PlataformaWin32::DefineDataModificacao(const Texto& caminho, const DataHora& q) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(q.ano);
  local.wMonth = static_cast<WORD>(q.mes);
  local.wDay = static_cast<WORD>(q.dia);
  local.wHour = static_cast<WORD>(q.hora);
  local.wMinute = static_cast<WORD>(q.minuto);
  local.wSecond = static_cast<WORD>(q.segundo);
  SYSTEMTIME utc{};
  FILETIME ft{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft)) return false;
  HANDLE h = CreateFileW(W(caminho), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
  return ok;
}

Texto PlataformaWin32::LeIniTexto(const Texto& arquivo, const Texto& secao, const Texto& chave, const Texto& padrao) {
  std::wstring buf(1024, L'\0');
  for (;;) {
    const DWORD n = GetPrivateProfileStringW(W(secao), W(chave), W(padrao), buf.data(),
                                             static_cast<DWORD>(buf.size()), W(arquivo));
    if (n < buf.size() - 1) return T(buf.c_str(), n);
    buf.resize(buf.size() * 2);
  }
}

uint16_t PlataformaWin32::ArquiteturaNativa() {
  SYSTEM_INFO si{};
  GetNativeSystemInfo(&si);
  return si.wProcessorArchitecture;
}

void PlataformaWin32::AbreEndereco(const Texto& endereco) {
  ShellExecuteW(GetActiveWindow(), L"open", W(endereco), nullptr, nullptr, SW_SHOWNORMAL);
}

std::optional<Texto> PlataformaWin32::SelecionaPasta(const Texto& titulo, const Texto& inicial) {
  const HRESULT co = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<Texto> r;
  IFileOpenDialog* dlg = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dlg)))) {
    FILEOPENDIALOGOPTIONS op = 0;
    dlg->GetOptions(&op);
    dlg->SetOptions(op | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dlg->SetTitle(W(titulo));
    IShellItem* pasta = nullptr;
    if (!inicial.empty() && SUCCEEDED(SHCreateItemFromParsingName(W(inicial), nullptr, IID_PPV_ARGS(&pasta)))) {
      dlg->SetFolder(pasta);
      pasta->Release();
    }
    IShellItem* escolhida = nullptr;
    if (SUCCEEDED(dlg->Show(GetActiveWindow())) && SUCCEEDED(dlg->GetResult(&escolhida))) {
      wchar_t* caminho = nullptr;
      if (SUCCEEDED(escolhida->GetDisplayName(SIGDN_FILESYSPATH, &caminho))) {
        r = T(caminho);
        CoTaskMemFree(caminho);
      }
      escolhida->Release();
    }
    dlg->Release();
  }
  if (SUCCEEDED(co)) CoUninitialize();
  return r;
}

void PlataformaWin32::InjetaTecla(uint8_t vk) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  SendInput(1, &in, sizeof(in));
}

RespostaCaixa PlataformaWin32::CaixaMensagem(const Texto& texto, const Texto& titulo, TipoCaixa tipo) {
  UINT estilo = MB_OK;
  switch (tipo) {
    case TipoCaixa::Erro: estilo |= MB_ICONERROR; break;
    case TipoCaixa::Aviso: estilo |= MB_ICONWARNING; break;
    case TipoCaixa::Informacao: estilo |= MB_ICONINFORMATION; break;
    case TipoCaixa::Pergunta: estilo = MB_YESNO | MB_ICONQUESTION; break;
  }
  switch (MessageBoxW(GetActiveWindow(), W(texto), W(titulo), estilo)) {
    case IDYES: return RespostaCaixa::Sim;
    case IDNO: return RespostaCaixa::Nao;
    case IDCANCEL: return RespostaCaixa::Cancelar;
    default: return RespostaCaixa::Ok;
  }
}

std::unique_ptr<Plataforma> CriaPlataformaWin32() { return std::make_unique<PlataformaWin32>(); }

}  // namespace tevo
