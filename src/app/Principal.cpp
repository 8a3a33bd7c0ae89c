#include "app/Principal.h"

#include <algorithm>

#include "app/Enderecos.h"
#include "ui/Msg.h"
#include "ui/Validacao.h"

namespace tevo {

using namespace tk;

namespace {

const TColor kNavy = clNavy;
const TColor kFundoConsentimento = Rgb(0xDE, 0xDC, 0xE9);
const TColor kRouteMapForm = Rgb(0x00, 0x59, 0x59);
const TColor kRouteMapMostrado = Rgb(0x80, 0x80, 0x40);
const Texto kPastaPadrao = u"C:\\SistemaTEVO\\";
constexpr int kLarguraPagina = 605 - 166;  // window less the route map

TFont Fonte(const char16_t* nome, int pontos, TColor cor, bool negrito = false, bool sublinhado = false) {
  TFont f;
  f.Name = nome;
  f.Size = pontos;
  f.Color = cor;
  f.Bold = negrito;
  f.Underline = sublinhado;
  return f;
}

// A read-only text box of the pages: borderless, white, Verdana 8 navy, wrapped.
void TextoSoLeitura(TMemo& m, int l, int t, int w, int h, const std::vector<Texto>& linhas) {
  m.SetBounds(l, t, w, h);
  m.SetReadOnly(true);
  m.WordWrap = true;
  m.SetColor(clWhite);
  m.SetFont(Fonte(u"Verdana", 8, kNavy));
  m.SetLines(linhas);
}

void Rotulo(TLabel& l, int x, int y, const Texto& texto, const TFont& f) {
  l.SetFont(f);
  l.SetCaption(texto);
  l.SetBounds(x, y, int(texto.size()) * f.PixelHeight() * 7 / 10 + 8, f.PixelHeight() + 3);
}

void TituloPagina(TLabel& l, int x, int y, const Texto& texto, TColor cor) {
  Rotulo(l, x, y, texto, Fonte(u"Calibri", 16, cor, true, true));
}

// "Links Úteis" block: the title, then each description (green) above its link (blue).
void TituloLinks(TLabel& l, int x, int y) { Rotulo(l, x, y, u"Links Úteis", Fonte(u"Tahoma", 10, clMaroon, false, true)); }
void DescricaoLink(TLabel& l, int x, int y, const Texto& texto) { Rotulo(l, x, y, texto, Fonte(u"Tahoma", 8, clGreen)); }
// A link's caption may be replaced (manual topic, reseller's site): it takes the row to the page's edge.
void Link(TLinkLabel& l, int x, int y, const Texto& endereco) {
  Rotulo(l, x, y, endereco, Fonte(u"Tahoma", 8, clBlue, false, true));
  l.SetWidth(std::max(l.Width(), kLarguraPagina - x - 6));
}

void Caixa(TCheckBox& b, int x, int y, int w, const Texto& texto) {
  b.SetCaption(texto);
  b.SetBounds(x, y, w, 17);
}

// The consent box of a page, on its own lilac background.
void CaixaConsentimento(TCheckBox& b, int y, const Texto& texto) {
  Caixa(b, 12, y, 415, texto);
  b.SetColor(kFundoConsentimento);
  b.Transparent = false;
}

Texto Brancos(int n) { return Texto(size_t(n), u' '); }

}  // namespace

TFPrincipal::TFPrincipal(Contexto& ctx) : TForm(ctx.ui, u"FPrincipal"), ctx_(ctx) {
  SetClientSize(605, 476);
  BorderStyle = TBorderStyle::Single;
  TaskbarWindow = true;
  SetFont(Fonte(u"Tahoma", 8, clBlack));
  MontaTopo();
  MontaPaginas();
  OnShow = [this] { FormShow(); };
  FormCreate();
}

TFPrincipal::~TFPrincipal() { FormDestroy(); }

TFMsg& TFPrincipal::Msg() { return ctx_.Msg(); }

// ------------------------------------------------------------------ layout

void TFPrincipal::MontaTopo() {
  PanelTopo.SetBounds(0, 0, 605, 71);
  PanelTopo.SetColor(Rgb(0x00, 0x40, 0x80));
  JvImageLogoTEVO.SetBounds(60, 3, 100, 65);
  JvImageLogoTEVO.Center = true;
  LabelTitulo.SetFont(Fonte(u"Arial", 14, Rgb(0x80, 0xFF, 0x00), true));
  LabelTitulo.SetCaption(u"Sistema TEVO - Instalação");
  LabelTitulo.SetBounds(190, 8, 300, 24);
  LabelVersao.SetFont(Fonte(u"Arial", 9, clYellow));
  LabelVersao.SetBounds(190, 34, 300, 16);
  LabelSiteTitulo.SetFont(Fonte(u"Tahoma", 8, clWhite, false, true));
  LabelSiteTitulo.SetCaption(enderecos::kSite);
  LabelSiteTitulo.SetBounds(190, 52, 300, 14);
}

void TFPrincipal::MontaPaginas() {
  JvWizard1.SetBounds(0, 71, 605, 405);
  JvWizard1.SetFont(Fonte(u"Tahoma", 8, clBlack));
  JvWizard1.Arrange(166, 42);
  JvWizard1.RouteMap.SetColor(kRouteMapForm);
  JvWizard1.RouteMap.SetFont(Fonte(u"Arial", 8, clCream));
  JvWizard1.ButtonBar.SetColor(clBtnFace);
  JvWizard1.OnCancelButtonClick = [this] { JvWizard1CancelButtonClick(); };
  JvWizard1.OnFinishButtonClick = [this] { JvWizard1FinishButtonClick(); };
  for (TWizardPage* p : JvWizard1.Pages()) {
    p->ShowBack = p->ShowNext = p->ShowCancel = true;
    p->ShowFinish = false;
  }

  // welcome
  TextoSoLeitura(JvMemoBemVindo, 12, 10, 415, 215,
                 {u"",
                  Brancos(12) + u"Bem-vindo à instalação do sistema TEVO, o gerenciador ",
                  u"com ",
                  u"o melhor custo benefício de todo o Brasil.",
                  u"",
                  Brancos(12) + u"Para uma instalação correta, completa e segura, é muito ",
                  u"importante você analisar todas as informações contidas nesta e ",
                  u"nas ",
                  u"demais telas deste instalador.",
                  Brancos(12) + u"Não deixe de analisar também o conteúdo de todos os ",
                  u"links ",
                  u"que serão apresentados na opção \"Links Úteis\" das telas.",
                  u"",
                  u"ATENÇÃO: para emissão de documentos fiscais, será necessário ",
                  u"um ",
                  u"certificado digital. Clique no link abaixo para agendar a emissão do ",
                  u"seu,  com cupom desconto TEVO."});
  TituloLinks(LabelLinksBemVindo, 15, 238);
  DescricaoLink(LabelDescCertificado, 20, 260, u"- Agendamento de certificado digital (com cupom desconto)");
  Link(Label15, 27, 275, enderecos::kCertificadoDigital);
  DescricaoLink(LabelDescVideo, 20, 297, u"- Vídeo aula com o passo a passo da instalação");
  Link(Label29, 27, 312, enderecos::Manual(enderecos::kTopicoServidor));
  ActiveControl = &JvMemoBemVindo;

  // terms of use
  TituloPagina(LabelTituloTermos, 80, 12, u"Termos e Condições de Uso", kNavy);
  TextoSoLeitura(JvMemoTermos, 12, 50, 415, 150,
                 {Brancos(14) + u"É muito importante que você esteja ciente de que ao ",
                  u"instalar este sistema em seu computador, você estará assinando ",
                  u"virtualmente e concordando com todas as cláusulas e condições do ",
                  u"contrato virtual que rege a utilização deste sistema.",
                  Brancos(14) + u"Esse contrato está disponível para análise e impressão ",
                  u"no ",
                  u"site do desenvolvedor - " + enderecos::kSite + u"."});
  CaixaConsentimento(BoxTermos, 210, u" Li, entendi e concordo com o contrato de uso do sistema TEVO");
  TituloLinks(LabelLinksTermos, 15, 260);
  DescricaoLink(LabelDescContrato, 20, 282, u"- Contrato com os termos e condições de uso TEVO");
  Link(Label5, 27, 297, enderecos::kContratoDeUso);
  PgTermosUso.OnNextButtonClick = [this](bool& Stop) { PgTermosUsoNextButtonClick(Stop); };

  // technical support
  TituloPagina(LabelTituloSuporte, 120, 8, u"O Suporte Técnico", kNavy);
  TextoSoLeitura(JvMemoSuporte, 12, 40, 415, 118,
                 {Brancos(14) + u"De acordo com o estabelecido no contrato de uso, este ",
                  u"sistema não tem suporte técnico por parte de seu desenvolvedor.",
                  u"",
                  Brancos(14) + u"O atendimento disponibilizado pelo desenvolvedor é tão ",
                  u"somente para orientações de onde, no manual de ajuda, você ",
                  u"encontrará os procedimentos para utilização de cada um dos módulos ",
                  u"que compõem o sistema."});
  TextoSoLeitura(JvMemoObtendoSuporte, 12, 160, 415, 52,
                 {Brancos(14) + u"Para obter suporte, o qual é opcional, você deverá ",
                  u"efetuar um contrato à parte junto a uma revenda credenciada e listada ",
                  u"no site oficial do desenvolvedor TEVO."});
  CaixaConsentimento(BoxSuporte, 216, u" Entendo e concordo com as condições do suporte técnico");
  TituloLinks(LabelLinksSuporte, 15, 240);
  DescricaoLink(Label10, 20, 260, u"- Página com orientações sobre o formato de atendimento do desenvolvedor");
  Link(Label11, 27, 274, enderecos::kSuporteComoFunciona);
  DescricaoLink(Label12, 20, 294, u"- Página com a listagem de revendas credenciadas para prestação de suporte");
  Link(Label13, 27, 308, enderecos::kListaRevendas);
  PgSuporte.OnNextButtonClick = [this](bool& Stop) { PgSuporteNextButtonClick(Stop); };

  MontaConfiguracao();
  MontaInstalacao();
  MontaFim();

  // every link label opens its own current caption
  LigaLinks(*this);

  // every read-only text passes the focus on at once
  for (TMemo* m : {&JvMemoBemVindo, &JvMemoTermos, &JvMemoSuporte, &JvMemoObtendoSuporte, &JvMemoFim, &JvMemoErros})
    m->OnEnter = [this] { SimulaTab(); };
}

void TFPrincipal::LigaLinks(TControl& c) {
  if (c.kind() == Kind::LinkLabel) {
    auto& link = static_cast<TLinkLabel&>(c);
    link.OnClick = [this, &link] { AbreLink(link); };
  }
  for (TControl* filho : c.Children()) LigaLinks(*filho);
}

void TFPrincipal::MontaConfiguracao() {
  TituloPagina(LabelTituloConfig, 103, 16, u"Configurações de Instalação", kNavy);
  Rotulo(LabelSecaoTipo, 32, 55, u"Tipo da Instalação", Fonte(u"Calibri", 9, kNavy, true));
  Rotulo(LabelTipoConexao, 23, 79, u"Tipo da Conexão", Fonte(u"Tahoma", 8, kNavy));
  ComboTipoCon.SetBounds(23, 93, 183, 21);
  ComboTipoCon.SetColor(Rgb(0xFC, 0xEF, 0xF7));
  ComboTipoCon.OnChange = [this] { ComboTipoConChange(); };

  LabelAvisoSohUseSeforTI.SetFont(Fonte(u"Arial", 7, Rgb(0xFF, 0, 0)));
  LabelAvisoSohUseSeforTI.SetColor(clYellow);
  LabelAvisoSohUseSeforTI.Transparent = false;
  LabelAvisoSohUseSeforTI.WordWrap = true;
  LabelAvisoSohUseSeforTI.SetCaption(u"ATENÇÃO: só use com supervisão técnica e  veja tópico 182 do manual.");
  LabelAvisoSohUseSeforTI.SetBounds(228, 79, 113, 40);

  Rotulo(LabelLocal, 23, 120, u"Local (pasta/diretório)", Fonte(u"Tahoma", 8, kNavy));
  JvDirInstal.SetBounds(22, 135, 336, 21);
  JvDirInstal.SetReadOnly(true);
  JvDirInstalBotao.SetCaption(u"...");
  JvDirInstalBotao.SetBounds(358, 135, 23, 21);
  JvDirInstalBotao.OnClick = [this] { JvDirInstalBotaoClick(); };

  Caixa(BoxInstalaTEVOFixo, 22, 166, 250, u"Instalação do TEVO");
  BoxInstalaTEVOFixo.SetChecked(true);
  Caixa(BoxInstalBackAuto, 21, 189, 250, u"Instalar Gerenciador de Backup");
  Caixa(BoxLib3050, 21, 207, 300, u"Liberar a porta 3050 no firewall deste micro");
  BoxInstalaTEVOFixo.OnClick = [this] { BoxInstalaTEVOFixoClick(); };
  BoxInstalBackAuto.OnClick = [this] { BoxInstalBackAutoClick(); };
  BoxLib3050.OnClick = [this] { BoxLib3050Click(); };

  Rotulo(LabelHost, 22, 229, u"Indique o host (endereço do servidor)", Fonte(u"Tahoma", 8, kNavy));
  EditHost.SetBounds(22, 245, 206, 21);
  Rotulo(LabelUserMulti, 249, 231, u"ID do BD", Fonte(u"Tahoma", 8, kNavy));
  EditUserMulti.SetBounds(249, 245, 133, 21);
  EditUserMulti.OnKeyPress = [](char16_t& k) {
    if (k != 8 && (k < u'0' || k > u'9')) k = 0;
  };

  TituloLinks(LabelLinksConfig, 22, 274);
  DescricaoLink(LabelDescManual, 23, 293, u"- Manual de ajuda com passos para instalação");
  Link(Label24, 30, 307, enderecos::Manual(enderecos::kTopicoServidor));

  PgConfigInstal.OnEnterPage = [this] { PgConfigInstalEnterPage(); };
  PgConfigInstal.OnNextButtonClick = [this](bool& Stop) { PgConfigInstalNextButtonClick(Stop); };
}

void TFPrincipal::MontaInstalacao() {
  TituloPagina(LabelTituloInstalacao, 100, 12, u"Finalização da Instalação", kNavy);
  Rotulo(LabelErros, 24, 0, u"Erros encontrados - corrija antes de prosseguir",
         Fonte(u"Calibri", 9, Rgb(0xFF, 0, 0), true));
  GroupErros.SetColor(clWhite);
  JvMemoErros.SetBounds(4, 4, 385, 272);
  JvMemoErros.SetReadOnly(true);
  JvMemoErros.SetFont(Fonte(u"Verdana", 8, kNavy));
  JvMemoErros.SetText(u"Possíveis Erros");
  Rotulo(LabelTarefas, 24, 0, u"Tarefas a serem executadas pelo instalador", Fonte(u"Calibri", 9, kNavy, true));
  Caixa(BoxTarefaLib3050, 12, 12, 360, u"Liberação da porta 3050");
  Caixa(BoxTarefaBackup, 12, 36, 360, u"Instalação do gerenciador de backup automático");
  Caixa(BoxTarefaInstalTEVO, 12, 60, 360, u"Instalação do TEVO - Servidor");
  Caixa(BoxTarefaFirebird, 12, 84, 360, u"Instalação do Firebird");
  Rotulo(LabelTarefasExecutadas, 24, 0, u"Tarefas executadas", Fonte(u"Calibri", 9, kNavy, true));
  ListBoxTarefasExecutadas.SetFont(Fonte(u"Verdana", 8, kNavy));
  PgInstalacao.OnEnterPage = [this] { PgInstalacaoEnterPage(); };
  PgInstalacao.OnNextButtonClick = [this](bool& Stop) { PgInstalacaoNextButtonClick(Stop); };
}

void TFPrincipal::MontaFim() {
  PgFim.ShowBack = PgFim.ShowNext = PgFim.ShowCancel = false;
  PgFim.ShowFinish = true;
  TituloPagina(LabelTituloFim, 170, 8, u"Parabéns!", clMaroon);
  TextoSoLeitura(JvMemoFim, 12, 40, 415, 92,
                 {Brancos(10) + u"O TEVO foi instalado com sucesso em seu computador. ",
                  u"Você agora poderá usufruir de todas os módulos disponíveis no ",
                  u"sistema. Antes de acessar o sistema, reinicie seu Windows.",
                  Brancos(10) + u"No seu primeiro acesso, você vai precisar utilizar um ",
                  u"login provisório. Utilize:"});
  const TFont legenda = Fonte(u"Calibri", 12, kNavy, true), valor = Fonte(u"Calibri", 12, clMaroon, true);
  Rotulo(LabelEmpresa, 60, 136, u"- Empresa:", legenda);
  Rotulo(LabelEmpresaValor, 160, 136, u"1", valor);
  Rotulo(LabelOperador, 60, 156, u"- Operador:", legenda);
  Rotulo(LabelOperadorValor, 160, 156, u"1", valor);
  Rotulo(LabelSenha, 60, 176, u"- Senha:", legenda);
  Rotulo(LabelSenhaValor, 160, 176, enderecos::kSenhaProvisoria, valor);
  JvStaticTextDadosRevenda.SetFont(Fonte(u"Calibri", 9, kNavy));
  JvStaticTextDadosRevenda.WordWrap = true;
  JvStaticTextDadosRevenda.SetCaption(
      Brancos(10) +
      u"Explore o sistema ao máximo.  Não deixe de analisar o manual de ajuda pressionando a tecla F1 no "
      u"programa. Precisando de um suporte técnico acesse o link abaixo para contactar uma revenda do sistema.");
  JvStaticTextDadosRevenda.SetBounds(12, 200, 415, 48);
  TituloLinks(LabelLinksFim, 15, 252);
  DescricaoLink(LabelDescSupTec, 20, 272, u"- Solicitar suporte técnico");
  Link(LabelLinkSupTec, 27, 286, enderecos::kListaRevendas);
  DescricaoLink(LabelDescCertificadoFim, 20, 306, u"- Agendamento de certificado digital (com cupom desconto)");
  Link(Label31, 27, 320, enderecos::kCertificadoDigital);
}

// ------------------------------------------------------------------ start-up

void TFPrincipal::FormCreate() {
  IniciaVariaveis();
  VAPIChilKat = std::make_unique<TChilKat>(ctx_.plat);
  VCodRev = u"N";
  LePastasShell();
  SetCaption(u"Sistema TEVO - Instalação");
  ListBoxTarefasExecutadas.SetVisible(false);
  LabelTarefasExecutadas.SetVisible(false);
  JvDirInstal.SetText(kPastaPadrao);
  AjustaTelaInstalacao();
  AjustaTelaConfiguracao();
  {
    const Texto programa = ctx_.plat.CaminhoPrograma();
    const size_t barra = programa.find_last_of(u"\\/");
    VDirApp = IncluiBarra(barra == Texto::npos ? Texto() : programa.substr(0, barra + 1));
  }
  CarregaDadosRevenda();
  PreencheTiposInstalacao();
  JvWizard1.SetActivePage(PgBemVindo);
}

void TFPrincipal::IniciaVariaveis() {
  VDirApp.clear();
  VFB4Instalada = VFB5Instalada = VLib3050 = VInstalBckAuto = false;
  VTipoInstal = TFormaConexao::fcNull;
}

void TFPrincipal::LePastasShell() {
  const Texto chave = u"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  VPathDeskTop = ctx_.plat.LeRegistroTexto(RaizRegistro::CurrentUser, chave, u"Desktop").value_or(u"");
  VPathMenuIniciar = ctx_.plat.LeRegistroTexto(RaizRegistro::CurrentUser, chave, u"Start Menu").value_or(u"");
}

void TFPrincipal::AjustaTelaInstalacao() {
  for (TLabel* titulo : {&LabelErros, &LabelTarefas, &LabelTarefasExecutadas}) titulo->SetTop(54);
  for (TControl* area : std::initializer_list<TControl*>{&GroupErros, &GroupTarefas, &ListBoxTarefasExecutadas})
    area->SetBounds(24, 60, 393, 280);
  GroupTarefas.SetEnabled(false);
  for (TCheckBox* b : {&BoxTarefaLib3050, &BoxTarefaBackup, &BoxTarefaInstalTEVO, &BoxTarefaFirebird})
    b->SetChecked(true);
}

void TFPrincipal::FormShow() { MostraVersao(); }

void TFPrincipal::MostraVersao() {
  Texto v = VersaoDoExecutavel();
  for (int i = 0; i < 2; ++i) {
    const size_t p = v.rfind(u'.');
    if (p != Texto::npos) v.resize(p);
  }
  LabelVersao.SetCaption(u"Versão " + v + u" - Firebird 5.0");
  JvWizard1.RouteMap.SetColor(kRouteMapMostrado);
}

Texto TFPrincipal::VersaoDoExecutavel() {
  const auto v = ctx_.plat.VersaoDoArquivo(ctx_.plat.CaminhoPrograma());
  if (!v) return u"";
  return IntToStr(v->maior) + u"." + IntToStr(v->menor) + u"." + IntToStr(v->release) + u"." + IntToStr(v->build);
}

void TFPrincipal::FormDestroy() {
  // Starting the package's database restructuring program when the window goes
  // away belongs to the process utilities (see the run issue); nothing starts yet.
}

// ------------------------------------------------------------------ configuration page

void TFPrincipal::PreencheTiposInstalacao() {
  ComboTipoCon.SetItems({u"1 - Servidor", u"2 - Estação Local", u"3 - Estação Web", u"-------------",
                         u"4 - Multi BD - Servidor", u"5 - Multi BD - Estação Web",
                         u"6 - Multi BD - Estação Com Server Linux", u"7 - Multi BD - Estação Local"});
  ComboTipoCon.SetItemIndex(0);
  ComboTipoConChange();
}

void TFPrincipal::ComboTipoConChange() {
  const Texto texto = ComboTipoCon.Text();
  if (texto.empty()) return;
  VCodCon = texto[0] >= u'0' && texto[0] <= u'9' ? texto[0] - u'0' : 0;
  AjustaTelaConfiguracao();
  BoxInstalBackAuto.SetChecked(false);
  struct Tipo {
    TFormaConexao forma;
    const char16_t* tarefa;
  };
  static const Tipo kTipos[] = {
      {TFormaConexao::fcServidor, u"Instalação do TEVO - Servidor"},
      {TFormaConexao::fcEstLocal, u"Instalação do TEVO - Estação local"},
      {TFormaConexao::fcEstWeb, u"Instalação do TEVO - Estação Web"},
      {TFormaConexao::fcServidorMulti, u"Instalação do TEVO - Servidor Multi Banco"},
      {TFormaConexao::fcEstWebMulti, u"Instalação do TEVO - Estação Web Multi Banco"},
      {TFormaConexao::fcEstComServerLinuxMulti, u"Instalação do TEVO - Estação Com Server Linux "},
      {TFormaConexao::fcEstLocalMulti, u"Instalação do TEVO - Estação Local Multi Banco"},
  };
  if (VCodCon < 1 || VCodCon > 7) return;
  VTipoInstal = kTipos[VCodCon - 1].forma;
  BoxTarefaInstalTEVO.SetCaption(kTipos[VCodCon - 1].tarefa);
  if (VCodCon == 1) BoxInstalBackAuto.SetChecked(true);
}

void TFPrincipal::MostraLinks(int topico) {
  for (TControl* c : std::initializer_list<TControl*>{&LabelLinksConfig, &LabelDescManual, &Label24}) c->Show();
  Label24.SetCaption(enderecos::Manual(topico));
}

void TFPrincipal::AjustaTelaConfiguracao() {
  for (TControl* c : std::initializer_list<TControl*>{&LabelHost, &EditHost, &LabelUserMulti, &EditUserMulti,
                                                      &LabelLinksConfig, &LabelDescManual, &Label24})
    c->Hide();
  LabelAvisoSohUseSeforTI.SetVisible(VCodCon == 4 || VCodCon == 5 || VCodCon == 6);
  BoxInstalBackAuto.SetVisible(VCodCon == 1 || VCodCon == 4);
  BoxLib3050.SetVisible(VCodCon == 1 || VCodCon == 4);
  auto host = [this] {
    LabelHost.Show();
    EditHost.Show();
  };
  auto id = [this] {
    LabelUserMulti.Show();
    EditUserMulti.Show();
  };
  switch (VCodCon) {
    case 1: MostraLinks(enderecos::kTopicoServidor); break;
    case 2: host(); MostraLinks(enderecos::kTopicoEstacaoLocal); break;
    case 3: host(); MostraLinks(enderecos::kTopicoWeb); break;
    case 4: id(); break;
    case 5:
    case 6: host(); MostraLinks(enderecos::kTopicoWeb); id(); break;
    case 7: host(); MostraLinks(enderecos::kTopicoMultiLocal); id(); break;
    default: break;
  }
  LabelUserMulti.SetLeft(EditHost.Visible() ? 249 : 22);
  EditUserMulti.SetLeft(LabelUserMulti.Left());
  PgFim.ShowBack = PgFim.ShowNext = PgFim.ShowCancel = false;
  PgFim.ShowFinish = true;
}

void TFPrincipal::BoxInstalaTEVOFixoClick() {
  if (BoxInstalaTEVOFixo.Checked()) return;
  Msg().Erro(u"Precisa estar habilitado sempre.");
  BoxInstalaTEVOFixo.SetChecked(true);
}

void TFPrincipal::BoxInstalBackAutoClick() {
  if (VCodCon == 1 && !BoxInstalBackAuto.Checked()) {
    Msg().Erro(u"No servidor é obrigatório a instalação do gerenciador de backup.");
    BoxInstalBackAuto.SetChecked(true);
  }
  VInstalBckAuto = BoxInstalBackAuto.Checked();
}

void TFPrincipal::BoxLib3050Click() { VLib3050 = BoxLib3050.Checked(); }

void TFPrincipal::PgConfigInstalEnterPage() { JvWizard1.NextButton.SetCaption(u"Prosseguir"); }

void TFPrincipal::PgConfigInstalNextButtonClick(bool& Stop) {
  Texto erro;
  if (ComboTipoCon.Text().empty())
    erro = u"Selecione o tipo da instalação.";
  else if (JvDirInstal.Text() != kPastaPadrao && !ctx_.plat.PastaExiste(JvDirInstal.Text()))
    erro = u"Diretório de instalação inválido ou inexistente.";
  else if (VCodCon != 1 && VCodCon != 4 && EditHost.Text().empty())
    erro = u"Informe o host (endereço de DNS ou IP do servidor) da máquina onde o servidor TEVO está instalado.";
  else if ((VCodCon == 4 || VCodCon == 5) && ValidaDocumento(ctx_.plat, EditUserMulti.Text(), false, false, false).empty())
    erro = u"No tipo de instalação escolhida, é obrigatório informar o ID do banco (um CPF ou CNPJ válido).";
  else if (!WindowsEh64Bits() && (VCodCon == 1 || VCodCon == 4))
    erro = u"Este Windows não é plataforma 64 bits. O Firebird a ser instalado é 64 bits e, portanto, o Windows "
           u"precisa suportar essa plataforma.\r\n\tContate seu suporte técnico para mais análise/orientações.";
  if (!erro.empty()) {
    Stop = true;
    Msg().Erro(erro);
    return;
  }
  VDirInstal = IncluiBarra(JvDirInstal.Text());
}

void TFPrincipal::JvDirInstalBotaoClick() {
  const auto pasta = ctx_.plat.SelecionaPasta(u"Selecione o local onde deseja instalar o TEVO", JvDirInstal.Text());
  if (pasta && !Trim(*pasta).empty()) JvDirInstal.SetText(IncluiBarra(*pasta));
}

bool TFPrincipal::WindowsEh64Bits() {
  const uint16_t a = ctx_.plat.ArquiteturaNativa();
  return a == 9 /* x64 */ || a == 6 /* Itanium */;
}

// ------------------------------------------------------------------ page flow and links

void TFPrincipal::PgTermosUsoNextButtonClick(bool& Stop) {
  if (BoxTermos.Checked()) return;
  Stop = true;
  Msg().Erro(u"Você precisa aceitar o contrato de uso do sistema.");
}

void TFPrincipal::PgSuporteNextButtonClick(bool& Stop) {
  if (BoxSuporte.Checked()) return;
  Stop = true;
  Msg().Erro(u"Você precisa marcar a opção concordando com as condições do suporte técnico.");
}

void TFPrincipal::PgInstalacaoEnterPage() {
  // The checks of this page arrive with the pre-installation issue; the page only
  // offers the Install button for now.
  JvWizard1.NextButton.SetCaption(u"Instalar");
}

void TFPrincipal::PgInstalacaoNextButtonClick(bool& Stop) {
  // This page never moves on by itself: the installation run, which arrives with
  // the run's issue, moves to the closing page when it completes.
  Stop = true;
}

void TFPrincipal::JvWizard1CancelButtonClick() {
  if (Msg().ConfirmacaoAtencao(u"Tem certeza que deseja cancelar a instalação?", u"Sim", u"Não")) Close();
}

void TFPrincipal::JvWizard1FinishButtonClick() { Close(); }

void TFPrincipal::AbreLink(TLinkLabel& label) { ctx_.plat.AbreEndereco(Trim(label.Caption())); }

void TFPrincipal::SimulaTab() { ctx_.plat.InjetaTecla(9); }

// ------------------------------------------------------------------ reseller package

void TFPrincipal::CarregaDadosRevenda() {
  if (!ctx_.plat.ArquivoExiste(VDirApp + u"rev.tdi")) return;
  if (!VAPIChilKat->DescompactaZip(VDirApp + u"rev.tdi", VDirApp, kSenhaArquivos)) {
    Msg().Erro(VMsgErro, u"", VMsgErroDetalhe);
    return;
  }
  const Texto ini = VDirApp + u"rev.ini";
  if (!ctx_.plat.ArquivoExiste(ini)) return;
  auto le = [&](const char16_t* chave, const char16_t* padrao) {
    return ctx_.plat.LeIniTexto(ini, u"Dados", chave, padrao);
  };
  VCodRev = le(u"Codigo", u"N");
  const Texto nome = le(u"Nome", u""), site = le(u"Site", u""), cidade = le(u"CidadeUF", u""),
              email = le(u"Email", u""), whatsapp = le(u"WhatsApp", u"");
  if (VCodRev == u"N") return;
  if (!site.empty()) {
    LabelSiteTitulo.SetCaption(site);
    LabelLinkSupTec.SetCaption(site);
  }
  JvMemoObtendoSuporte.SetLines({u"Para obtenção de  suporte técnico, você deve entrar em contato com a revenda " +
                                 VCodRev + u"-" + nome + u", cujos dados de " +
                                 u"contato serão informados no final desta instalação."});
  if (!site.empty()) {
    Label12.SetCaption(u"Página da revenda " + VCodRev + u" para obtenção de suporte");
    Label13.SetCaption(site);
  } else {
    Label12.Hide();
    Label13.Hide();
  }
  JvStaticTextDadosRevenda.SetCaption(u"\tEste sistema é distribuído pela revenda " + VCodRev + u"-" + nome + u", de " +
                                      cidade + u".\r\n\tOpções de contato: e-mail: " + email + u"; WhatsApp: " +
                                      whatsapp + u".");
}

// ------------------------------------------------------------------ archive tasks

bool TFPrincipal::ExtraiArquivo(const Texto& arquivo, const Texto& pasta, const Texto& linhaLog, bool criaPasta) {
  if (criaPasta) ctx_.plat.CriaPastas(pasta);
  if (!VAPIChilKat->DescompactaZip(VDirApp + arquivo, pasta, kSenhaArquivos)) {
    Msg().Erro(VMsgErro, u"", VMsgErroDetalhe);
    return false;
  }
  RegistraTarefa(linhaLog);
  return true;
}

bool TFPrincipal::ExtraiArquivosOutros() {
  return ExtraiArquivo(u"Outros.tdi", VDirApp, u"Extração arquivos outros...", false);
}

bool TFPrincipal::ExtraiArquivosSistema() {
  return ExtraiArquivo(u"RaizTEVO.tdi", VDirInstal, u"Arquivos do sistema...sucesso", false);
}

void TFPrincipal::CriaSchemasNFe() {
  ExtraiArquivo(u"SchNFe.tdi", VDirInstal + u"Schemas\\NFe\\", u"Criação dos Schemas de NFe...sucesso", true);
}

void TFPrincipal::CriaSchemasCTe() {
  ExtraiArquivo(u"SchCTe.tdi", VDirInstal + u"Schemas\\CTe\\", u"Criação dos Schemas de CTe...sucesso", true);
}

void TFPrincipal::CriaSchemasMDFe() {
  ExtraiArquivo(u"SchMDFe.tdi", VDirInstal + u"Schemas\\MDFe\\", u"Criação dos Schemas de MDFe...sucesso", true);
}

void TFPrincipal::RegistraTarefa(const Texto& VTexto) {
  ListBoxTarefasExecutadas.AddItem(u"");
  ListBoxTarefasExecutadas.AddItem(VTexto);
  ctx_.ui.ProcessMessages();
}

}  // namespace tevo
