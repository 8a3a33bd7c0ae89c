#include <gtest/gtest.h>

#include <fstream>

#include "Maquina.h"
#include "ZipMontadorTest.h"
#include "app/Enderecos.h"

using namespace tevo;
using tevo::teste::ItemZip;
using tevo::teste::Maquina;
using tevo::teste::MontaZip;

namespace {

void Grava(Maquina& s, const Texto& caminho, const std::string& bytes) {
  s.plat.CriaPastas(caminho.substr(0, caminho.rfind(u'\\')));
  std::ofstream(s.plat.Local(caminho), std::ios::binary) << bytes;
}

// A package folder C:\Pacote\ with rev.tdi holding rev.ini (in the ANSI code page).
void PacoteRevenda(Maquina& s, const std::string& ini) {
  Grava(s, u"C:\\Pacote\\rev.tdi", MontaZip({ItemZip("rev.ini", ini).ComAes(3, 2)}));
}

const std::string kIniLoja =
    "[Dados]\r\nCodigo=12\r\nNome=Loja\r\nSite=https://loja.example/\r\nCidadeUF=Bauru/SP\r\n"
    "Email=loja@example.com\r\nWhatsApp=14 99999-0000\r\n";

}  // namespace

TEST(Revenda, WithoutPackageTheVendorTextsStay) {
  Maquina s;
  auto& m = s.main();
  EXPECT_EQ(m.VCodRev, u"N");
  EXPECT_EQ(m.LabelSiteTitulo.Caption(), enderecos::kSite);
  EXPECT_EQ(m.Label13.Caption(), enderecos::kListaRevendas);
  EXPECT_EQ(m.JvMemoObtendoSuporte.Lines().size(), 3u);
  EXPECT_TRUE(s.dialogos.empty());
}

TEST(Revenda, ResellerWithSite) {
  Maquina s(false);
  PacoteRevenda(s, kIniLoja);
  s.Cria();
  auto& m = s.main();
  EXPECT_EQ(m.VCodRev, u"12");
  EXPECT_EQ(m.JvMemoObtendoSuporte.Lines(),
            std::vector<Texto>{u"Para obtenção de  suporte técnico, você deve entrar em contato com a revenda 12-Loja, "
                               u"cujos dados de contato serão informados no final desta instalação."});
  EXPECT_EQ(m.Label12.Caption(), u"Página da revenda 12 para obtenção de suporte");
  EXPECT_EQ(m.Label13.Caption(), u"https://loja.example/");
  EXPECT_EQ(m.LabelSiteTitulo.Caption(), u"https://loja.example/");
  EXPECT_EQ(m.LabelLinkSupTec.Caption(), u"https://loja.example/");
  EXPECT_EQ(m.JvStaticTextDadosRevenda.Caption(),
            u"\tEste sistema é distribuído pela revenda 12-Loja, de Bauru/SP.\r\n"
            u"\tOpções de contato: e-mail: loja@example.com; WhatsApp: 14 99999-0000.");
  m.LabelLinkSupTec.Click();
  EXPECT_EQ(s.plat.enderecosAbertos.back(), u"https://loja.example/");
  EXPECT_TRUE(s.plat.ArquivoExiste(u"C:\\Pacote\\rev.ini"));  // extracted beside the setup
  EXPECT_TRUE(s.dialogos.empty());
}

TEST(Revenda, ResellerWithoutSiteHidesTheEntryAndKeepsVendorLinks) {
  Maquina s(false);
  PacoteRevenda(s, "[dados]\r\ncodigo=7\r\nNome=Inform\xe1tica S\xe3o Jo\xe3o\r\n");  // Windows-1252
  s.Cria();
  auto& m = s.main();
  EXPECT_EQ(m.VCodRev, u"7");
  EXPECT_FALSE(m.Label12.Visible());
  EXPECT_FALSE(m.Label13.Visible());
  EXPECT_EQ(m.LabelSiteTitulo.Caption(), enderecos::kSite);
  EXPECT_EQ(m.LabelLinkSupTec.Caption(), enderecos::kListaRevendas);
  EXPECT_NE(m.JvMemoObtendoSuporte.Text().find(u"7-Informática São João"), Texto::npos);  // read as ANSI
}

TEST(Revenda, IniWithoutCodeChangesNothing) {
  Maquina s(false);
  PacoteRevenda(s, "[Dados]\r\nNome=Loja\r\nSite=https://loja.example/\r\n");
  s.Cria();
  EXPECT_EQ(s.main().VCodRev, u"N");
  EXPECT_EQ(s.main().LabelSiteTitulo.Caption(), enderecos::kSite);
  EXPECT_TRUE(s.main().Label13.Visible());
}

TEST(Revenda, DamagedArchiveIsShownWhileTheWindowIsMade) {
  Maquina s(false);
  Grava(s, u"C:\\Pacote\\rev.tdi", "isto não é um zip");
  s.Cria();
  ASSERT_EQ(s.dialogos.size(), 1u);
  EXPECT_EQ(s.dialogos[0].cabecalho, u"OCORREU UM ERRO");
  EXPECT_EQ(s.dialogos[0].mensagem.rfind(u"Erro na função \"CkZip_OpenZip(\"", 0), 0u);
  EXPECT_EQ(s.main().VCodRev, u"N");
  // the window still came up whole
  EXPECT_EQ(s.main().ComboTipoCon.Text(), u"1 - Servidor");
}

TEST(Revenda, WrongPasswordArchive) {
  Maquina s(false);
  ItemZip item("rev.ini", kIniLoja);
  item.ComAes(3, 2);
  std::string zip = MontaZip({item});
  // same archive, other password: rebuild with a different key by corrupting the verifier bytes
  const size_t pos = zip.find("rev.ini", 30) + 7 + 11;  // local header name, AES extra (11 bytes), salt
  zip[pos + 16] ^= 0x5A;  // first byte of the password verification value, after the 16-byte salt
  Grava(s, u"C:\\Pacote\\rev.tdi", zip);
  s.Cria();
  ASSERT_EQ(s.dialogos.size(), 1u);
  EXPECT_EQ(s.dialogos[0].mensagem.rfind(u"Senha do arquivo inválida.", 0), 0u);
  EXPECT_FALSE(s.plat.ArquivoExiste(u"C:\\Pacote\\rev.ini"));
}

TEST(Arquivos, TasksExtractLogAndReport) {
  Maquina s;
  auto& m = s.main();
  m.VDirInstal = u"C:\\SistemaTEVO\\";
  Grava(s, u"C:\\Pacote\\Outros.tdi", MontaZip({ItemZip("Dados/TEVO.FDB", "banco")}));
  Grava(s, u"C:\\Pacote\\RaizTEVO.tdi", MontaZip({ItemZip("TEVO.exe", "programa").ComAes(3, 2)}));
  Grava(s, u"C:\\Pacote\\SchNFe.tdi", MontaZip({ItemZip("nfe.xsd", "<xs/>")}));
  Grava(s, u"C:\\Pacote\\SchMDFe.tdi", MontaZip({}));
  s.plat.CriaPastas(u"C:\\SistemaTEVO");
  EXPECT_TRUE(m.ExtraiArquivosOutros());
  EXPECT_TRUE(m.ExtraiArquivosSistema());
  m.CriaSchemasNFe();
  m.CriaSchemasCTe();  // missing archive: error dialog, no log line, the run goes on
  m.CriaSchemasMDFe();
  EXPECT_TRUE(s.plat.ArquivoExiste(u"C:\\Pacote\\Dados\\TEVO.FDB"));
  EXPECT_TRUE(s.plat.ArquivoExiste(u"C:\\SistemaTEVO\\TEVO.exe"));
  EXPECT_TRUE(s.plat.ArquivoExiste(u"C:\\SistemaTEVO\\Schemas\\NFe\\nfe.xsd"));
  EXPECT_TRUE(s.plat.PastaExiste(u"C:\\SistemaTEVO\\Schemas\\CTe"));  // made before the archive failed
  EXPECT_EQ(m.ListBoxTarefasExecutadas.Items(),
            (std::vector<Texto>{u"", u"Extração arquivos outros...", u"", u"Arquivos do sistema...sucesso", u"",
                                u"Criação dos Schemas de NFe...sucesso", u"", u"Criação dos Schemas de MDFe...sucesso"}));
  ASSERT_EQ(s.dialogos.size(), 1u);
  EXPECT_EQ(s.dialogos[0].mensagem.rfind(u"Erro na função \"CkZip_OpenZip(\"", 0), 0u);
  EXPECT_NE(s.dialogos[0].mensagem.find(u"SchCTe.tdi"), Texto::npos);  // the detail names the archive
}

TEST(Arquivos, MissingSystemArchiveAnswersFalse) {
  Maquina s;
  s.main().VDirInstal = u"C:\\SistemaTEVO\\";
  EXPECT_FALSE(s.main().ExtraiArquivosSistema());
  EXPECT_FALSE(s.main().ExtraiArquivosOutros());
  EXPECT_EQ(s.dialogos.size(), 2u);
  EXPECT_TRUE(s.main().ListBoxTarefasExecutadas.Items().empty());
}
