// Test fixture: a fake machine, the headless backend and the main window made as
// the program makes it.
#pragma once

#include <memory>

#include "app/Contexto.h"
#include "app/Principal.h"
#include "platform/fake/PlataformaFalsa.h"
#include "toolkit/headless/Headless.h"
#include "ui/Msg.h"

namespace tevo::teste {

struct Maquina {
  PlataformaFalsa plat;
  tk::HeadlessBackend ui;
  Contexto ctx{plat, ui};
  std::unique_ptr<TFPrincipal> main_;

  explicit Maquina(bool criar = true) {
    plat.versoes[plat.caminhoPrograma] = {12, 1, 1, 0};
    if (criar) Cria();
  }
  void Cria() {
    main_ = std::make_unique<TFPrincipal>(ctx);
    ctx.CriaProgressos();
    ctx.Msg();
  }
  TFPrincipal& main() { return *main_; }
};

}  // namespace tevo::teste
