// The Win32 adapters, as main() sees them (no <windows.h> here).
#pragma once

#include <memory>

#include "platform/Plataforma.h"
#include "toolkit/Formulario.h"

namespace tevo {

std::unique_ptr<Plataforma> CriaPlataformaWin32();
std::unique_ptr<tk::Backend> CriaBackendWin32();

}  // namespace tevo
