// What main() hands to the forms and services: the machine, the window backend and
// the program's forms. One object, made once; nothing else is global but the shared
// error texts.
#pragma once

#include <memory>

#include "platform/Plataforma.h"
#include "toolkit/Formulario.h"

namespace tevo {

class TFProgressos;
class TFMsg;

class Contexto {
 public:
  Contexto(Plataforma& plataforma, tk::Backend& ui);
  ~Contexto();

  Plataforma& plat;
  tk::Backend& ui;

  // The wait window (made second at start-up).
  TFProgressos& Progressos();
  void CriaProgressos();
  bool ProgressosCriado() const { return progressos_ != nullptr; }
  // The message dialog: made at start-up after the other windows, or earlier on
  // first use (a message may be needed while the main window is being made).
  TFMsg& Msg();
  bool MsgCriado() const { return msg_ != nullptr; }

 private:
  std::unique_ptr<TFProgressos> progressos_;
  std::unique_ptr<TFMsg> msg_;
};

}  // namespace tevo
