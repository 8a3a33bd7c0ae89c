// TFMsg: the one dialog through which every failure, notice and question reaches
// the user. Made once, reused for every message, shown modally.
#pragma once

#include <cstdint>

#include "toolkit/Formulario.h"

namespace tevo {

class Contexto;

class TFMsg : public tk::TForm {
 public:
  explicit TFMsg(Contexto& ctx);
  ~TFMsg() override;

  void Erro(const Texto& VMsgBase, const Texto& VOutrasInf = u"", const Texto& VErroVariavel = u"");
  void AvisoImportante(const Texto& VMsgBase, const Texto& VErroVariavel = u"");
  void AvisoOutros(const Texto& VMsg);
  void AvisoHelps(const Texto& VMsg, int16_t VFonte, bool VComTabInicio);
  void Sucesso(const Texto& VMsg, int16_t VTempo);
  bool ConfirmacaoSimples(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres);
  bool ConfirmacaoAtencao(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres);
  bool ConfirmacaoErro(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres);
};

}  // namespace tevo
