#include <gtest/gtest.h>

#include "Maquina.h"
#include "ui/Progressos.h"

using namespace tevo;

TEST(Progressos, WaitTextByLength) {
  tk::HeadlessBackend ui;
  TFProgressos p(ui);
  struct { Texto msg; Texto esperado; } casos[] = {
      {Texto(99, u'a'), Texto(99, u'a') + u"\r\n\r\n\t\tPor favor aguarde..."},
      {Texto(100, u'a'), u"\r\n\t" + Texto(100, u'a') + u"\r\n\r\n\t\tPor favor aguarde..."},
      {u"", u"\r\n\r\n\t\tPor favor aguarde..."},
      {u"Verificando Firebird...", u"Verificando Firebird...\r\n\r\n\t\tPor favor aguarde..."},
  };
  for (auto& c : casos) {
    const int antes = ui.processMessagesCalls;
    MostraAguarde(p, c.msg);
    EXPECT_EQ(p.LabelMensagem.Caption(), c.esperado);
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(ui.processMessagesCalls, antes + 1);
    p.Hide();
  }
}

TEST(Progressos, HideEmptiesAndPlainShowGivesDefaultText) {
  tk::HeadlessBackend ui;
  TFProgressos p(ui);
  EXPECT_EQ(p.ClientWidth(), 344);
  EXPECT_EQ(p.ClientHeight(), 114);
  EXPECT_FALSE(p.BarraProgresso.Visible());
  MostraAguarde(p, u"um");
  p.BarraProgresso.Show();
  MostraAguarde(p, u"dois");  // shown twice in a row: the latest text stays
  EXPECT_EQ(p.LabelMensagem.Caption(), u"dois\r\n\r\n\t\tPor favor aguarde...");
  p.Hide();
  EXPECT_EQ(p.LabelMensagem.Caption(), u"");
  EXPECT_FALSE(p.BarraProgresso.Visible());
  p.Show();
  EXPECT_TRUE(p.StayOnTop);
  EXPECT_EQ(p.LabelMensagem.Caption(),
            u"\r\n\tProcessamento da solicitação em andamento. \r\n\r\n\tPor favor aguarde...");
}
