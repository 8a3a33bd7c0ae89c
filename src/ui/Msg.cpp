#include "ui/Msg.h"

#include "app/Contexto.h"

namespace tevo {

TFMsg::TFMsg(Contexto& ctx) : tk::TForm(ctx.ui, u"FMsg") {}

TFMsg::~TFMsg() = default;

void TFMsg::Erro(const Texto& VMsgBase, const Texto&, const Texto&) {
  SetCaption(VMsgBase);
  ShowModal();
}
void TFMsg::AvisoImportante(const Texto& VMsgBase, const Texto&) {
  SetCaption(VMsgBase);
  ShowModal();
}
void TFMsg::AvisoOutros(const Texto& VMsg) {
  SetCaption(VMsg);
  ShowModal();
}
void TFMsg::AvisoHelps(const Texto& VMsg, int16_t, bool) {
  SetCaption(VMsg);
  ShowModal();
}
void TFMsg::Sucesso(const Texto& VMsg, int16_t) {
  SetCaption(VMsg);
  ShowModal();
}
bool TFMsg::ConfirmacaoSimples(const Texto& VMsg, const Texto&, const Texto&) {
  SetCaption(VMsg);
  return ShowModal() == tk::mrOk;
}
bool TFMsg::ConfirmacaoAtencao(const Texto& VMsg, const Texto&, const Texto&) {
  SetCaption(VMsg);
  return ShowModal() == tk::mrOk;
}
bool TFMsg::ConfirmacaoErro(const Texto& VMsg, const Texto&, const Texto&) {
  SetCaption(VMsg);
  return ShowModal() == tk::mrOk;
}

}  // namespace tevo
