#include <gtest/gtest.h>

#include "Maquina.h"
#include "app/Enderecos.h"

using namespace tevo;
using tevo::teste::Maquina;

TEST(Fluxo, ConsentIsRequiredAndSurvivesGoingBack) {
  Maquina s;
  auto& m = s.main();
  auto& w = m.JvWizard1;
  w.NextButton.Click();
  ASSERT_EQ(w.ActivePage(), &m.PgTermosUso);
  w.NextButton.Click();
  EXPECT_EQ(w.ActivePage(), &m.PgTermosUso);
  ASSERT_EQ(s.dialogos.size(), 1u);
  EXPECT_EQ(s.dialogos[0].cabecalho, u"OCORREU UM ERRO");
  EXPECT_EQ(s.dialogos[0].mensagem, u"Você precisa aceitar o contrato de uso do sistema.");
  m.BoxTermos.Click();
  w.NextButton.Click();
  ASSERT_EQ(w.ActivePage(), &m.PgSuporte);
  w.NextButton.Click();
  EXPECT_EQ(s.dialogos.back().mensagem,
            u"Você precisa marcar a opção concordando com as condições do suporte técnico.");
  EXPECT_EQ(w.ActivePage(), &m.PgSuporte);
  m.BoxSuporte.Click();
  w.BackButton.Click();
  EXPECT_EQ(w.ActivePage(), &m.PgTermosUso);
  w.NextButton.Click();
  w.NextButton.Click();
  EXPECT_EQ(w.ActivePage(), &m.PgConfigInstal);
  EXPECT_EQ(s.dialogos.size(), 2u);
  EXPECT_EQ(w.RouteMap.Caption(), u"Configurações");
}

TEST(Fluxo, CancelAsksAndOnlyYesCloses) {
  Maquina s;
  auto& m = s.main();
  m.Show();
  m.JvWizard1.NextButton.Click();
  m.BoxTermos.Click();
  s.respostas = {false};
  m.JvWizard1.CancelButton.Click();
  ASSERT_EQ(s.dialogos.size(), 1u);
  EXPECT_EQ(s.dialogos[0].cabecalho, u"ATENÇÃO - CONFIRMAÇÃO");
  EXPECT_EQ(s.dialogos[0].mensagem, u"Tem certeza que deseja cancelar a instalação?");
  EXPECT_EQ(s.ctx.Msg().BotUm.Caption(), u"Sim (enter)");
  EXPECT_EQ(s.ctx.Msg().BotTres.Caption(), u"Não (ESC)");
  EXPECT_FALSE(m.Closed());
  EXPECT_EQ(m.JvWizard1.ActivePage(), &m.PgTermosUso);
  EXPECT_TRUE(m.BoxTermos.Checked());
  s.respostas = {true};
  m.JvWizard1.CancelButton.Click();
  EXPECT_TRUE(m.Closed());
}

TEST(Fluxo, ButtonsPerPageAndFinish) {
  Maquina s;
  auto& m = s.main();
  auto& w = m.JvWizard1;
  m.Show();
  w.SetActivePage(m.PgFim);
  EXPECT_TRUE(w.FinishButton.Visible());
  EXPECT_FALSE(w.BackButton.Visible() || w.NextButton.Visible() || w.CancelButton.Visible());
  w.FinishButton.Click();
  EXPECT_TRUE(m.Closed());
  EXPECT_TRUE(s.dialogos.empty());
  // the close box asks nothing
  Maquina t;
  t.main().Show();
  t.main().Close();
  EXPECT_TRUE(t.main().Closed());
  EXPECT_TRUE(t.dialogos.empty());
}

TEST(Fluxo, InstallPageEntersWithInstallAndBackRestoresProceed) {
  Maquina s;
  auto& m = s.main();
  auto& w = m.JvWizard1;
  w.SetActivePage(m.PgConfigInstal);
  w.NextButton.Click();
  ASSERT_EQ(w.ActivePage(), &m.PgInstalacao);
  EXPECT_EQ(w.NextButton.Caption(), u"Instalar");
  w.NextButton.Click();  // never moves by itself: only a completed run reaches the closing page
  EXPECT_EQ(w.ActivePage(), &m.PgInstalacao);
  w.BackButton.Click();
  EXPECT_EQ(w.NextButton.Caption(), u"Prosseguir");
}

TEST(Fluxo, LinksOpenTheirOwnCurrentCaption) {
  Maquina s;
  auto& m = s.main();
  m.ComboTipoCon.Select(u"3 - Estação Web");
  m.Label24.Click();
  EXPECT_EQ(s.plat.enderecosAbertos.back(), enderecos::Manual(159));
  m.LabelSiteTitulo.SetCaption(u"  https://revenda.example/  ");
  m.LabelSiteTitulo.Click();
  EXPECT_EQ(s.plat.enderecosAbertos.back(), u"https://revenda.example/");
  const std::pair<tk::TLinkLabel*, Texto> links[] = {
      {&m.Label5, enderecos::kContratoDeUso},       {&m.Label11, enderecos::kSuporteComoFunciona},
      {&m.Label13, enderecos::kListaRevendas},      {&m.Label15, enderecos::kCertificadoDigital},
      {&m.Label29, enderecos::Manual(154)},         {&m.Label31, enderecos::kCertificadoDigital},
      {&m.LabelLinkSupTec, enderecos::kListaRevendas},
  };
  for (const auto& [label, endereco] : links) {
    label->Click();
    EXPECT_EQ(s.plat.enderecosAbertos.back(), endereco) << Utf8(label->Name());
  }
}

TEST(Fluxo, ReadOnlyTextsPassTheFocusOn) {
  Maquina s;
  auto& m = s.main();
  for (tk::TMemo* memo : {&m.JvMemoBemVindo, &m.JvMemoTermos, &m.JvMemoSuporte, &m.JvMemoObtendoSuporte,
                          &m.JvMemoFim, &m.JvMemoErros}) {
    s.plat.teclasInjetadas.clear();
    memo->SetFocus();
    EXPECT_EQ(s.plat.teclasInjetadas, std::vector<uint8_t>{9}) << Utf8(memo->Name());
    EXPECT_TRUE(memo->ReadOnly());
  }
  EXPECT_EQ(m.ActiveControl, &m.JvMemoBemVindo);
}

TEST(Fluxo, PageTexts) {
  Maquina s;
  auto& m = s.main();
  const auto bemVindo = m.JvMemoBemVindo.Lines();
  ASSERT_EQ(bemVindo.size(), 17u);
  EXPECT_EQ(bemVindo[0], u"");
  EXPECT_EQ(bemVindo[1], Texto(12, u' ') + u"Bem-vindo à instalação do sistema TEVO, o gerenciador ");
  EXPECT_EQ(bemVindo[11], u"que serão apresentados na opção \"Links Úteis\" das telas.");
  EXPECT_EQ(bemVindo[16], u"seu,  com cupom desconto TEVO.");
  EXPECT_EQ(m.JvMemoTermos.Lines().back(), u"site do desenvolvedor - " + enderecos::kSite + u".");
  EXPECT_EQ(m.BoxTermos.Caption(), u" Li, entendi e concordo com o contrato de uso do sistema TEVO");
  EXPECT_EQ(m.JvMemoObtendoSuporte.Lines().size(), 3u);
  EXPECT_EQ(m.JvMemoFim.Lines()[4], u"login provisório. Utilize:");
  const Texto senha = m.LabelSenhaValor.Caption();
  ASSERT_EQ(senha.size(), 6u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(senha[i] >= u'a' && senha[i] <= u'z');
  for (int i = 3; i < 6; ++i) EXPECT_TRUE(senha[i] >= u'0' && senha[i] <= u'9');
  EXPECT_EQ(m.JvStaticTextDadosRevenda.Caption().rfind(Texto(10, u' ') + u"Explore o sistema ao máximo.  Não deixe", 0), 0u);
}
