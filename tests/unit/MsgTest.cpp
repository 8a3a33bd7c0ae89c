#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Contexto.h"
#include "platform/fake/PlataformaFalsa.h"
#include "toolkit/headless/Headless.h"
#include "ui/Msg.h"
#include "ui/Progressos.h"

using namespace tevo;
using tk::clWhite;
using tk::clYellow;
using tk::Rgb;

namespace {

// What the user saw when a dialog came up.
struct Visto {
  Texto cabecalho, texto, botUm, botDois, botTres;
  bool um = false, dois = false, tres = false, rodape = false;
  int left = 0, top = 0, largura = 0, altura = 0;
};

// A fake machine, the headless backend and the dialog made on first use. Each show
// is recorded, then answered by `responde` (no answer: closed as cancel).
struct MsgTeste : ::testing::Test {
  PlataformaFalsa plat;
  tk::HeadlessBackend ui;
  Contexto ctx{plat, ui};
  std::vector<Visto> vistos;
  std::function<void(TFMsg&)> responde;

  TFMsg& msg() { return ctx.Msg(); }

  void SetUp() override {
    ui.responder = [this](tk::TForm& f) {
      auto& m = static_cast<TFMsg&>(f);
      vistos.push_back({m.Cabecalho.Caption(), m.MemoMensagem.Text(), m.BotUm.Caption(), m.BotDois.Caption(),
                        m.BotTres.Caption(), m.BotUm.Showing(), m.BotDois.Showing(), m.BotTres.Showing(),
                        m.PanelRodape.Showing(), m.Left(), m.Top(), m.Width(), m.Height()});
      if (responde) responde(m);
    };
  }
  const Visto& ultimo() const { return vistos.back(); }

  // A file of the fake machine, read whole.
  std::string Le(const Texto& caminho) {
    std::ifstream f(plat.Local(caminho), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};

const Texto kArquivoLog = u"C:\\Pacote\\Temp\\Log09122025_145307.txt";
const Texto kObs = u"\r\n- Obs.: o erro completo foi gravado em C:\\Pacote\\Temp\\Log09122025_145307.txt. Analise-o.";

}  // namespace

TEST_F(MsgTeste, MadeOnFirstUseAndAnEmptyMessageIsSmallAndLow) {
  EXPECT_FALSE(ctx.MsgCriado());
  msg().Erro(u"");
  ASSERT_EQ(vistos.size(), 1u);
  EXPECT_EQ(ultimo().largura, 320);
  EXPECT_EQ(ultimo().altura, 150);
  EXPECT_EQ(ultimo().texto, u"\r\n\t");  // an empty first line, then the TAB
  EXPECT_EQ(msg().BorderStyle, tk::TBorderStyle::None);
  EXPECT_TRUE(msg().StayOnTop);
  EXPECT_TRUE(msg().KeyPreview);
  EXPECT_FALSE(msg().Visible());
}

TEST_F(MsgTeste, WidthByLengthAndLineBreaks) {
  const struct {
    Texto texto;
    int largura;
  } casos[] = {
      {Texto(99, u'a'), 320},          {Texto(100, u'a'), 327},  {Texto(150, u'a'), 327},
      {Texto(151, u'a'), 334},         {Texto(600, u'a'), 390},  {Texto(601, u'a'), 390},  // 601-650: step 10
      {Texto(650, u'a'), 390},         {Texto(651, u'a'), 397},  {Texto(801, u'a'), 411},  // 801-850: step 13
      {Texto(900, u'a'), 418},         {Texto(901, u'a'), 425},  {Texto(5000, u'a'), 425},
      {u"um\r\ndois\r\ntrês", 340},    {Texto(97, u'a') + u"\r\n", 330}, {Texto(98, u'a') + u"\r\n", 337},
  };
  for (const auto& c : casos) {
    msg().AvisoOutros(c.texto);
    EXPECT_EQ(ultimo().largura, c.largura) << c.texto.size();
    EXPECT_EQ(ultimo().texto.substr(ultimo().texto.size() - c.texto.size()), c.texto);
  }
  // the ladder never goes down as the text grows
  int anterior = 0;
  for (size_t n = 0; n <= 1000; n += 7) {
    msg().AvisoOutros(Texto(n, u'x'));
    EXPECT_GE(ultimo().largura, anterior) << n;
    anterior = ultimo().largura;
  }
}

TEST_F(MsgTeste, ButtonsCentredAtQuarterHalfAndThreeQuarters) {
  msg().ConfirmacaoSimples(Texto(400, u'a'), u"Sim", u"Não");  // 362 wide
  const auto& m = msg();
  EXPECT_EQ(m.Width(), 362);
  EXPECT_EQ(m.BotUm.Left(), (181 - 109) / 2);
  EXPECT_EQ(m.BotDois.Left(), (362 - 109) / 2);
  EXPECT_EQ(m.BotTres.Left(), 181 + (181 - 109) / 2);
  EXPECT_EQ(m.BotUm.Top(), (45 - 28) / 2);
}

TEST_F(MsgTeste, CentralizaControle) {
  tk::TPanel caixa(nullptr);
  caixa.SetBounds(0, 0, 301, 35);
  tk::TPanel c(&caixa);
  const struct {
    int posicao;
    bool vertical;
    int left, top;
  } casos[] = {{0, false, 16, 3}, {1, true, 166, 7}, {2, true, 91, 7}, {7, true, 5, 7}, {-1, false, 5, 3}};
  for (const auto& k : casos) {
    c.SetBounds(5, 3, 118, 21);
    CentralizaControle(c, caixa, k.posicao, k.vertical);
    EXPECT_EQ(c.Left(), k.left) << k.posicao;
    EXPECT_EQ(c.Top(), k.top) << k.posicao;
  }
}

TEST_F(MsgTeste, KindStyling) {
  using tk::TColor;
  struct Caso {
    std::function<void(TFMsg&)> chama;
    Texto cabecalho;
    bool um, dois, tres;
    TColor fundo, texto, textoCabecalho, rodDe, rodPara, cabDe, cabPara;
    TColor face;
  };
  const TColor kSet1 = Rgb(0x78, 0x41, 0x41), kSet2 = Rgb(0x8A, 0x95, 0x43);
  const TColor vA6 = Rgb(0xA6, 0, 0), v4F = Rgb(0x4F, 0, 0);
  const Caso casos[] = {
      {[](TFMsg& m) { m.Sucesso(u"x", 4); }, u"SUCESSO", false, false, false, Rgb(0x13, 0x4F, 0x1A), clWhite,
       clYellow, Rgb(0x07, 0x1D, 0x0A), Rgb(0x13, 0x51, 0x1A), Rgb(0x07, 0x1D, 0x0A), Rgb(0x13, 0x51, 0x1A), kSet1},
      {[](TFMsg& m) { m.Erro(u"x"); }, u"OCORREU UM ERRO", false, true, false, Rgb(0xDF, 0, 0), clWhite, clWhite,
       vA6, v4F, vA6, v4F, kSet1},
      {[](TFMsg& m) { m.AvisoImportante(u"x"); }, u"MUITA ATENÇÃO", false, true, false, Rgb(0x9D, 0, 0), clYellow,
       clWhite, vA6, v4F, Rgb(0x3E, 0x3E, 0x37), Rgb(0x23, 0x23, 0x1F), kSet1},
      {[](TFMsg& m) { m.AvisoOutros(u"x"); }, u"AVISO", false, true, false, Rgb(0x93, 0x93, 0), clWhite, clYellow,
       Rgb(0x2F, 0x2F, 0), Rgb(0x84, 0x84, 0), Rgb(0x2F, 0x2F, 0), Rgb(0x84, 0x84, 0), kSet2},
      {[](TFMsg& m) { m.ConfirmacaoSimples(u"x", u"Sim", u"Não"); }, u"PEDIDO DE CONFIRMAÇÃO", true, false, true,
       Rgb(0xB3, 0xAE, 0x75), Rgb(0, 0, 0x40), clYellow, Rgb(0x56, 0x4D, 0x14), Rgb(0x8F, 0x7E, 0x21),
       Rgb(0x56, 0x4D, 0x14), Rgb(0x8F, 0x7E, 0x21), kSet2},
      {[](TFMsg& m) { m.ConfirmacaoAtencao(u"x", u"Sim", u"Não"); }, u"ATENÇÃO - CONFIRMAÇÃO", true, false, true,
       Rgb(0x9D, 0, 0), clYellow, clWhite, vA6, v4F, vA6, v4F, kSet2},
      {[](TFMsg& m) { m.ConfirmacaoErro(u"x", u"Sim", u"Não"); }, u"ATENÇÃO - HOUVE UM ERRO", true, false, true,
       Rgb(0xDF, 0, 0), clWhite, clWhite, vA6, v4F, vA6, v4F, kSet1},
      {[](TFMsg& m) { m.AvisoHelps(u"x", 10, true); }, u"INFORMAÇÃO", false, true, false, Rgb(0xC6, 0xFF, 0xE2),
       tk::clBlack, clYellow, Rgb(0x13, 0x2D, 0x48), Rgb(0x70, 0xA2, 0xD8), Rgb(0x13, 0x2D, 0x48),
       Rgb(0x70, 0xA2, 0xD8), kSet1},
      {[](TFMsg& m) {
         Texto r;
         m.PedidoInformacao(r, u"x", TFormatoPedidoInformacao::tfTexto);
       },
       u"PEDIDO DE INFORMAÇÃO", false, true, false, Rgb(0x43, 0x77, 0xCD), clWhite, clWhite, Rgb(0, 0, 0x82),
       Rgb(0, 0, 0x40), Rgb(0, 0, 0x82), Rgb(0, 0, 0x40), kSet1},
  };
  // Each kind after a kind with other colours: nothing is left over from the previous message.
  for (int volta = 0; volta < 2; ++volta) {
    for (const auto& c : casos) {
      responde = [&](TFMsg& m) {
        EXPECT_EQ(m.Cabecalho.Caption(), c.cabecalho);
        EXPECT_EQ(m.BotUm.Showing(), c.um) << Utf8(c.cabecalho);
        EXPECT_EQ(m.BotDois.Showing(), c.dois) << Utf8(c.cabecalho);
        EXPECT_EQ(m.BotTres.Showing(), c.tres) << Utf8(c.cabecalho);
        EXPECT_EQ(m.MemoMensagem.Color(), c.fundo) << Utf8(c.cabecalho);
        EXPECT_EQ(m.PanelFundo.Color(), c.fundo);
        EXPECT_EQ(m.Color(), c.fundo);
        EXPECT_EQ(m.LabelVersaoEOutrasInf.Color(), c.fundo);
        EXPECT_EQ(m.LabelPressioneQQTeclaParaContinuar.Color(), c.fundo);
        EXPECT_EQ(m.LabelVersaoEOutrasInf.Font().Color, clWhite);
        EXPECT_EQ(m.LabelPressioneQQTeclaParaContinuar.Font().Color, Rgb(0xB4, 0xB4, 0x65));
        EXPECT_EQ(m.MemoMensagem.Font().Color, c.texto) << Utf8(c.cabecalho);
        EXPECT_EQ(m.Cabecalho.Font().Color, c.textoCabecalho) << Utf8(c.cabecalho);
        EXPECT_EQ(m.Rodape.StartColor(), c.rodDe);
        EXPECT_EQ(m.Rodape.EndColor(), c.rodPara);
        EXPECT_EQ(m.Cabecalho.StartColor(), c.cabDe) << Utf8(c.cabecalho);
        EXPECT_EQ(m.Cabecalho.EndColor(), c.cabPara);
        for (const tk::TImageButton* b : {&m.BotUm, &m.BotDois, &m.BotTres}) {
          EXPECT_EQ(b->Aparencia().face, c.face) << Utf8(c.cabecalho);
          EXPECT_EQ(b->Aparencia().corner, 3);
          EXPECT_EQ(b->Aparencia().text, clYellow);
        }
        EXPECT_EQ(m.BotDois.Caption(), u"OK (enter)");
        EXPECT_EQ(m.PanelCompoParaRetorno.Showing(), c.cabecalho == u"PEDIDO DE INFORMAÇÃO");
        m.Close();
      };
      c.chama(msg());
    }
  }
  EXPECT_EQ(vistos.size(), 18u);
}

TEST_F(MsgTeste, ShortMessagesSitOneLineLowerInTheSmallestDialog) {
  // 1 or 2 displayed lines get an empty line above; 3 lines in a dialog still below
  // 150 (Sucesso has no button bar) only get the height.
  msg().Erro(u"uma linha");
  EXPECT_EQ(ultimo().texto, u"\r\n\tuma linha");
  EXPECT_EQ(ultimo().altura, 150);
  msg().Erro(u"linha um\r\nlinha dois");
  EXPECT_EQ(ultimo().texto, u"\r\n\tlinha um\r\nlinha dois");
  EXPECT_EQ(ultimo().altura, 150);
  msg().Sucesso(u"a\r\nb\r\nc", 4);
  EXPECT_EQ(ultimo().texto, u"\ta\r\nb\r\nc");
  EXPECT_EQ(ultimo().altura, 150);
  // a taller message: (lines + 1) x line height + 10 for the message, header, bar and 10
  const int h = ui.TextHeight(msg().MemoMensagem.Font());
  msg().Erro(u"1\r\n2\r\n3\r\n4\r\n5\r\n6");
  EXPECT_EQ(ultimo().texto, u"\t1\r\n2\r\n3\r\n4\r\n5\r\n6");
  EXPECT_EQ(ultimo().altura, 25 + (6 + 1) * h + 10 + 45 + 10);
  // wrapped lines count: the line count is measured at the new width
  msg().Erro(Texto(1000, u'w'));
  const int largura = msg().MemoMensagem.Width();
  const int linhas = ui.MeasureLines(msg().MemoMensagem.Font(), msg().MemoMensagem.Text(), largura);
  EXPECT_GT(linhas, 10);
  EXPECT_EQ(largura, 435 - 10);
  EXPECT_EQ(ultimo().altura, 25 + (linhas + 1) * h + 10 + 45 + 10);
}

TEST_F(MsgTeste, ExtraLineOfErroCountsInTheHeight) {
  msg().Erro(u"1\r\n2\r\n3\r\n4\r\n5\r\n6", u"Versão 12.1.1");
  const int h = ui.TextHeight(msg().MemoMensagem.Font());
  EXPECT_EQ(ultimo().altura, 25 + 7 * h + 10 + 12 + 45 + 10);
  EXPECT_TRUE(msg().LabelVersaoEOutrasInf.Visible());
  EXPECT_EQ(msg().LabelVersaoEOutrasInf.Caption(), u"Versão 12.1.1");
  EXPECT_EQ(msg().LabelVersaoEOutrasInf.Alignment(), tk::TAlignment::Right);
  msg().Erro(u"x");
  EXPECT_FALSE(msg().LabelVersaoEOutrasInf.Visible());
}

TEST_F(MsgTeste, ErrorTextAndFullErrorFile) {
  const Texto base500(500, u'b'), var399(399, u'v'), var400(400, u'v');
  // 899 characters together: both shown, no file
  msg().Erro(base500, u"", var399);
  EXPECT_EQ(ultimo().texto, u"\t" + base500 + u"\r\n" + var399);
  EXPECT_FALSE(plat.PastaExiste(u"C:\\Pacote\\Temp"));
  // 900: only the base, then where the whole text went
  msg().Erro(base500, u"", var400);
  EXPECT_EQ(ultimo().texto, u"\t" + base500 + kObs);
  EXPECT_EQ(Le(kArquivoLog), std::string(500, 'b') + "\r\n" + std::string(400, 'v') + "\r\n");
  // 1,000 characters of base alone: its first 900 shown; the file has all of it,
  // the (empty) detail after a line break, and a final line break
  const Texto base1000 = Texto(900, u'c') + Texto(100, u'd');
  msg().AvisoImportante(base1000);
  EXPECT_EQ(ultimo().texto, u"\t" + Texto(900, u'c') + kObs);
  EXPECT_EQ(ultimo().cabecalho, u"MUITA ATENÇÃO");
  EXPECT_EQ(Le(kArquivoLog), std::string(900, 'c') + std::string(100, 'd') + "\r\n\r\n");
}

TEST_F(MsgTeste, FullErrorFileNameFromTheMachinesDateAndTimeInItsAnsiCodePage) {
  plat.caminhoPrograma = u"D:\\Instaladores\\TEVO 2\\InstalacaoTEVO.exe";
  plat.agora = {u"2025-12-9", u"2:53:07 PM"};  // other regional formats: only the digits count
  msg().Erro(u"Conexão recusada: " + Texto(890, u'x'), u"", u"Ação inválida €");
  const Texto arquivo = u"D:\\Instaladores\\TEVO 2\\Temp\\Log2025129_25307.txt";
  ASSERT_TRUE(plat.ArquivoExiste(arquivo));
  EXPECT_EQ(Le(arquivo), "Conex\xE3o recusada: " + std::string(890, 'x') + "\r\nA\xE7\xE3o inv\xE1lida \x80\r\n");
  EXPECT_NE(ultimo().texto.find(u"gravado em " + arquivo + u". Analise-o."), Texto::npos);
}

TEST_F(MsgTeste, FullErrorFileThatCannotBeWrittenDoesNotLoseTheMessage) {
  // the file's name is taken by a folder; then the Temp folder cannot be made
  std::filesystem::create_directories(plat.Local(kArquivoLog));
  const Texto longa(950, u'e');
  msg().Erro(longa);
  ASSERT_EQ(vistos.size(), 1u);
  const Texto esperado = u"\t" + Texto(900, u'e') + u"\r\n- Obs.: não foi possível gravar o erro completo em " +
                         kArquivoLog + u" (";
  EXPECT_EQ(ultimo().texto.substr(0, esperado.size()), esperado);
  EXPECT_EQ(ultimo().texto.substr(ultimo().texto.size() - 2), u").");
  EXPECT_EQ(ultimo().cabecalho, u"OCORREU UM ERRO");

  std::filesystem::remove_all(plat.Local(u"C:\\Pacote\\Temp"));
  std::ofstream(plat.Local(u"C:\\Pacote\\Temp")) << "a file where the folder goes";
  msg().AvisoImportante(longa);
  ASSERT_EQ(vistos.size(), 2u);
  EXPECT_NE(ultimo().texto.find(u"- Obs.: não foi possível gravar o erro completo em " + kArquivoLog),
            Texto::npos);
}

TEST_F(MsgTeste, ConfirmCaptionsAndKeys) {
  const struct {
    Texto um, tres;
    int tecla;
    Texto capUm, capTres;
    bool resultado;
    int semResposta;  // the key did nothing: the dialog stayed open
  } casos[] = {
      {u"Sim", u"Não", tk::VK_RETURN_, u"Sim (enter)", u"Não (ESC)", true, 0},
      {u"123456789", u"Não", tk::VK_RETURN_, u"123456789 (enter)", u"Não (ESC)", true, 0},
      {u"1234567890", u"Não", tk::VK_RETURN_, u"1234567890", u"Não (ESC)", false, 1},
      {u"Sim", u"12345678901", tk::VK_ESCAPE_, u"Sim (enter)", u"12345678901 (ESC)", false, 0},
      {u"Sim", u"123456789012", tk::VK_ESCAPE_, u"Sim (enter)", u"123456789012", false, 0},
      {u"Sim", u"Não", 'A', u"Sim (enter)", u"Não (ESC)", false, 1},
  };
  for (const auto& c : casos) {
    responde = [&](TFMsg& m) { m.KeyDown(c.tecla); };
    const int antes = ui.unanswered;
    for (auto f : {&TFMsg::ConfirmacaoSimples, &TFMsg::ConfirmacaoAtencao, &TFMsg::ConfirmacaoErro}) {
      EXPECT_EQ((msg().*f)(u"Continuar?", c.um, c.tres), c.resultado) << Utf8(c.um) << " " << Utf8(c.tres);
      EXPECT_EQ(ultimo().botUm, c.capUm);
      EXPECT_EQ(ultimo().botTres, c.capTres);
    }
    EXPECT_EQ(ui.unanswered - antes, 3 * c.semResposta);
  }
  // clicks: the confirm button is yes, the refuse button no
  responde = [](TFMsg& m) { m.BotUm.Click(); };
  EXPECT_TRUE(msg().ConfirmacaoAtencao(u"?", u"1234567890", u"Não"));
  EXPECT_EQ(msg().ModalResult(), tk::mrYes);
  responde = [](TFMsg& m) { m.BotTres.Click(); };
  EXPECT_FALSE(msg().ConfirmacaoAtencao(u"?", u"Sim", u"Não"));
  EXPECT_EQ(msg().ModalResult(), tk::mrNo);
}

TEST_F(MsgTeste, EnterAndEscapeOnTheNotices) {
  responde = [](TFMsg& m) { m.KeyDown(tk::VK_ESCAPE_); };
  msg().Erro(u"x");  // no refuse button: Escape does nothing
  EXPECT_EQ(ui.unanswered, 1);
  responde = [](TFMsg& m) { m.KeyDown(tk::VK_RETURN_); };
  for (auto chama : std::initializer_list<std::function<void()>>{
           [&] { msg().Erro(u"x"); }, [&] { msg().AvisoImportante(u"x"); }, [&] { msg().AvisoOutros(u"x"); },
           [&] { msg().AvisoHelps(u"x", 12, false); }}) {
    chama();
    EXPECT_EQ(msg().ModalResult(), tk::mrYes);
  }
  EXPECT_EQ(ui.unanswered, 1);
}

TEST_F(MsgTeste, SucessoCountsDownAndClosesByItself) {
  std::vector<Texto> linhas;
  responde = [&](TFMsg& m) {
    EXPECT_TRUE(m.TimerFechaAuto.Active());
    EXPECT_EQ(m.TimerFechaAuto.Interval(), 1000);
    EXPECT_FALSE(m.PanelRodape.Visible());
    linhas.push_back(m.LabelPressioneQQTeclaParaContinuar.Caption());
    for (int i = 0; i < 4 && m.Visible(); ++i) {
      m.TimerFechaAuto.Fire();
      linhas.push_back(m.LabelPressioneQQTeclaParaContinuar.Caption());
    }
    EXPECT_FALSE(m.Visible());
  };
  msg().Sucesso(u"Instalado.", 4);
  const std::vector<Texto> esperadas = {
      u"Pressione qualquer tecla para continuar... ", u"Pressione qualquer tecla para continuar...3. ",
      u"Pressione qualquer tecla para continuar...2. ", u"Pressione qualquer tecla para continuar...1. ",
      u"Pressione qualquer tecla para continuar...0. "};
  EXPECT_EQ(linhas, esperadas);
  EXPECT_EQ(msg().ModalResult(), tk::mrCancel);
  EXPECT_EQ(ui.unanswered, 0);
  EXPECT_FALSE(msg().TimerFechaAuto.Active());
  EXPECT_EQ(ultimo().cabecalho, u"SUCESSO");
  EXPECT_FALSE(ultimo().rodape);
}

TEST_F(MsgTeste, SucessoWithoutTimeWaitsForAKeyOrAClick) {
  for (int16_t tempo : {int16_t(0), int16_t(-2)}) {
    for (int modo = 0; modo < 4; ++modo) {
      std::vector<Texto> linhas;
      responde = [&](TFMsg& m) {
        for (int i = 0; i < 3; ++i) {
          m.TimerFechaAuto.Fire();
          linhas.push_back(m.LabelPressioneQQTeclaParaContinuar.Caption());
        }
        EXPECT_TRUE(m.Visible());
        switch (modo) {
          case 0: m.KeyDown(tk::VK_RETURN_); break;
          case 1: m.KeyDown(tk::VK_ESCAPE_); break;
          case 2: m.MemoMensagem.Click(); break;
          default: m.Click(); break;
        }
        EXPECT_FALSE(m.Visible());
      };
      msg().Sucesso(u"Pronto.", tempo);
      EXPECT_EQ(linhas.back(), u"Pressione qualquer tecla para continuar..." + IntToStr(tempo - 3) + u". ");
      EXPECT_EQ(msg().ModalResult(), tk::mrCancel);
    }
  }
  EXPECT_EQ(ui.unanswered, 0);
}

TEST_F(MsgTeste, ClicksOnTheMessageCloseOnlyDuringTheCountdown) {
  responde = [](TFMsg& m) {
    m.MemoMensagem.Click();
    m.PanelFundo.Click();
    m.Click();
    EXPECT_TRUE(m.Visible());
    // the message never takes the focus
    m.MemoMensagem.SetFocus();
    EXPECT_TRUE(m.PanelFundo.Focused());
  };
  msg().Erro(u"x");
  EXPECT_EQ(ui.unanswered, 1);
}

TEST_F(MsgTeste, ConfirmationsKeepThePlaceNoticesAreCentred) {
  responde = [](TFMsg& m) { m.KeyDown(tk::VK_RETURN_); };
  // the very first show is centred, even for a confirmation
  msg().ConfirmacaoAtencao(u"Primeira?", u"Sim", u"Não");
  EXPECT_EQ(ultimo().left, (1920 - 320) / 2);
  EXPECT_EQ(ultimo().top, (1080 - 150) / 2);
  // the user drags the next one by its header
  responde = [](TFMsg& m) {
    m.Cabecalho.MouseDown(10, 10);
    EXPECT_TRUE(m.VCapturando);
    m.Cabecalho.MouseMove(60, 40);
    m.Cabecalho.MouseMove(70, 50);
    m.Cabecalho.MouseUp(70, 50);
    EXPECT_FALSE(m.VCapturando);
    m.Cabecalho.MouseMove(500, 500);  // no longer dragging
    m.KeyDown(tk::VK_RETURN_);
  };
  msg().ConfirmacaoSimples(u"Segunda?", u"Sim", u"Não");
  EXPECT_EQ(msg().Left(), 800 + 50 + 60);
  EXPECT_EQ(msg().Top(), 465 + 30 + 40);
  responde = [](TFMsg& m) { m.KeyDown(tk::VK_RETURN_); };
  msg().ConfirmacaoErro(Texto(400, u'x'), u"Sim", u"Não");  // wider: the top-left corner stays
  EXPECT_EQ(ultimo().left, 910);
  EXPECT_EQ(ultimo().top, 535);
  Texto r;
  msg().PedidoInformacao(r, u"?", TFormatoPedidoInformacao::tfTexto, u"a");
  EXPECT_EQ(ultimo().left, 910);
  msg().AvisoOutros(u"Aviso");  // notices are centred every time
  EXPECT_EQ(ultimo().left, (1920 - 320) / 2);
  EXPECT_EQ(ultimo().top, (1080 - 150) / 2);
  msg().ConfirmacaoAtencao(u"De novo?", u"Sim", u"Não");
  EXPECT_EQ(ultimo().left, (1920 - 320) / 2);
}

TEST_F(MsgTeste, EveryShowHidesTheWaitWindow) {
  responde = [this](TFMsg& m) {
    EXPECT_FALSE(ctx.Progressos().Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  MostraAguarde(ctx.Progressos(), u"Verificando Firebird...");
  msg().Erro(u"Falhou.");
  EXPECT_FALSE(ctx.Progressos().Visible());
  MostraAguarde(ctx.Progressos(), u"Verificando Firebird...");
  EXPECT_TRUE(msg().ConfirmacaoAtencao(u"Remover?", u"Sim", u"Não"));
  EXPECT_FALSE(ctx.Progressos().Visible());
}

// ------------------------------------------------------------------ information request

TEST_F(MsgTeste, PedidoInteiro) {
  using enum TFormatoPedidoInformacao;
  for (const Texto padrao : {u"0", u"abc", u"-5", u""}) {
    responde = [&](TFMsg& m) {
      auto& e = m.EditValorToRetorno;
      EXPECT_TRUE(e.Showing());
      EXPECT_TRUE(e.Focused());
      EXPECT_EQ(e.Text(), u"0");
      EXPECT_EQ(e.SelLength, 1);  // selected
      EXPECT_EQ(e.Width(), 100);
      EXPECT_EQ(e.Alignment(), tk::TAlignment::Right);
      e.Type(u"a-1x2-");
      EXPECT_EQ(e.Text(), u"12");
      m.KeyDown(tk::VK_RETURN_);
    };
    Texto r;
    EXPECT_TRUE(msg().PedidoInformacao(r, u"Quantos?", tfInteiro, padrao));
    EXPECT_EQ(r, u"12");
  }
  const struct {
    Texto digitado;
    bool resultado;
  } respostas[] = {{u"", false}, {u"0", false}, {u"7", true}, {u"00", false}};
  for (const auto& c : respostas) {
    responde = [&](TFMsg& m) {
      m.EditValorToRetorno.SetText(u"");
      m.EditValorToRetorno.Type(c.digitado);
      m.KeyDown(tk::VK_RETURN_);
    };
    Texto r;
    EXPECT_EQ(msg().PedidoInformacao(r, u"Quantos?", tfInteiro, u"3"), c.resultado) << Utf8(c.digitado);
    EXPECT_EQ(r, c.digitado);
  }
  responde = [](TFMsg& m) {
    EXPECT_EQ(m.EditValorToRetorno.Text(), u"25");
    m.Close();  // closing any other way answers the same
  };
  Texto r;
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Quantos?", tfInteiro, u"25"));
  EXPECT_EQ(r, u"25");
}

TEST_F(MsgTeste, PedidoNumerico) {
  using enum TFormatoPedidoInformacao;
  responde = [](TFMsg& m) {
    auto& e = m.EditValorToRetorno;
    EXPECT_EQ(e.Text(), u"0,00");
    EXPECT_EQ(e.SelLength, 4);
    e.Type(u"1.2.3");  // "." is the decimal separator; a second one is refused
    EXPECT_EQ(e.Text(), u"1,23");
    e.Type(u"-");  // not at the first position
    e.SelStart = 0;
    e.Type(u"-");
    e.SelStart = 0;
    e.Type(u"-");  // only once
    EXPECT_EQ(e.Text(), u"-1,23");
    m.KeyDown(tk::VK_RETURN_);
  };
  Texto r;
  EXPECT_FALSE(msg().PedidoInformacao(r, u"Valor?", tfNumerico, u"abc", u"#,##0.00"));  // -1.23 is not above -1
  EXPECT_EQ(r, u"-1,23");

  const struct {
    Texto resposta;
    bool resultado;
  } casos[] = {{u"", true}, {u"0", true}, {u"-0,99", true}, {u"-1", false}, {u"x", true}, {u"1234,5", true}};
  for (const auto& c : casos) {
    responde = [&](TFMsg& m) {
      m.EditValorToRetorno.SetText(c.resposta);
      m.KeyDown(tk::VK_RETURN_);
    };
    EXPECT_EQ(msg().PedidoInformacao(r, u"Valor?", tfNumerico, u"", u"#,##0.00"), c.resultado) << Utf8(c.resposta);
    EXPECT_EQ(r, c.resposta);
  }
  // a usable default, shown in the format when the field takes the focus
  responde = [](TFMsg& m) {
    EXPECT_EQ(m.EditValorToRetorno.Text(), u"1.234,50");
    m.KeyDown(tk::VK_RETURN_);
  };
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Valor?", tfNumerico, u"1234,5", u"#,##0.00"));
  EXPECT_EQ(r, u"1.234,50");
}

TEST_F(MsgTeste, PedidoSenha) {
  using enum TFormatoPedidoInformacao;
  responde = [this](TFMsg& m) {
    auto& e = m.EditValorToRetorno;
    EXPECT_EQ(e.PasswordChar(), u'#');
    EXPECT_TRUE(m.ImagePassChar.Showing());
    EXPECT_EQ(e.Width(), 200);
    EXPECT_EQ(e.Alignment(), tk::TAlignment::Left);
    EXPECT_FALSE(m.LabelCapsLockLigado.Visible());
    m.ImagePassChar.Click();
    EXPECT_EQ(e.PasswordChar(), 0);
    m.ImagePassChar.Click();
    EXPECT_EQ(e.PasswordChar(), u'#');
    plat.capsLock = true;
    e.Type(u"S3nh@");
    e.KeyUp('@');
    EXPECT_TRUE(m.LabelCapsLockLigado.Showing());
    EXPECT_EQ(m.LabelCapsLockLigado.Caption(), u"CAPS Lock está ligado");
    plat.capsLock = false;
    e.KeyUp(20);
    EXPECT_FALSE(m.LabelCapsLockLigado.Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  Texto r;
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Senha?", tfPass));
  EXPECT_EQ(r, u"S3nh@");
  // the next message forgets the mask and the text; the empty answer is refused
  responde = [](TFMsg& m) {
    EXPECT_EQ(m.EditValorToRetorno.PasswordChar(), 0);
    EXPECT_FALSE(m.ImagePassChar.Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  EXPECT_FALSE(msg().PedidoInformacao(r, u"Nome?", tfTexto));
  EXPECT_EQ(r, u"");
  // Caps Lock already on when the request comes up
  plat.capsLock = true;
  responde = [](TFMsg& m) {
    EXPECT_TRUE(m.LabelCapsLockLigado.Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  msg().PedidoInformacao(r, u"Senha?", tfPass, u"abc");
  EXPECT_EQ(r, u"abc");
  // and only a password request shows the warning
  responde = [](TFMsg& m) {
    EXPECT_FALSE(m.LabelCapsLockLigado.Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  msg().PedidoInformacao(r, u"Nome?", tfTexto, u"abc");
}

TEST_F(MsgTeste, PedidoLista) {
  using enum TFormatoPedidoInformacao;
  auto& combo = msg().ComboBoxToRetorno;
  combo.AddItem(u"Matriz");
  responde = [](TFMsg& m) {
    EXPECT_TRUE(m.ComboBoxToRetorno.Showing());
    EXPECT_TRUE(m.ComboBoxToRetorno.Focused());
    m.KeyDown(tk::VK_RETURN_);
  };
  Texto r;
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Empresa?", tfTextoLista));
  EXPECT_EQ(r, u"Matriz");
  combo.SetItems({});
  combo.AddItem(u"filial 2");
  combo.AddItem(u"Matriz");
  combo.AddItem(u"Filial 1");
  EXPECT_EQ(combo.Items(), (std::vector<Texto>{u"Filial 1", u"filial 2", u"Matriz"}));
  EXPECT_FALSE(msg().PedidoInformacao(r, u"Empresa?", tfTextoLista));
  EXPECT_EQ(r, u"");
  responde = [](TFMsg& m) {
    m.ComboBoxToRetorno.Select(u"Matriz");
    m.KeyDown(tk::VK_RETURN_);
  };
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Empresa?", tfTextoLista));
  EXPECT_EQ(r, u"Matriz");
  EXPECT_EQ(combo.Items().size(), 3u);  // the dialog never empties the list
}

TEST_F(MsgTeste, PedidoData) {
  using enum TFormatoPedidoInformacao;
  responde = [](TFMsg& m) {
    EXPECT_TRUE(m.MaskEditDataToRetorno.Showing());
    EXPECT_EQ(m.MaskEditDataToRetorno.Text(), u"__/__/____");
    EXPECT_TRUE(m.PanelFundo.Focused());  // the user moves into the field
    m.KeyDown(tk::VK_RETURN_);
  };
  Texto r;
  EXPECT_FALSE(msg().PedidoInformacao(r, u"Data?", tfData, u"ontem"));
  EXPECT_EQ(r, u"  /  /    ");

  responde = [](TFMsg& m) {
    auto& d = m.MaskEditDataToRetorno;
    d.SetFocus();
    d.Type(u"3a1/1220x24");
    EXPECT_EQ(d.Text(), u"31/12/2024");
    m.KeyDown(tk::VK_RETURN_);
  };
  EXPECT_TRUE(msg().PedidoInformacao(r, u"Data?", tfData, u"não é data"));
  EXPECT_EQ(r, u"31/12/2024");

  // a default that is not a date leaves what the previous request left
  const struct {
    Texto padrao, campo;
    bool resultado;
  } casos[] = {{u"xx", u"31/12/2024", true},      {u"01/02/2023", u"01/02/2023", true},
               {u"30/12/1899", u"01/02/2023", true}, {u"31/02/2023", u"01/02/2023", true},
               {u"1/3/2020", u"01/03/2020", true}};
  for (const auto& c : casos) {
    responde = [&](TFMsg& m) {
      EXPECT_EQ(m.MaskEditDataToRetorno.Text(), c.campo) << Utf8(c.padrao);
      m.KeyDown(tk::VK_RETURN_);
    };
    EXPECT_EQ(msg().PedidoInformacao(r, u"Data?", tfData, c.padrao), c.resultado);
  }
  responde = [](TFMsg& m) {
    auto& d = m.MaskEditDataToRetorno;
    d.SetFocus();
    d.Type(u"\b");  // everything selected on entry: cleared
    d.Type(u"3112");
    m.KeyDown(tk::VK_RETURN_);
  };
  EXPECT_FALSE(msg().PedidoInformacao(r, u"Data?", tfData));
  EXPECT_EQ(r, u"31/12/    ");
}

TEST_F(MsgTeste, PedidoDeTipoDesconhecido) {
  responde = [](TFMsg& m) {
    EXPECT_TRUE(m.PanelCompoParaRetorno.Showing());
    for (const tk::TControl* c : std::initializer_list<const tk::TControl*>{
             &m.EditValorToRetorno, &m.ComboBoxToRetorno, &m.MaskEditDataToRetorno, &m.ImagePassChar})
      EXPECT_FALSE(c->Visible());
    m.KeyDown(tk::VK_ESCAPE_);  // nothing to refuse with
    EXPECT_TRUE(m.Visible());
    m.KeyDown(tk::VK_RETURN_);
  };
  Texto r = u"lixo";
  EXPECT_FALSE(msg().PedidoInformacao(r, u"?", static_cast<TFormatoPedidoInformacao>(6), u"x"));
  EXPECT_EQ(r, u"");
  EXPECT_EQ(ui.unanswered, 0);
}

TEST_F(MsgTeste, PedidoLayout) {
  Texto r;
  responde = [](TFMsg& m) {
    // the answer panel (35) under the message, the fields centred in it
    EXPECT_EQ(m.PanelCompoParaRetorno.Top(), m.MemoMensagem.Height());
    EXPECT_EQ(m.PanelCompoParaRetorno.Height(), 35);
    EXPECT_EQ(m.PanelCompoParaRetorno.Color(), Rgb(0x43, 0x77, 0xCD));
    EXPECT_EQ(m.EditValorToRetorno.Left(), (m.Width() - 200) / 2);
    EXPECT_EQ(m.EditValorToRetorno.Top(), (35 - m.EditValorToRetorno.Height()) / 2);
    m.KeyDown(tk::VK_RETURN_);
  };
  const Texto pergunta = u"1\r\n2\r\n3\r\n4\r\n5";
  msg().PedidoInformacao(r, pergunta, TFormatoPedidoInformacao::tfTexto, u"a");
  const int h = ui.TextHeight(msg().MemoMensagem.Font());
  EXPECT_EQ(ultimo().largura, 320 + 40);
  EXPECT_EQ(ultimo().altura, 25 + 6 * h + 10 + 35 + 45 + 10);
}
