// InstalacaoTEVO.exe: the real machine and real windows.
#include "app/Aplicacao.h"
#include "platform/win32/Fabrica.h"

int wmain() {
  auto plataforma = tevo::CriaPlataformaWin32();
  auto ui = tevo::CriaBackendWin32();
  return tevo::ExecutaPrograma(*plataforma, *ui);
}
