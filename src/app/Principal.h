// TFPrincipal: the setup's main window. It holds the six-page wizard and, in its
// fields, the installation state carried from the configuration page to the run.
#pragma once

#include <memory>

#include "app/Contexto.h"
#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "toolkit/Formulario.h"

namespace tevo {

class TFMsg;

class TFPrincipal : public tk::TForm {
 public:
  explicit TFPrincipal(Contexto& ctx);
  ~TFPrincipal() override;

  // ---------------------------------------------------------- installation state
  Texto VDirInstal;
  Texto VDirApp;
  Texto VPathDeskTop;
  Texto VPathMenuIniciar;
  Texto VCodRev = u"N";
  bool VFB4Instalada = false;
  bool VFB5Instalada = false;
  bool VLib3050 = false;
  bool VInstalBckAuto = false;
  TFormaConexao VTipoInstal = TFormaConexao::fcNull;
  int32_t VCodCon = 0;
  std::unique_ptr<TChilKat> VAPIChilKat;

  // ---------------------------------------------------------- top panel
  tk::TPanel PanelTopo{this, u"PanelTopo"};
  tk::TImage JvImageLogoTEVO{&PanelTopo, u"JvImageLogoTEVO"};
  tk::TLabel LabelTitulo{&PanelTopo, u"LabelTitulo"};
  tk::TLabel LabelVersao{&PanelTopo, u"LabelVersao"};
  tk::TLinkLabel LabelSiteTitulo{&PanelTopo, u"LabelSiteTitulo"};

  // ---------------------------------------------------------- wizard and pages
  tk::TWizard JvWizard1{this, u"JvWizard1"};
  tk::TWizardPage PgBemVindo{&JvWizard1, u"PgBemVindo", u"Início"};
  tk::TWizardPage PgTermosUso{&JvWizard1, u"PgTermosUso", u"Termos de Uso"};
  tk::TWizardPage PgSuporte{&JvWizard1, u"PgSuporte", u"Suporte Técnico"};
  tk::TWizardPage PgConfigInstal{&JvWizard1, u"PgConfigInstal", u"Configurações"};
  tk::TWizardPage PgInstalacao{&JvWizard1, u"PgInstalacao", u"Instalação"};
  tk::TWizardPage PgFim{&JvWizard1, u"PgFim", u"Fim"};

  // welcome
  tk::TMemo JvMemoBemVindo{&PgBemVindo, u"JvMemoBemVindo"};
  tk::TLabel LabelLinksBemVindo{&PgBemVindo, u"LabelLinksBemVindo"};
  tk::TLabel LabelDescCertificado{&PgBemVindo, u"LabelDescCertificado"};
  tk::TLinkLabel Label15{&PgBemVindo, u"Label15"};
  tk::TLabel LabelDescVideo{&PgBemVindo, u"LabelDescVideo"};
  tk::TLinkLabel Label29{&PgBemVindo, u"Label29"};

  // terms of use
  tk::TLabel LabelTituloTermos{&PgTermosUso, u"LabelTituloTermos"};
  tk::TMemo JvMemoTermos{&PgTermosUso, u"JvMemoTermos"};
  tk::TCheckBox BoxTermos{&PgTermosUso, u"BoxTermos"};
  tk::TLabel LabelLinksTermos{&PgTermosUso, u"LabelLinksTermos"};
  tk::TLabel LabelDescContrato{&PgTermosUso, u"LabelDescContrato"};
  tk::TLinkLabel Label5{&PgTermosUso, u"Label5"};

  // technical support
  tk::TLabel LabelTituloSuporte{&PgSuporte, u"LabelTituloSuporte"};
  tk::TMemo JvMemoSuporte{&PgSuporte, u"JvMemoSuporte"};
  tk::TMemo JvMemoObtendoSuporte{&PgSuporte, u"JvMemoObtendoSuporte"};
  tk::TCheckBox BoxSuporte{&PgSuporte, u"BoxSuporte"};
  tk::TLabel LabelLinksSuporte{&PgSuporte, u"LabelLinksSuporte"};
  tk::TLabel Label10{&PgSuporte, u"Label10"};
  tk::TLinkLabel Label11{&PgSuporte, u"Label11"};
  tk::TLabel Label12{&PgSuporte, u"Label12"};
  tk::TLinkLabel Label13{&PgSuporte, u"Label13"};

  // configuration
  tk::TLabel LabelTituloConfig{&PgConfigInstal, u"LabelTituloConfig"};
  tk::TLabel LabelSecaoTipo{&PgConfigInstal, u"LabelSecaoTipo"};
  tk::TLabel LabelTipoConexao{&PgConfigInstal, u"LabelTipoConexao"};
  tk::TComboBox ComboTipoCon{&PgConfigInstal, u"ComboTipoCon"};
  tk::TLabel LabelAvisoSohUseSeforTI{&PgConfigInstal, u"LabelAvisoSohUseSeforTI"};
  tk::TLabel LabelLocal{&PgConfigInstal, u"LabelLocal"};
  tk::TEdit JvDirInstal{&PgConfigInstal, u"JvDirInstal"};
  tk::TButton JvDirInstalBotao{&PgConfigInstal, u"JvDirInstalBotao"};
  tk::TCheckBox BoxInstalaTEVOFixo{&PgConfigInstal, u"BoxInstalaTEVOFixo"};
  tk::TCheckBox BoxInstalBackAuto{&PgConfigInstal, u"BoxInstalBackAuto"};
  tk::TCheckBox BoxLib3050{&PgConfigInstal, u"BoxLib3050"};
  tk::TLabel LabelHost{&PgConfigInstal, u"LabelHost"};
  tk::TEdit EditHost{&PgConfigInstal, u"EditHost"};
  tk::TLabel LabelUserMulti{&PgConfigInstal, u"LabelUserMulti"};
  tk::TEdit EditUserMulti{&PgConfigInstal, u"EditUserMulti"};
  tk::TLabel LabelLinksConfig{&PgConfigInstal, u"LabelLinksConfig"};
  tk::TLabel LabelDescManual{&PgConfigInstal, u"LabelDescManual"};
  tk::TLinkLabel Label24{&PgConfigInstal, u"Label24"};

  // installation: three areas in the same place, one shown at a time
  tk::TLabel LabelTituloInstalacao{&PgInstalacao, u"LabelTituloInstalacao"};
  tk::TLabel LabelErros{&PgInstalacao, u"LabelErros"};
  tk::TPanel GroupErros{&PgInstalacao, u"GroupErros"};
  tk::TMemo JvMemoErros{&GroupErros, u"JvMemoErros"};
  tk::TLabel LabelTarefas{&PgInstalacao, u"LabelTarefas"};
  tk::TPanel GroupTarefas{&PgInstalacao, u"GroupTarefas"};
  tk::TCheckBox BoxTarefaLib3050{&GroupTarefas, u"BoxTarefaLib3050"};
  tk::TCheckBox BoxTarefaBackup{&GroupTarefas, u"BoxTarefaBackup"};
  tk::TCheckBox BoxTarefaInstalTEVO{&GroupTarefas, u"BoxTarefaInstalTEVO"};
  tk::TCheckBox BoxTarefaFirebird{&GroupTarefas, u"BoxTarefaFirebird"};
  tk::TLabel LabelTarefasExecutadas{&PgInstalacao, u"LabelTarefasExecutadas"};
  tk::TListBox ListBoxTarefasExecutadas{&PgInstalacao, u"ListBoxTarefasExecutadas"};

  // closing
  tk::TLabel LabelTituloFim{&PgFim, u"LabelTituloFim"};
  tk::TMemo JvMemoFim{&PgFim, u"JvMemoFim"};
  tk::TLabel LabelEmpresa{&PgFim, u"LabelEmpresa"};
  tk::TLabel LabelEmpresaValor{&PgFim, u"LabelEmpresaValor"};
  tk::TLabel LabelOperador{&PgFim, u"LabelOperador"};
  tk::TLabel LabelOperadorValor{&PgFim, u"LabelOperadorValor"};
  tk::TLabel LabelSenha{&PgFim, u"LabelSenha"};
  tk::TLabel LabelSenhaValor{&PgFim, u"LabelSenhaValor"};
  tk::TLabel JvStaticTextDadosRevenda{&PgFim, u"JvStaticTextDadosRevenda"};
  tk::TLabel LabelLinksFim{&PgFim, u"LabelLinksFim"};
  tk::TLabel LabelDescSupTec{&PgFim, u"LabelDescSupTec"};
  tk::TLinkLabel LabelLinkSupTec{&PgFim, u"LabelLinkSupTec"};
  tk::TLabel LabelDescCertificadoFim{&PgFim, u"LabelDescCertificadoFim"};
  tk::TLinkLabel Label31{&PgFim, u"Label31"};

  // ---------------------------------------------------------- start-up
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void IniciaVariaveis();
  void LePastasShell();
  void AjustaTelaInstalacao();
  void MostraVersao();
  Texto VersaoDoExecutavel();

  // ---------------------------------------------------------- configuration page
  void PreencheTiposInstalacao();
  void ComboTipoConChange();
  void AjustaTelaConfiguracao();
  void BoxInstalaTEVOFixoClick();
  void BoxInstalBackAutoClick();
  void BoxLib3050Click();
  void PgConfigInstalEnterPage();
  void PgConfigInstalNextButtonClick(bool& Stop);
  void JvDirInstalBotaoClick();
  bool WindowsEh64Bits();

  // ---------------------------------------------------------- page flow and links
  void PgTermosUsoNextButtonClick(bool& Stop);
  void PgSuporteNextButtonClick(bool& Stop);
  void PgInstalacaoEnterPage();
  void PgInstalacaoNextButtonClick(bool& Stop);
  void JvWizard1CancelButtonClick();
  void JvWizard1FinishButtonClick();
  void AbreLink(tk::TLinkLabel& label);
  void SimulaTab();

  // ---------------------------------------------------------- reseller package
  void CarregaDadosRevenda();

  // ---------------------------------------------------------- archive tasks of the run
  bool ExtraiArquivosOutros();
  bool ExtraiArquivosSistema();
  void CriaSchemasNFe();
  void CriaSchemasCTe();
  void CriaSchemasMDFe();

  // ---------------------------------------------------------- run
  // Adds an empty line and the text to the task log and lets the window repaint.
  void RegistraTarefa(const Texto& VTexto);

  Contexto& ctx() { return ctx_; }
  TFMsg& Msg();

 private:
  void MontaTopo();
  void MontaPaginas();
  void MontaConfiguracao();
  void MontaInstalacao();
  void MontaFim();
  void MostraLinks(int topico);
  void LigaLinks(tk::TControl& c);
  // One archive task: extracts VDirApp + archive into the folder; logs on success,
  // shows the archive routine's error otherwise.
  bool ExtraiArquivo(const Texto& arquivo, const Texto& pasta, const Texto& linhaLog, bool criaPasta);

  Contexto& ctx_;
};

}  // namespace tevo
