// Regional settings and keyboard state, for the message dialog.
#include "platform/win32/PlataformaWin32.h"

namespace tevo {

namespace {

Texto InfoLocal(LCTYPE tipo, const wchar_t* padrao) {
  wchar_t buf[128];
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, tipo, buf, 128);
  return n > 1 ? T(buf, static_cast<size_t>(n - 1)) : T(padrao);
}

}  // namespace

bool PlataformaWin32::CapsLockLigado() { return GetKeyState(VK_CAPITAL) != 0; }

DataHoraTexto PlataformaWin32::AgoraTexto() {
  SYSTEMTIME agora;
  GetLocalTime(&agora);
  wchar_t data[128] = L"", hora[128] = L"";
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &agora, nullptr, data, 128, nullptr);
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &agora, nullptr, hora, 128);
  return {T(data), T(hora)};
}

char16_t PlataformaWin32::SeparadorDecimal() {
  const Texto s = InfoLocal(LOCALE_SDECIMAL, L",");
  return s.empty() ? u',' : s[0];
}

char16_t PlataformaWin32::SeparadorMilhar() {
  const Texto s = InfoLocal(LOCALE_STHOUSAND, L".");
  return s.empty() ? u'.' : s[0];
}

Texto PlataformaWin32::FormatoDataCurta() { return InfoLocal(LOCALE_SSHORTDATE, L"dd/MM/yyyy"); }

std::string PlataformaWin32::ParaAnsi(const Texto& texto) {
  if (texto.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, W(texto), static_cast<int>(texto.size()), nullptr, 0, "?", nullptr);
  std::string r(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, W(texto), static_cast<int>(texto.size()), r.data(), n, "?", nullptr);
  return r;
}

}  // namespace tevo
