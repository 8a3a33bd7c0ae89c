#include "ui/Msg.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "app/Contexto.h"
#include "ui/Progressos.h"

namespace tevo {

using namespace tk;

namespace {

constexpr int kAlturaCabecalho = 25, kAlturaRodape = 45, kAlturaPainelRetorno = 35, kAlturaLinha = 12;
constexpr int kLarguraBase = 320, kAlturaMinima = 150;
constexpr int kLimiteErro = 900;
constexpr TColor kPressione = Rgb(0xB4, 0xB4, 0x65);

TFont Fonte(const char16_t* nome, int pixels, TColor cor, bool negrito = false) {
  TFont f;
  f.Name = nome;
  f.Height = pixels;
  f.Color = cor;
  f.Bold = negrito;
  return f;
}

// The two button image sets: flat faces with three pixels cut off each corner.
TImageButton::Look Conjunto(int n) {
  TImageButton::Look l;
  l.face = l.faceTo = l.border = n == 1 ? Rgb(0x78, 0x41, 0x41) : Rgb(0x8A, 0x95, 0x43);
  l.text = clYellow;
  l.corner = 3;
  return l;
}

// Width step by the length of the text: one rung per 50 characters from 100 on,
// 15 above 900.
int PassoLargura(size_t L) {
  static const struct {
    size_t ate;
    int passo;
  } kDegraus[] = {{99, 0},   {150, 1},  {200, 2},  {250, 3},  {300, 4},  {350, 5},  {400, 6},  {450, 7},
                  {500, 8},  {550, 9},  {650, 10}, {700, 11}, {750, 12}, {850, 13}, {900, 14}};
  for (const auto& d : kDegraus)
    if (L <= d.ate) return d.passo;
  return 15;
}

size_t ContaQuebras(const Texto& t) {
  size_t n = 0;
  for (size_t p = t.find(u"\r\n"); p != Texto::npos; p = t.find(u"\r\n", p + 2)) ++n;
  return n;
}

Texto SoDigitos(const Texto& t) {
  Texto r;
  for (char16_t c : t)
    if (c >= u'0' && c <= u'9') r.push_back(c);
  return r;
}

Texto PastaDe(const Texto& arquivo) {
  const size_t p = arquivo.find_last_of(u"\\/");
  return p == Texto::npos ? Texto() : arquivo.substr(0, p + 1);
}

// A small eye (25 x 20, 24-bit BMP) on the answer panel's colour.
std::vector<uint8_t> ImagemOlho() {
  constexpr int W = 25, H = 20, linha = (W * 3 + 3) & ~3;
  const uint32_t tamanho = 54 + linha * H;
  std::vector<uint8_t> b(tamanho, 0);
  auto poe16 = [&](size_t at, uint16_t v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); };
  auto poe32 = [&](size_t at, uint32_t v) { poe16(at, uint16_t(v)), poe16(at + 2, uint16_t(v >> 16)); };
  b[0] = 'B', b[1] = 'M';
  poe32(2, tamanho);
  poe32(10, 54);
  poe32(14, 40);
  poe32(18, W);
  poe32(22, H);
  poe16(26, 1);
  poe16(28, 24);
  poe32(34, linha * H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const double dx = (x - 12) / 11.5, dy = y - 9.5;
      const double meia = 6.5 * (1 - dx * dx);  // half height of the eye at x
      const double r2 = (x - 12) * (x - 12) + dy * dy;
      TColor c = Rgb(0x43, 0x77, 0xCD);
      if (meia > 0 && dy * dy <= meia * meia) c = clWhite;
      if (meia > 0 && std::abs(std::abs(dy) - meia) < 0.9) c = Rgb(0x10, 0x10, 0x30);
      if (r2 <= 16) c = Rgb(0x20, 0x40, 0x90);
      if (r2 <= 4) c = clBlack;
      uint8_t* px = &b[54 + (H - 1 - y) * linha + x * 3];
      px[0] = uint8_t(c), px[1] = uint8_t(c >> 8), px[2] = uint8_t(c >> 16);
    }
  }
  return b;
}

}  // namespace

void CentralizaControle(TControl& VControle, const TControl& VContainer, int VPosicao, bool VVertical) {
  const int W = VContainer.Width(), H = VContainer.Height();
  const int w = VControle.Width(), h = VControle.Height();
  int left = VControle.Left(), top = VControle.Top();
  if (VVertical) top = (H - h) / 2;
  switch (VPosicao) {
    case 0: left = (W / 2 - w) / 2; break;
    case 1: left = W / 2 + (W / 2 - w) / 2; break;
    case 2: left = (W - w) / 2; break;
    default: break;
  }
  VControle.SetBounds(left, top, w, h);
}

// ------------------------------------------------------------------ creation

TFMsg::TFMsg(Contexto& ctx) : TForm(ctx.ui, u"FMsg"), ctx_(ctx) {
  BorderStyle = TBorderStyle::None;
  CenterOnScreen = false;  // the show methods place the window themselves
  KeyPreview = true;
  SetBounds(0, 0, kLarguraBase, kAlturaMinima);

  Cabecalho.SetFont(Fonte(u"Verdana", 13, clWhite, true));
  Cabecalho.SetAlignment(TAlignment::Center);
  Cabecalho.SetCursor(TCursor::Drag);
  Cabecalho.OnMouseDownAt = [this](int x, int y) { CabecalhoMouseDown(x, y); };
  Cabecalho.OnMouseMove = [this](int x, int y) { CabecalhoMouseMove(x, y); };
  Cabecalho.OnMouseUp = [this](int x, int y) { CabecalhoMouseUp(x, y); };

  PanelFundo.OnClick = [this] { FechaSeContagem(); };
  PanelFundo.TabStop = false;

  MemoMensagem.SetReadOnly(true);
  MemoMensagem.TabStop = false;
  MemoMensagem.WordWrap = true;
  MemoMensagem.SetFont(Fonte(u"Arial", 0, clBlack));
  MemoMensagem.OnChange = [this] { MemoMensagemChange(); };
  MemoMensagem.OnEnter = [this] { MemoMensagemEnter(); };
  MemoMensagem.OnClick = [this] { FechaSeContagem(); };

  PanelCompoParaRetorno.SetHeight(kAlturaPainelRetorno);
  PanelCompoParaRetorno.SetVisible(false);

  // the machine's separators and date format, for the answer fields
  TFormatoRegional fr;
  fr.SeparadorDecimal = ctx_.plat.SeparadorDecimal();
  fr.SeparadorMilhar = ctx_.plat.SeparadorMilhar();
  fr.FormatoDataCurta = ctx_.plat.FormatoDataCurta();
  EditValorToRetorno.Regional = fr;
  EditValorToRetorno.SetFont(Fonte(u"MS Sans Serif", 13, clBlack));
  EditValorToRetorno.SetBounds(0, 0, 200, 21);
  EditValorToRetorno.SetAlignment(TAlignment::Right);
  EditValorToRetorno.SetEditType(TwbrEditTypes::wbrNumeric);
  EditValorToRetorno.SetText(FormataNumero(0, EditValorToRetorno.ValueFormat(), fr));
  EditValorToRetorno.SetExitOnEnterKey(false);
  EditValorToRetorno.OnKeyUp = [this](int key) { EditValorToRetornoKeyUp(key); };

  ComboBoxToRetorno.SetFont(Fonte(u"MS Sans Serif", 13, clBlack));
  ComboBoxToRetorno.SetColor(clWhite);
  ComboBoxToRetorno.SetBounds(0, 0, 145, 21);

  MaskEditDataToRetorno.SetFont(Fonte(u"Arial", 13, clBlack));
  MaskEditDataToRetorno.SetColor(Rgb(0xFC, 0xEF, 0xF7));
  MaskEditDataToRetorno.SetBounds(0, 0, 71, 21);
  MaskEditDataToRetorno.SetEditMask(u"!99/99/9999;1;_");

  ImagePassChar.SetBounds(0, 7, 25, 20);
  ImagePassChar.SetPicture(ImagemOlho());
  ImagePassChar.SetCursor(TCursor::HandPoint);
  ImagePassChar.OnClick = [this] { ImagePassCharClick(); };

  LabelCapsLockLigado.SetCaption(u"CAPS Lock está ligado");
  LabelCapsLockLigado.SetFont(Fonte(u"Arial", 9, Rgb(0xFF, 0x00, 0x00)));
  LabelCapsLockLigado.SetColor(clYellow);
  LabelCapsLockLigado.Transparent = false;
  LabelCapsLockLigado.SetAlignment(TAlignment::Center);

  LabelPressioneQQTeclaParaContinuar.SetFont(Fonte(u"Arial", 9, kPressione));
  LabelPressioneQQTeclaParaContinuar.SetAlignment(TAlignment::Right);
  LabelPressioneQQTeclaParaContinuar.Transparent = false;
  LabelVersaoEOutrasInf.SetFont(Fonte(u"Verdana", 9, clWhite));
  LabelVersaoEOutrasInf.SetAlignment(TAlignment::Right);
  LabelVersaoEOutrasInf.Transparent = false;
  LabelVersaoEOutrasInf.OnClick = [this] { FechaSeContagem(); };

  PanelRodape.SetHeight(kAlturaRodape);
  PanelRodape.TabStop = false;
  Rodape.SetHeight(kAlturaRodape);

  const struct {
    TImageButton* bot;
    const char16_t* caption;
    int resultado;
  } botoes[] = {{&BotUm, u"Sim", mrYes}, {&BotDois, u"OK (enter)", mrYes}, {&BotTres, u"Não", mrNo}};
  for (const auto& b : botoes) {
    b.bot->SetBounds(0, 0, 109, 28);
    b.bot->SetCaption(b.caption);
    b.bot->SetFont(Fonte(u"Tahoma", 12, clYellow));
    b.bot->SetAparencia(Conjunto(1));
    b.bot->ModalResult = b.resultado;
    b.bot->SetCursor(TCursor::HandPoint);
  }

  TimerFechaAuto.SetInterval(1000);
  TimerFechaAuto.OnTimer = [this] { TimerFechaAutoTimer(); };

  OnShow = [this] { FormShow(); };
  OnHide = [this] {
    // nothing of a closed message keeps running
    TimerFechaAuto.SetActive(false);
    if (VCapturando) backend().ReleaseCapture();
    VCapturando = false;
  };
  OnKeyDown = [this](int& key) { FormKeyDown(key); };
  OnClick = [this] { FechaSeContagem(); };

  FormCreate();
  Prepara();
  Arruma();
}

TFMsg::~TFMsg() = default;

void TFMsg::FormCreate() {
  StayOnTop = true;
  ComboBoxToRetorno.Sorted = true;
  VContToClose = 4;
}

// ------------------------------------------------------------------ layout

// Places every part for the current width and height: the header on top, the
// footer at the bottom, the one-line labels above it and the background panel
// between, holding the message and, under it, the answer panel.
void TFMsg::Arruma() {
  const int W = Width(), H = Height();
  Cabecalho.SetBounds(0, 0, W, kAlturaCabecalho);
  int baixo = H;
  if (PanelRodape.Visible()) {
    baixo -= kAlturaRodape;
    PanelRodape.SetBounds(0, baixo, W, kAlturaRodape);
  }
  Rodape.SetBounds(0, 0, W, kAlturaRodape);
  if (LabelVersaoEOutrasInf.Visible()) {
    baixo -= kAlturaLinha;
    LabelVersaoEOutrasInf.SetBounds(0, baixo, W - 5, kAlturaLinha);
  }
  if (LabelPressioneQQTeclaParaContinuar.Visible()) {
    baixo -= kAlturaLinha;
    LabelPressioneQQTeclaParaContinuar.SetBounds(0, baixo, W - 5, kAlturaLinha);
  }
  PanelFundo.SetBounds(0, kAlturaCabecalho, W, std::max(0, baixo - kAlturaCabecalho));
  MemoMensagem.SetBounds(5, 0, W - 10, MemoMensagem.Height());
  PanelCompoParaRetorno.SetBounds(0, MemoMensagem.Height(), W, kAlturaPainelRetorno);
  ImagePassChar.SetLeft(W - ImagePassChar.Width());
  LabelCapsLockLigado.SetBounds(140, MemoMensagem.Height() + kAlturaPainelRetorno - 2, W - 280, kAlturaLinha);
}

// ------------------------------------------------------------------ the steps of every show

void TFMsg::Prepara() {
  VProcessarOnChangeMemo = true;
  TimerFechaAuto.SetActive(false);
  VContToClose = 4;

  for (TControl* c : std::initializer_list<TControl*>{&LabelCapsLockLigado, &ImagePassChar, &PanelCompoParaRetorno,
                                                      &EditValorToRetorno, &ComboBoxToRetorno, &MaskEditDataToRetorno,
                                                      &BotUm, &BotDois, &BotTres})
    c->Hide();
  EditValorToRetorno.SetPasswordChar(0);
  EditValorToRetorno.SetText(u"");

  TFont f = MemoMensagem.Font();
  f.Name = u"Arial";
  f.Size = 10;
  f.Height = 0;
  MemoMensagem.SetFont(f);

  LabelVersaoEOutrasInf.Hide();
  LabelPressioneQQTeclaParaContinuar.Hide();
  LabelPressioneQQTeclaParaContinuar.SetCaption(u"Pressione qualquer tecla para continuar... ");

  PanelRodape.Show();
  MemoMensagem.SetText(u"");
  linhasMemo_ = 0;
}

void TFMsg::Largura(const Texto& VTexto) {
  SetWidth(kLarguraBase + 7 * PassoLargura(VTexto.size()) + 10 * int(ContaQuebras(VTexto)));
  Arruma();
  CentralizaControle(BotUm, Rodape, 0, true);
  CentralizaControle(BotDois, Rodape, 2, true);
  CentralizaControle(BotTres, Rodape, 1, true);
}

void TFMsg::MemoMensagemChange() {
  if (!VProcessarOnChangeMemo || MemoMensagem.Text().empty()) return;
  const int h = backend().TextHeight(MemoMensagem.Font());
  linhasMemo_ = backend().MeasureLines(MemoMensagem.Font(), MemoMensagem.Text(), MemoMensagem.Width());
  const int altura = (linhasMemo_ + 1) * h + 10;
  PanelFundo.SetHeight(altura);
  MemoMensagem.SetHeight(altura);
}

void TFMsg::Estilo(Tipo t) {
  constexpr TColor kNaoMuda = clNone;
  struct Aparencia {
    Tipo tipo;
    const char16_t* cabecalho;
    bool um, dois, tres;
    int conjunto;
    TColor fundo, texto, textoCabecalho, rodapeDe, rodapePara, cabecalhoDe, cabecalhoPara;
  };
  static const Aparencia kTipos[] = {
      {Tipo::Sucesso, u"SUCESSO", false, false, false, 1, Rgb(0x13, 0x4F, 0x1A), clWhite, clYellow,
       Rgb(0x07, 0x1D, 0x0A), Rgb(0x13, 0x51, 0x1A), kNaoMuda, kNaoMuda},
      {Tipo::Erro, u"OCORREU UM ERRO", false, true, false, 1, Rgb(0xDF, 0x00, 0x00), clWhite, clWhite,
       Rgb(0xA6, 0x00, 0x00), Rgb(0x4F, 0x00, 0x00), kNaoMuda, kNaoMuda},
      {Tipo::AvisoImportante, u"MUITA ATENÇÃO", false, true, false, 1, Rgb(0x9D, 0x00, 0x00), clYellow, clWhite,
       Rgb(0xA6, 0x00, 0x00), Rgb(0x4F, 0x00, 0x00), Rgb(0x3E, 0x3E, 0x37), Rgb(0x23, 0x23, 0x1F)},
      {Tipo::AvisoOutros, u"AVISO", false, true, false, 2, Rgb(0x93, 0x93, 0x00), clWhite, clYellow,
       Rgb(0x2F, 0x2F, 0x00), Rgb(0x84, 0x84, 0x00), kNaoMuda, kNaoMuda},
      {Tipo::ConfirmacaoSimples, u"PEDIDO DE CONFIRMAÇÃO", true, false, true, 2, Rgb(0xB3, 0xAE, 0x75),
       Rgb(0x00, 0x00, 0x40), clYellow, Rgb(0x56, 0x4D, 0x14), Rgb(0x8F, 0x7E, 0x21), kNaoMuda, kNaoMuda},
      {Tipo::ConfirmacaoAtencao, u"ATENÇÃO - CONFIRMAÇÃO", true, false, true, 2, Rgb(0x9D, 0x00, 0x00), clYellow,
       clWhite, Rgb(0xA6, 0x00, 0x00), Rgb(0x4F, 0x00, 0x00), kNaoMuda, kNaoMuda},
      {Tipo::ConfirmacaoErro, u"ATENÇÃO - HOUVE UM ERRO", true, false, true, 1, Rgb(0xDF, 0x00, 0x00), clWhite,
       clWhite, Rgb(0xA6, 0x00, 0x00), Rgb(0x4F, 0x00, 0x00), kNaoMuda, kNaoMuda},
      {Tipo::AvisoHelps, u"INFORMAÇÃO", false, true, false, 1, Rgb(0xC6, 0xFF, 0xE2), clBlack, clYellow,
       Rgb(0x13, 0x2D, 0x48), Rgb(0x70, 0xA2, 0xD8), kNaoMuda, kNaoMuda},
      {Tipo::PedidoInformacao, u"PEDIDO DE INFORMAÇÃO", false, true, false, 1, Rgb(0x43, 0x77, 0xCD), clWhite,
       clWhite, Rgb(0x00, 0x00, 0x82), Rgb(0x00, 0x00, 0x40), kNaoMuda, kNaoMuda},
  };
  const Aparencia* a = &kTipos[0];
  for (const auto& k : kTipos)
    if (k.tipo == t) a = &k;

  Cabecalho.SetCaption(a->cabecalho);
  SetCaption(a->cabecalho);  // the window's own title: what screen readers and automation read
  TFont fc = Cabecalho.Font();
  fc.Color = a->textoCabecalho;
  Cabecalho.SetFont(fc);
  BotUm.SetVisible(a->um);
  BotDois.SetVisible(a->dois);
  BotTres.SetVisible(a->tres);
  for (TImageButton* b : {&BotUm, &BotDois, &BotTres}) b->SetAparencia(Conjunto(a->conjunto));
  MemoMensagem.SetColor(a->fundo);
  TFont fm = MemoMensagem.Font();
  fm.Color = a->texto;
  MemoMensagem.SetFont(fm);
  Rodape.SetGradient(a->rodapeDe, a->rodapePara);
  if (a->cabecalhoDe == kNaoMuda)
    Cabecalho.SetGradient(a->rodapeDe, a->rodapePara);
  else
    Cabecalho.SetGradient(a->cabecalhoDe, a->cabecalhoPara);

  // every kind: the form and the one-line labels on the message colour
  SetColor(a->fundo);
  LabelVersaoEOutrasInf.SetColor(a->fundo);
  LabelPressioneQQTeclaParaContinuar.SetColor(a->fundo);
  TFont fv = LabelVersaoEOutrasInf.Font();
  fv.Color = clWhite;
  LabelVersaoEOutrasInf.SetFont(fv);
  TFont fp = LabelPressioneQQTeclaParaContinuar.Font();
  fp.Color = kPressione;
  LabelPressioneQQTeclaParaContinuar.SetFont(fp);
  if (t == Tipo::PedidoInformacao) PanelCompoParaRetorno.SetColor(a->fundo);
}

void TFMsg::Altura() {
  PanelFundo.SetHeight(MemoMensagem.Height() + (PanelCompoParaRetorno.Visible() ? kAlturaPainelRetorno : 0));
  int h = kAlturaCabecalho + PanelFundo.Height();
  for (TControl* l : {&LabelPressioneQQTeclaParaContinuar, &LabelVersaoEOutrasInf, &LabelCapsLockLigado})
    if (l->Visible()) h += kAlturaLinha;
  if (PanelRodape.Visible()) h += kAlturaRodape;
  h += 10;
  if (h < kAlturaMinima) {
    VProcessarOnChangeMemo = false;
    // a short message sits one line lower
    if (linhasMemo_ == 1 || linhasMemo_ == 2) MemoMensagem.SetText(u"\r\n" + MemoMensagem.Text());
    h = kAlturaMinima;
  }
  SetHeight(h);
  Arruma();
}

void TFMsg::Mostra(bool VCentraliza) {
  if (VCentraliza || !jaMostrado_) CentraNaTela();
  jaMostrado_ = true;
  ShowModal();
}

Texto TFMsg::TextoDoErro(const Texto& VMsgBase, const Texto& VErroVariavel) {
  if (VMsgBase.size() + VErroVariavel.size() < kLimiteErro)
    return VErroVariavel.empty() ? VMsgBase : VMsgBase + u"\r\n" + VErroVariavel;

  // Too long to show: the full text goes to a file under the program's folder.
  Texto mostrar = VMsgBase.substr(0, kLimiteErro);
  const Texto completo = VMsgBase + u"\r\n" + VErroVariavel;
  Plataforma& plat = ctx_.plat;
  const Texto pasta = PastaDe(plat.CaminhoPrograma()) + u"Temp\\";
  const DataHoraTexto agora = plat.AgoraTexto();
  const Texto arquivo = pasta + u"Log" + SoDigitos(agora.data) + u"_" + SoDigitos(agora.hora) + u".txt";

  Texto motivo;
  bool gravado = false;
  if (!plat.CriaPastas(pasta)) {
    motivo = plat.UltimoErro();
  } else if (auto f = plat.CriaArquivo(arquivo); !f) {
    motivo = plat.UltimoErro();
  } else {
    const std::string bytes = plat.ParaAnsi(completo) + "\r\n";
    gravado = f->Escreve(bytes.data(), bytes.size()) && f->Fecha();
    if (!gravado) motivo = u"o arquivo não pôde ser gravado por inteiro";
  }
  if (gravado) return mostrar + u"\r\n- Obs.: o erro completo foi gravado em " + arquivo + u". Analise-o.";

  // The message is not lost: the user sees its beginning and why the rest is not on disk.
  motivo = Trim(motivo);
  while (!motivo.empty() && (motivo.back() == u'.' || motivo.back() <= u' ')) motivo.pop_back();
  return mostrar + u"\r\n- Obs.: não foi possível gravar o erro completo em " + arquivo +
         (motivo.empty() ? Texto() : u" (" + motivo + u")") + u".";
}

// ------------------------------------------------------------------ the show methods

void TFMsg::Erro(const Texto& VMsgBase, const Texto& VOutrasInf, const Texto& VErroVariavel) {
  Prepara();
  const Texto texto = TextoDoErro(VMsgBase, VErroVariavel);
  Largura(texto);
  MemoMensagem.SetText(u"\t" + texto);
  BotDois.SetCaption(u"OK (enter)");
  if (!VOutrasInf.empty()) {
    LabelVersaoEOutrasInf.SetCaption(VOutrasInf);
    LabelVersaoEOutrasInf.Show();
  }
  Estilo(Tipo::Erro);
  Altura();
  Mostra(true);
}

void TFMsg::AvisoImportante(const Texto& VMsgBase, const Texto& VErroVariavel) {
  Prepara();
  const Texto texto = TextoDoErro(VMsgBase, VErroVariavel);
  Largura(texto);
  MemoMensagem.SetText(u"\t" + texto);
  Estilo(Tipo::AvisoImportante);
  Altura();
  Mostra(true);
}

void TFMsg::AvisoOutros(const Texto& VMsg) {
  Prepara();
  Largura(VMsg);
  MemoMensagem.SetText(u"\t" + VMsg);
  Estilo(Tipo::AvisoOutros);
  Altura();
  Mostra(true);
}

void TFMsg::AvisoHelps(const Texto& VMsg, int16_t VFonte, bool VComTabInicio) {
  Prepara();
  TFont f = MemoMensagem.Font();
  f.Size = VFonte;
  MemoMensagem.SetFont(f);
  Largura(VMsg);
  MemoMensagem.SetText((VComTabInicio ? u"\t" : u"") + VMsg);
  Estilo(Tipo::AvisoHelps);
  Altura();
  Mostra(true);
}

void TFMsg::Sucesso(const Texto& VMsg, int16_t VTempo) {
  Prepara();
  Largura(VMsg);
  MemoMensagem.SetText(u"\t" + VMsg);
  PanelRodape.Hide();
  LabelPressioneQQTeclaParaContinuar.Show();
  VContToClose = VTempo;
  TimerFechaAuto.SetActive(true);
  Estilo(Tipo::Sucesso);
  Altura();
  Mostra(true);
}

bool TFMsg::Confirmacao(Tipo t, const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres) {
  Prepara();
  Largura(VMsg);
  MemoMensagem.SetText(u"\t" + VMsg);
  BotUm.SetCaption(VLabelBotUm.size() < 10 ? VLabelBotUm + u" (enter)" : VLabelBotUm);
  BotTres.SetCaption(VLabelBotTres.size() < 12 ? VLabelBotTres + u" (ESC)" : VLabelBotTres);
  Estilo(t);
  Altura();
  Mostra(false);
  return ModalResult() == mrYes;
}

bool TFMsg::ConfirmacaoSimples(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres) {
  return Confirmacao(Tipo::ConfirmacaoSimples, VMsg, VLabelBotUm, VLabelBotTres);
}

bool TFMsg::ConfirmacaoAtencao(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres) {
  return Confirmacao(Tipo::ConfirmacaoAtencao, VMsg, VLabelBotUm, VLabelBotTres);
}

bool TFMsg::ConfirmacaoErro(const Texto& VMsg, const Texto& VLabelBotUm, const Texto& VLabelBotTres) {
  return Confirmacao(Tipo::ConfirmacaoErro, VMsg, VLabelBotUm, VLabelBotTres);
}

bool TFMsg::PedidoInformacao(Texto& VResult, const Texto& VMsg, TFormatoPedidoInformacao VTipo,
                             const Texto& VDefault, const Texto& VFormatNumeric) {
  using enum TFormatoPedidoInformacao;
  const TFormatoRegional& fr = EditValorToRetorno.Regional;
  VResult.clear();
  Prepara();
  Largura(VMsg);
  MemoMensagem.SetText(u"\t" + VMsg);
  BotDois.SetCaption(u"OK (enter)");
  PanelCompoParaRetorno.Show();
  Estilo(Tipo::PedidoInformacao);

  TMeuEdit& e = EditValorToRetorno;
  switch (VTipo) {
    case tfTexto:
    case tfPass:
      e.Show();
      e.SetEditType(TwbrEditTypes::wbrString);
      e.SetText(VDefault);
      e.SetWidth(200);
      e.SetAlignment(TAlignment::Left);
      if (VTipo == tfPass) {
        ImagePassChar.Show();
        e.SetPasswordChar(u'#');
      }
      break;
    case tfInteiro: {
      e.Show();
      e.SetEditType(TwbrEditTypes::wbrInteger);
      e.SetWidth(100);
      e.SetAlignment(TAlignment::Right);
      int32_t v;
      LeInteiro(VDefault, v);
      if (v > 0) e.SetText(VDefault);
      break;
    }
    case tfNumerico: {
      e.Show();
      e.SetEditType(TwbrEditTypes::wbrNumeric);
      e.SetValueFormat(VFormatNumeric);
      e.SetWidth(100);
      e.SetAlignment(TAlignment::Right);
      double v;
      LeDecimal(VDefault, fr, v);
      if (v > 0) e.SetText(VDefault);
      break;
    }
    case tfTextoLista:
      ComboBoxToRetorno.Show();
      if (ComboBoxToRetorno.Items().size() == 1) ComboBoxToRetorno.SetItemIndex(0);
      break;
    case tfData: {
      MaskEditDataToRetorno.Show();
      int dias;
      if (LeData(VDefault, fr, dias) && dias > 0) {
        const Texto data = EscreveData(dias, fr);
        if (data.size() == MaskEditDataToRetorno.Vazio().size()) MaskEditDataToRetorno.SetText(data);
      }
      break;
    }
    default:
      break;
  }
  Altura();
  for (TControl* c : std::initializer_list<TControl*>{&EditValorToRetorno, &MaskEditDataToRetorno, &ComboBoxToRetorno})
    CentralizaControle(*c, PanelCompoParaRetorno, 2, true);
  Mostra(false);

  if (EditValorToRetorno.Visible())
    VResult = EditValorToRetorno.Text();
  else if (ComboBoxToRetorno.Visible())
    VResult = ComboBoxToRetorno.Text();
  else if (MaskEditDataToRetorno.Visible())
    VResult = MaskEditDataToRetorno.Valor();

  switch (VTipo) {
    case tfTexto:
    case tfTextoLista:
    case tfPass:
      return !VResult.empty();
    case tfInteiro: {
      int32_t v;
      LeInteiro(VResult, v);
      return v > 0;
    }
    case tfNumerico: {
      double v;
      LeDecimal(VResult, fr, v);
      return v > -1;
    }
    case tfData: {
      int dias;
      return LeData(VResult, fr, dias) && dias > 0;
    }
    default:
      return false;
  }
}

// ------------------------------------------------------------------ events

void TFMsg::FormShow() {
  VCapturando = false;
  if (ctx_.ProgressosCriado()) ctx_.Progressos().Hide();
  PanelFundo.SetColor(MemoMensagem.Color());
  if (EditValorToRetorno.Visible())
    EditValorToRetorno.SetFocus();
  else if (ComboBoxToRetorno.Visible())
    ComboBoxToRetorno.SetFocus();
  else
    PanelFundo.SetFocus();
  PanelRodape.SetHeight(kAlturaRodape);
  VerificaCapsLock();
}

void TFMsg::FormKeyDown(int& Key) {
  if (LabelPressioneQQTeclaParaContinuar.Visible()) {
    Key = 0;
    Close();
    return;
  }
  if (Key == VK_RETURN_) {
    if (BotUm.Visible() && BotUm.Caption().find(u"enter") != Texto::npos) {
      Key = 0;
      BotUm.Click();
    } else if (BotDois.Visible()) {
      Key = 0;
      BotDois.Click();
    }
  } else if (Key == VK_ESCAPE_) {
    if (BotTres.Visible()) {
      Key = 0;
      BotTres.Click();
    }
  }
}

void TFMsg::TimerFechaAutoTimer() {
  --VContToClose;
  LabelPressioneQQTeclaParaContinuar.SetCaption(u"Pressione qualquer tecla para continuar..." +
                                                IntToStr(VContToClose) + u". ");
  if (VContToClose == 0) Close();
}

void TFMsg::CabecalhoMouseDown(int X, int Y) {
  backend().SetCapture(Cabecalho);
  VCapturando = true;
  VPosMouse = {X, Y};
}

void TFMsg::CabecalhoMouseMove(int X, int Y) {
  if (!VCapturando) return;
  SetBounds(Left() + X - VPosMouse.X, Top() + Y - VPosMouse.Y, Width(), Height());
}

void TFMsg::CabecalhoMouseUp(int, int) {
  if (!VCapturando) return;
  backend().ReleaseCapture();
  VCapturando = false;
}

void TFMsg::MemoMensagemEnter() {
  if (LabelPressioneQQTeclaParaContinuar.Visible())
    Close();
  else
    PanelFundo.SetFocus();
}

void TFMsg::FechaSeContagem() {
  if (LabelPressioneQQTeclaParaContinuar.Visible()) Close();
}

void TFMsg::ImagePassCharClick() {
  EditValorToRetorno.SetPasswordChar(EditValorToRetorno.PasswordChar() ? 0 : u'#');
}

void TFMsg::EditValorToRetornoKeyUp(int) { VerificaCapsLock(); }

void TFMsg::VerificaCapsLock() {
  if (ImagePassChar.Visible())
    LabelCapsLockLigado.SetVisible(ctx_.plat.CapsLockLigado() && EditValorToRetorno.Visible());
}

}  // namespace tevo
