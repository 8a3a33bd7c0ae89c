// Program start: makes the windows in their order and runs the message loop.
#pragma once

#include "platform/Plataforma.h"
#include "toolkit/Formulario.h"

namespace tevo {

int ExecutaPrograma(Plataforma& plataforma, tk::Backend& ui);

}  // namespace tevo
