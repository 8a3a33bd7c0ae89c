#include "app/Aplicacao.h"

#include "app/Contexto.h"
#include "app/Principal.h"
#include "ui/Msg.h"

namespace tevo {

int ExecutaPrograma(Plataforma& plataforma, tk::Backend& ui) {
  Contexto ctx(plataforma, ui);
  TFPrincipal principal(ctx);  // FormCreate runs now, before any other window exists
  ctx.CriaProgressos();
  // No data module: nothing of the installation reads or writes through one.
  ctx.Msg();  // the message dialog, unless a message during start-up already made it
  principal.Show();
  ui.Run(principal);
  return 0;
}

}  // namespace tevo
