// The wait window: a small borderless window in the middle of the screen while
// something long runs without progress of its own.
#pragma once

#include "toolkit/Formulario.h"

namespace tevo {

class TFProgressos : public tk::TForm {
 public:
  explicit TFProgressos(tk::Backend& backend);

  tk::TGradientPanel JvGradient1{this, u"JvGradient1"};
  tk::TLabel LabelMensagem{this, u"LabelMensagem"};
  tk::TProgressBar BarraProgresso{this, u"BarraProgresso"};

  void FormCreate();
  void FormShow();
  void FormHide();
};

// Puts the wait text for VMsg into the wait window, shows it and lets pending
// window messages run once so that it is painted before the caller's long work.
void MostraAguarde(TFProgressos& FProgressos, const Texto& VMsg);

}  // namespace tevo
