#include <gtest/gtest.h>

#include "Maquina.h"
#include "app/Enderecos.h"

using namespace tevo;
using tevo::teste::Maquina;

namespace {

const Texto kMsgHost =
    u"Informe o host (endereço de DNS ou IP do servidor) da máquina onde o servidor TEVO está instalado.";
const Texto kMsgId = u"No tipo de instalação escolhida, é obrigatório informar o ID do banco (um CPF ou CNPJ válido).";
const Texto kMsgPasta = u"Diretório de instalação inválido ou inexistente.";
const Texto kMsg64 =
    u"Este Windows não é plataforma 64 bits. O Firebird a ser instalado é 64 bits e, portanto, o Windows precisa "
    u"suportar essa plataforma.\r\n\tContate seu suporte técnico para mais análise/orientações.";
const Texto kMsgBackup = u"No servidor é obrigatório a instalação do gerenciador de backup.";

// Walks to the configuration page, ticking both consents.
void VaiParaConfiguracao(Maquina& s) {
  auto& m = s.main();
  m.JvWizard1.NextButton.Click();
  m.BoxTermos.Click();
  m.JvWizard1.NextButton.Click();
  m.BoxSuporte.Click();
  m.JvWizard1.NextButton.Click();
  ASSERT_EQ(m.JvWizard1.ActivePage(), &m.PgConfigInstal);
}

// Presses Next on the configuration page; the message shown, if any.
Texto Prossegue(Maquina& s) {
  const size_t antes = s.dialogos.size();
  s.main().JvWizard1.NextButton.Click();
  return s.dialogos.size() > antes ? s.dialogos.back().mensagem : Texto();
}

}  // namespace

TEST(Configuracao, DefaultFolderAcceptedWhetherOrNotItExists) {
  for (bool existe : {false, true}) {
    Maquina s;
    if (existe) s.plat.CriaPastas(u"C:\\SistemaTEVO");
    VaiParaConfiguracao(s);
    EXPECT_EQ(Prossegue(s), u"");
    EXPECT_EQ(s.main().VDirInstal, u"C:\\SistemaTEVO\\");
    EXPECT_EQ(s.main().JvWizard1.ActivePage(), &s.main().PgInstalacao);
    EXPECT_EQ(s.main().JvWizard1.NextButton.Caption(), u"Instalar");
  }
}

TEST(Configuracao, FolderPickedIsCheckedAndGetsItsBackslash) {
  Maquina s;
  VaiParaConfiguracao(s);
  auto& m = s.main();
  s.plat.pastaEscolhida = u"  D:\\Dados  ";
  m.JvDirInstalBotao.Click();
  EXPECT_EQ(s.plat.titulosSeletorPasta.back(), u"Selecione o local onde deseja instalar o TEVO");
  EXPECT_EQ(m.JvDirInstal.Text(), u"D:\\Dados\\");
  EXPECT_EQ(Prossegue(s), kMsgPasta);  // does not exist
  EXPECT_TRUE(m.VDirInstal.empty());
  s.plat.CriaPastas(u"D:\\Dados");
  EXPECT_EQ(Prossegue(s), u"");
  EXPECT_EQ(m.VDirInstal, u"D:\\Dados\\");
  // a cancelled picker keeps the folder
  m.JvWizard1.BackButton.Click();
  s.plat.pastaEscolhida.reset();
  m.JvDirInstalBotao.Click();
  EXPECT_EQ(m.JvDirInstal.Text(), u"D:\\Dados\\");
  // the folder input takes no typing
  m.JvDirInstal.Type(u"x");
  EXPECT_EQ(m.JvDirInstal.Text(), u"D:\\Dados\\");
}

TEST(Configuracao, HostAndIdRulesPerType) {
  struct Caso {
    const char16_t* tipo;
    const char16_t* host;
    const char16_t* id;
    Texto mensagem;
  } casos[] = {
      {u"2 - Estação Local", u"", u"", kMsgHost},
      {u"3 - Estação Web", u"", u"", kMsgHost},
      {u"5 - Multi BD - Estação Web", u"", u"", kMsgHost},
      {u"6 - Multi BD - Estação Com Server Linux", u"", u"", kMsgHost},
      {u"7 - Multi BD - Estação Local", u"", u"", kMsgHost},
      {u"-------------", u"", u"", kMsgHost},
      {u"2 - Estação Local", u"srv", u"", u""},
      {u"4 - Multi BD - Servidor", u"", u"", kMsgId},
      {u"4 - Multi BD - Servidor", u"", u"52998224725", u""},     // valid CPF
      {u"4 - Multi BD - Servidor", u"", u"52998224724", kMsgId},  // wrong check digit
      {u"4 - Multi BD - Servidor", u"", u"11222333000181", u""},  // valid CNPJ
      {u"4 - Multi BD - Servidor", u"", u"11222333000182", kMsgId},
      {u"5 - Multi BD - Estação Web", u"srv", u"", kMsgId},
      {u"5 - Multi BD - Estação Web", u"srv", u"11222333000181", u""},
      {u"6 - Multi BD - Estação Com Server Linux", u"srv", u"", u""},
      {u"7 - Multi BD - Estação Local", u"srv", u"", u""},
  };
  for (const auto& c : casos) {
    Maquina s;
    VaiParaConfiguracao(s);
    auto& m = s.main();
    ASSERT_TRUE(m.ComboTipoCon.Select(Texto(c.tipo)));
    m.EditHost.SetText(c.host);
    m.EditUserMulti.SetText(c.id);
    EXPECT_EQ(Prossegue(s), c.mensagem) << Utf8(c.tipo) << " host=" << Utf8(c.host) << " id=" << Utf8(c.id);
    EXPECT_EQ(m.VDirInstal.empty(), !c.mensagem.empty());
  }
}

TEST(Configuracao, ThirtyTwoBitWindowsRefusesServerTypesAfterTheOtherRules) {
  struct Caso { const char16_t* tipo; const char16_t* id; Texto mensagem; } casos[] = {
      {u"1 - Servidor", u"", kMsg64},
      {u"4 - Multi BD - Servidor", u"", kMsgId},  // the ID rule comes first
      {u"4 - Multi BD - Servidor", u"11222333000181", kMsg64},
      {u"2 - Estação Local", u"", u""},
      {u"7 - Multi BD - Estação Local", u"", u""},
  };
  for (const auto& c : casos) {
    Maquina s;
    s.plat.arquitetura = 0;  // x86
    VaiParaConfiguracao(s);
    s.main().ComboTipoCon.Select(Texto(c.tipo));
    s.main().EditHost.SetText(u"srv");
    s.main().EditUserMulti.SetText(c.id);
    EXPECT_EQ(Prossegue(s), c.mensagem) << Utf8(c.tipo);
  }
  for (uint16_t arq : {uint16_t(9), uint16_t(6)}) {  // x64 and Itanium
    Maquina s;
    s.plat.arquitetura = arq;
    EXPECT_TRUE(s.main().WindowsEh64Bits());
  }
  Maquina arm;
  arm.plat.arquitetura = 12;
  EXPECT_FALSE(arm.main().WindowsEh64Bits());
}

TEST(Configuracao, WhatEachTypeShows) {
  struct Caso {
    const char16_t* tipo;
    bool host, id;
    int idLeft;
    int topico;  // 0: no links
    bool aviso, caixas;
    const char16_t* tarefa;
  } casos[] = {
      {u"2 - Estação Local", true, false, 249, 10, false, false, u"Instalação do TEVO - Estação local"},
      {u"3 - Estação Web", true, false, 249, 159, false, false, u"Instalação do TEVO - Estação Web"},
      {u"4 - Multi BD - Servidor", false, true, 22, 0, true, true, u"Instalação do TEVO - Servidor Multi Banco"},
      {u"5 - Multi BD - Estação Web", true, true, 249, 159, true, false, u"Instalação do TEVO - Estação Web Multi Banco"},
      {u"6 - Multi BD - Estação Com Server Linux", true, true, 249, 159, true, false,
       u"Instalação do TEVO - Estação Com Server Linux "},
      {u"7 - Multi BD - Estação Local", true, true, 249, 182, false, false,
       u"Instalação do TEVO - Estação Local Multi Banco"},
      {u"1 - Servidor", false, false, 22, 154, false, true, u"Instalação do TEVO - Servidor"},
  };
  Maquina s;
  auto& m = s.main();
  for (const auto& c : casos) {
    ASSERT_TRUE(m.ComboTipoCon.Select(Texto(c.tipo)));
    SCOPED_TRACE(Utf8(c.tipo));
    EXPECT_EQ(m.VCodCon, c.tipo[0] - u'0');
    EXPECT_EQ(m.EditHost.Visible(), c.host);
    EXPECT_EQ(m.LabelHost.Visible(), c.host);
    EXPECT_EQ(m.EditUserMulti.Visible(), c.id);
    if (c.id) {
      EXPECT_EQ(m.LabelUserMulti.Left(), c.idLeft);
      EXPECT_EQ(m.EditUserMulti.Left(), c.idLeft);
    }
    EXPECT_EQ(m.Label24.Visible(), c.topico != 0);
    if (c.topico) {
      EXPECT_EQ(m.Label24.Caption(), enderecos::Manual(c.topico));
    }
    EXPECT_EQ(m.LabelAvisoSohUseSeforTI.Visible(), c.aviso);
    EXPECT_EQ(m.BoxInstalBackAuto.Visible(), c.caixas);
    EXPECT_EQ(m.BoxLib3050.Visible(), c.caixas);
    EXPECT_EQ(m.BoxTarefaInstalTEVO.Caption(), c.tarefa);
  }
  EXPECT_TRUE(s.dialogos.empty());  // type 1 came from 7, whose change had unticked the backup box
}

TEST(Configuracao, SeparatorKeepsTypeAndTaskCaption) {
  Maquina s;
  auto& m = s.main();
  m.ComboTipoCon.Select(u"3 - Estação Web");
  m.ComboTipoCon.Select(u"-------------");
  EXPECT_EQ(m.VCodCon, 0);
  EXPECT_EQ(m.VTipoInstal, TFormaConexao::fcEstWeb);
  EXPECT_EQ(m.BoxTarefaInstalTEVO.Caption(), u"Instalação do TEVO - Estação Web");
  for (tk::TControl* c : std::initializer_list<tk::TControl*>{&m.EditHost, &m.EditUserMulti, &m.Label24,
                                                              &m.LabelAvisoSohUseSeforTI, &m.BoxInstalBackAuto,
                                                              &m.BoxLib3050})
    EXPECT_FALSE(c->Visible()) << Utf8(c->Name());
  EXPECT_FALSE(m.BoxInstalBackAuto.Checked());
  EXPECT_FALSE(m.VInstalBckAuto);
}

TEST(Configuracao, BackupBoxRules) {
  Maquina s;
  auto& m = s.main();
  // type 1: the box cannot be unticked
  m.BoxInstalBackAuto.Click();
  EXPECT_EQ(s.Mensagens(), std::vector<Texto>{kMsgBackup});
  EXPECT_TRUE(m.BoxInstalBackAuto.Checked());
  EXPECT_TRUE(m.VInstalBckAuto);
  // type 4: free, and the change of type unticked it
  m.ComboTipoCon.Select(u"4 - Multi BD - Servidor");
  EXPECT_FALSE(m.BoxInstalBackAuto.Checked());
  EXPECT_FALSE(m.VInstalBckAuto);
  m.BoxInstalBackAuto.Click();
  EXPECT_TRUE(m.VInstalBckAuto);
  m.BoxInstalBackAuto.Click();
  EXPECT_FALSE(m.VInstalBckAuto);
  m.BoxInstalBackAuto.Click();
  ASSERT_EQ(s.dialogos.size(), 1u);
  // ticked on type 4, then type 1: the program's own unticking runs the rule once
  m.ComboTipoCon.Select(u"1 - Servidor");
  EXPECT_EQ(s.Mensagens(), (std::vector<Texto>{kMsgBackup, kMsgBackup}));
  EXPECT_TRUE(m.BoxInstalBackAuto.Checked());
  EXPECT_TRUE(m.VInstalBckAuto);
}

TEST(Configuracao, FixedBoxAndPortBox) {
  Maquina s;
  auto& m = s.main();
  m.BoxInstalaTEVOFixo.Click();
  EXPECT_EQ(s.Mensagens(), std::vector<Texto>{u"Precisa estar habilitado sempre."});
  EXPECT_EQ(s.dialogos.back().cabecalho, u"OCORREU UM ERRO");
  EXPECT_TRUE(m.BoxInstalaTEVOFixo.Checked());
  m.BoxLib3050.Click();
  EXPECT_TRUE(m.VLib3050);
  m.ComboTipoCon.Select(u"2 - Estação Local");
  EXPECT_TRUE(m.VLib3050);  // kept, though hidden
  EXPECT_TRUE(m.BoxLib3050.Checked());
  m.ComboTipoCon.Select(u"4 - Multi BD - Servidor");
  EXPECT_TRUE(m.VLib3050);
}

TEST(Configuracao, IdInputTakesDigitsOnly) {
  Maquina s;
  s.main().EditUserMulti.Type(u"12.a3-4/5");
  EXPECT_EQ(s.main().EditUserMulti.Text(), u"12345");
}
