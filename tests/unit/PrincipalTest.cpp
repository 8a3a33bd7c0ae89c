#include <gtest/gtest.h>

#include "Maquina.h"

using namespace tevo;
using tevo::teste::Maquina;

TEST(Principal, StateRightAfterStartUp) {
  Maquina s;
  auto& m = s.main();
  EXPECT_EQ(m.ComboTipoCon.Text(), u"1 - Servidor");
  EXPECT_EQ(m.VTipoInstal, TFormaConexao::fcServidor);
  EXPECT_EQ(m.VCodCon, 1);
  EXPECT_TRUE(m.BoxInstalBackAuto.Checked());
  EXPECT_TRUE(m.VInstalBckAuto);
  EXPECT_FALSE(m.BoxLib3050.Checked());
  EXPECT_FALSE(m.VLib3050);
  EXPECT_FALSE(m.VFB4Instalada);
  EXPECT_FALSE(m.VFB5Instalada);
  EXPECT_EQ(m.JvDirInstal.Text(), u"C:\\SistemaTEVO\\");
  EXPECT_TRUE(m.VDirInstal.empty());
  EXPECT_EQ(m.VCodRev, u"N");
  EXPECT_EQ(m.VDirApp, u"C:\\Pacote\\");
  EXPECT_TRUE(m.VAPIChilKat);
  EXPECT_EQ(m.Caption(), u"Sistema TEVO - Instalação");
  EXPECT_EQ(m.JvWizard1.ActivePage(), &m.PgBemVindo);
  EXPECT_EQ(m.JvWizard1.RouteMap.Caption(), u"Início");
  EXPECT_FALSE(m.ListBoxTarefasExecutadas.Visible());
  EXPECT_FALSE(m.LabelTarefasExecutadas.Visible());
  EXPECT_EQ(m.ClientWidth(), 605);
  EXPECT_EQ(m.ClientHeight(), 476);
  // no message was needed to start
  EXPECT_TRUE(s.ui.modalHistory.empty());
}

TEST(Principal, WizardPagesAndButtons) {
  Maquina s;
  auto& w = s.main().JvWizard1;
  std::vector<Texto> titulos;
  for (auto* p : w.Pages()) titulos.push_back(p->Title());
  EXPECT_EQ(titulos, (std::vector<Texto>{u"Início", u"Termos de Uso", u"Suporte Técnico", u"Configurações",
                                         u"Instalação", u"Fim"}));
  EXPECT_EQ(w.BackButton.Caption(), u"Voltar");
  EXPECT_EQ(w.NextButton.Caption(), u"Prosseguir");
  EXPECT_EQ(w.FinishButton.Caption(), u"Finalizar");
  EXPECT_EQ(w.CancelButton.Caption(), u"Cancelar");
  EXPECT_TRUE(w.BackButton.Visible() && w.NextButton.Visible() && w.CancelButton.Visible());
  EXPECT_FALSE(w.FinishButton.Visible());
}

TEST(Principal, ProgramFolderGetsItsBackslash) {
  struct { const char16_t* programa; const char16_t* pasta; } casos[] = {
      {u"D:\\Pacote\\InstalacaoTEVO.exe", u"D:\\Pacote\\"},
      {u"  E:\\Dist Rev\\InstalacaoTEVO.exe", u"E:\\Dist Rev\\"},
      {u"F:\\InstalacaoTEVO.exe", u"F:\\"},
  };
  for (auto& c : casos) {
    Maquina s(false);
    s.plat.caminhoPrograma = c.programa;
    s.Cria();
    EXPECT_EQ(s.main().VDirApp, c.pasta) << Utf8(c.programa);
  }
}

TEST(Principal, VersionLabelAndRouteMapColourOnShow) {
  Maquina s;
  s.plat.versoes[s.plat.caminhoPrograma] = {12, 1, 1, 0};
  EXPECT_EQ(s.main().VersaoDoExecutavel(), u"12.1.1.0");
  EXPECT_EQ(s.main().LabelVersao.Caption(), u"Versão 12.1 - Firebird 5.0");
  EXPECT_EQ(s.main().JvWizard1.RouteMap.Color(), tk::Rgb(0x80, 0x80, 0x40));
}

TEST(Principal, VersionOfAProgramWithoutVersionResource) {
  Maquina s(false);
  s.plat.versoes.clear();
  s.Cria();
  EXPECT_EQ(s.main().VersaoDoExecutavel(), u"");
  EXPECT_EQ(s.main().LabelVersao.Caption(), u"Versão  - Firebird 5.0");
}

TEST(Principal, ShellFoldersReadAtStartUp) {
  Maquina s(false);
  const Texto chave = u"HKCU\\Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
  s.plat.registro[chave + u"Desktop"] = u"C:\\Users\\ana\\Desktop";
  s.Cria();
  EXPECT_EQ(s.main().VPathDeskTop, u"C:\\Users\\ana\\Desktop");
  EXPECT_EQ(s.main().VPathMenuIniciar, u"");  // missing value leaves the field empty
}

TEST(Principal, InstallationPageAreasShareOnePlace) {
  Maquina s;
  auto& m = s.main();
  for (tk::TControl* area : std::initializer_list<tk::TControl*>{&m.GroupErros, &m.GroupTarefas,
                                                                 &m.ListBoxTarefasExecutadas}) {
    EXPECT_EQ(area->Left(), 24);
    EXPECT_EQ(area->Top(), 60);
    EXPECT_EQ(area->Width(), 393);
    EXPECT_EQ(area->Height(), 280);
  }
  EXPECT_EQ(m.LabelErros.Top(), 54);
  EXPECT_FALSE(m.GroupTarefas.Enabled());
  for (auto* b : {&m.BoxTarefaLib3050, &m.BoxTarefaBackup, &m.BoxTarefaInstalTEVO, &m.BoxTarefaFirebird})
    EXPECT_TRUE(b->Checked());
}

TEST(Principal, TaskLogLines) {
  Maquina s;
  const int antes = s.ui.processMessagesCalls;
  s.main().RegistraTarefa(u"Arquivos do sistema...sucesso");
  EXPECT_EQ(s.main().ListBoxTarefasExecutadas.Items(), (std::vector<Texto>{u"", u"Arquivos do sistema...sucesso"}));
  EXPECT_EQ(s.ui.processMessagesCalls, antes + 1);
}
