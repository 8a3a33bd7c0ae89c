#include "app/Publicas.h"

namespace tevo {

Texto VMsgErro;
Texto VMsgErroDetalhe;

void LimpaMsgErro() {
  VMsgErro.clear();
  VMsgErroDetalhe.clear();
}

}  // namespace tevo
