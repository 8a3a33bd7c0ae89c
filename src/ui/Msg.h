// TFMsg: the one dialog through which every failure, notice and question reaches
// the user. Made once, reused for every message, shown modally.
#pragma once

#include <cstdint>

#include "toolkit/Formulario.h"
#include "ui/MeuEdit.h"

namespace tevo {

class Contexto;

// What the information request asks for.
enum class TFormatoPedidoInformacao : uint8_t {
  tfTexto = 0,
  tfInteiro = 1,
  tfNumerico = 2,
  tfTextoLista = 3,
  tfData = 4,
  tfPass = 5,
};

// Places a control in its container: horizontally by VPosicao (0 centre of the left
// half, 1 centre of the right half, 2 centre of the whole width, other values leave
// it) and, when VVertical, vertically centred too.
void CentralizaControle(tk::TControl& VControle, const tk::TControl& VContainer, int VPosicao, bool VVertical);

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
  // Asks the user for one value; VResult gets the answer as the field shows it.
  bool PedidoInformacao(Texto& VResult, const Texto& VMsg, TFormatoPedidoInformacao VTipo,
                        const Texto& VDefault = u"", const Texto& VFormatNumeric = u"#,##0.00");

  // Components, top to bottom.
  tk::TGradientPanel Cabecalho{this, u"Cabecalho"};
  tk::TPanel PanelFundo{this, u"PanelFundo"};
  tk::TMemo MemoMensagem{&PanelFundo, u"MemoMensagem"};
  tk::TPanel PanelCompoParaRetorno{&PanelFundo, u"PanelCompoParaRetorno"};
  TMeuEdit EditValorToRetorno{&PanelCompoParaRetorno, u"EditValorToRetorno"};
  tk::TComboBox ComboBoxToRetorno{&PanelCompoParaRetorno, u"ComboBoxToRetorno"};
  TMaskEdit MaskEditDataToRetorno{&PanelCompoParaRetorno, u"MaskEditDataToRetorno"};
  tk::TImage ImagePassChar{&PanelCompoParaRetorno, u"ImagePassChar"};
  tk::TLabel LabelCapsLockLigado{&PanelFundo, u"LabelCapsLockLigado"};
  tk::TLabel LabelPressioneQQTeclaParaContinuar{this, u"LabelPressioneQQTeclaParaContinuar"};
  tk::TLabel LabelVersaoEOutrasInf{this, u"LabelVersaoEOutrasInf"};
  tk::TPanel PanelRodape{this, u"PanelRodape"};
  tk::TGradientPanel Rodape{&PanelRodape, u"Rodape"};
  tk::TImageButton BotUm{&Rodape, u"BotUm"};
  tk::TImageButton BotDois{&Rodape, u"BotDois"};
  tk::TImageButton BotTres{&Rodape, u"BotTres"};
  tk::TTimer TimerFechaAuto{this, u"TimerFechaAuto"};

  // Header drag: in progress, and where in the header it began.
  bool VCapturando = false;
  struct TPonto {
    int32_t X = 0, Y = 0;
  } VPosMouse;
  // Seconds left in the countdown of Sucesso.
  int32_t VContToClose = 4;

  // Event handlers.
  void FormCreate();
  void FormShow();
  void FormKeyDown(int& Key);
  void TimerFechaAutoTimer();
  void CabecalhoMouseDown(int X, int Y);
  void CabecalhoMouseMove(int X, int Y);
  void CabecalhoMouseUp(int X, int Y);
  void MemoMensagemChange();
  void MemoMensagemEnter();
  void FechaSeContagem();
  void ImagePassCharClick();
  void EditValorToRetornoKeyUp(int Key);

 private:
  enum class Tipo : uint8_t {
    Sucesso, Erro, AvisoImportante, AvisoOutros, ConfirmacaoSimples, ConfirmacaoAtencao, ConfirmacaoErro,
    AvisoHelps, PedidoInformacao,
  };
  void Prepara();
  void Largura(const Texto& VTexto);
  void Estilo(Tipo t);
  void Altura();
  void Arruma();
  void Mostra(bool VCentraliza);
  Texto TextoDoErro(const Texto& VMsgBase, const Texto& VErroVariavel);
  bool Confirmacao(Tipo t, const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres);
  void VerificaCapsLock();

  Contexto& ctx_;
  bool VProcessarOnChangeMemo = false;
  int linhasMemo_ = 0;        // lines the message area displays, from the last measure
  bool jaMostrado_ = false;   // the very first show is centred whatever the method
};

}  // namespace tevo
