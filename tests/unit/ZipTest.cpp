// The archive reader on hand-made archives: names (safe or hostile, UTF-8 or code page 437),
// Zip64, sizes and CRCs that lie, damaged and empty archives, and the shared error texts.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>

#include "ZipMontadorTest.h"
#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "payload/Zip.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;
using namespace tevo::teste;
namespace fs = std::filesystem;

namespace {

const Texto kArquivo = u"C:\\Pacote\\Teste.tdi";
const Texto kDestino = u"C:\\Sistema TEVO\\";
const Texto kErroOpen = u"Erro na função \"CkZip_OpenZip(\"";
const Texto kErroUnzip = u"Erro na função \"CkZip_Unzip(\".";

class Zip : public ::testing::Test {
 protected:
  void SetUp() override { LimpaMsgErro(); }

  void Grava(const std::string& bytes, const Texto& caminho = kArquivo) {
    fs::create_directories(plat.Local(caminho).parent_path());
    std::ofstream(plat.Local(caminho), std::ios::binary) << bytes;
  }
  bool Extrai(const std::string& bytes, const Texto& senha = u"581947") {
    Grava(bytes);
    return chilkat.DescompactaZip(kArquivo, kDestino, senha);
  }
  std::string Le(const Texto& caminho) {
    std::ifstream f(plat.Local(caminho), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  // Every file and folder of the sandbox except the archive itself.
  std::set<std::string> Escritos() {
    std::set<std::string> r;
    for (auto& e : fs::recursive_directory_iterator(plat.Raiz()))
      if (e.path() != plat.Local(kArquivo) && e.path() != plat.Local(u"C:\\Pacote") && e.path() != plat.Local(u"C:"))
        r.insert(fs::relative(e.path(), plat.Raiz()).generic_string());
    return r;
  }

  PlataformaFalsa plat;
  TChilKat chilkat{plat};
};

TEST(ZipNomes, EntryPathsStayInsideTheTarget) {
  struct Caso {
    const char16_t* nome;
    const char16_t* relativo;  // nullptr: refused
  } casos[] = {
      {u"a.txt", u"a.txt"},
      {u"pasta/sub/b.txt", u"pasta\\sub\\b.txt"},
      {u"pasta\\sub\\b.txt", u"pasta\\sub\\b.txt"},
      {u"pasta/", u"pasta"},
      {u"a//b.txt", u"a\\b.txt"},
      {u"Ação/é.txt", u"Ação\\é.txt"},
      {u"console.txt", u"console.txt"},
      {u"com10.txt", u"com10.txt"},
      {u"nulo/aux1", u"nulo\\aux1"},
      {u"..a/b..", u"..a\\b.."},
      {u"../fora.txt", nullptr},
      {u"a/../../fora.txt", nullptr},
      {u"..\\fora.txt", nullptr},
      {u"a/..", nullptr},
      {u"/etc/passwd", nullptr},
      {u"\\Windows\\x.dll", nullptr},
      {u"C:/x.txt", nullptr},
      {u"C:x.txt", nullptr},
      {u"arq.txt:fluxo", nullptr},
      {u"a/b:$DATA/c", nullptr},
      {u"CON", nullptr},
      {u"nul.txt", nullptr},
      {u"pasta/Aux.tar.gz", nullptr},
      {u"PRN /x", nullptr},
      {u"com1", nullptr},
      {u"LPT9.log", nullptr},
      {u"COM\u00B9", nullptr},
      {u"conout$", nullptr},
      {u"nul. .txt", nullptr},
      {u"...", nullptr},
      {u"a/ . /b", nullptr},
      {u"./a", nullptr},
      {u"a<b", nullptr},
      {u"a?b", nullptr},
      {u"a\x01" u"b", nullptr},
      {u"", nullptr},
      {u"/", nullptr},
  };
  for (const auto& c : casos) {
    Texto relativo, motivo;
    const bool ok = zip::CaminhoRelativo(c.nome, relativo, motivo);
    if (c.relativo) {
      EXPECT_TRUE(ok) << Utf8(c.nome) << ": " << Utf8(motivo);
      EXPECT_EQ(relativo, c.relativo) << Utf8(c.nome);
    } else {
      EXPECT_FALSE(ok) << Utf8(c.nome) << " accepted as " << Utf8(relativo);
      EXPECT_FALSE(motivo.empty());
    }
  }
}

TEST_F(Zip, ExtractsFilesAndFoldersWithTheirTimes) {
  const ItemZip texto("Dados/Leia-me.txt", std::string(100000, 'x') + "fim");
  const ItemZip bin = ItemZip("Dados/Sub/b.bin", std::string("\x00\x01\x02\xff", 4)).Armazenado();
  const ItemZip descritor = ItemZip("descritor.txt", "sizes after the data").ComFlags(0x0008);
  ASSERT_TRUE(Extrai(MontaZip({ItemZip("Dados/", "").Armazenado(), ItemZip("Vazia/", "").Armazenado(), texto, bin,
                               descritor, ItemZip("vazio.txt", ""), ItemZip("sem fluxo.txt", "").ComBruto("")})))
      << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Le(kDestino + u"Dados\\Leia-me.txt"), texto.dados);
  EXPECT_EQ(Le(kDestino + u"Dados\\Sub\\b.bin"), bin.dados);
  EXPECT_EQ(Le(kDestino + u"descritor.txt"), descritor.dados);
  EXPECT_TRUE(plat.ArquivoExiste(kDestino + u"vazio.txt"));
  EXPECT_TRUE(plat.ArquivoExiste(kDestino + u"sem fluxo.txt"));
  EXPECT_TRUE(plat.PastaExiste(kDestino + u"Vazia"));
  EXPECT_TRUE(VMsgErro.empty());

  const auto t = fs::last_write_time(plat.Local(kDestino + u"Dados\\Leia-me.txt"));
  const std::time_t tt = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(t - fs::file_time_type::clock::now() +
                                                                        std::chrono::system_clock::now()));
  std::tm local{};
  localtime_r(&tt, &local);
  EXPECT_EQ(local.tm_year + 1900, 2019);
  EXPECT_EQ(local.tm_mon + 1, 7);
  EXPECT_EQ(local.tm_mday, 15);
  EXPECT_EQ(local.tm_hour, 10);
  EXPECT_EQ(local.tm_min, 30);
}

TEST_F(Zip, OverwritesExistingFiles) {
  Grava("versão antiga, bem mais comprida que a nova", kDestino + u"a.txt");
  ASSERT_TRUE(Extrai(MontaZip({ItemZip("a.txt", "nova")})));
  EXPECT_EQ(Le(kDestino + u"a.txt"), "nova");
}

TEST_F(Zip, EmptyArchiveSucceedsWithNothingExtracted) {
  EXPECT_TRUE(Extrai(MontaZip({})));
  for (const auto& f : Escritos()) EXPECT_FALSE(fs::is_regular_file(plat.Raiz() / f)) << f;
}

TEST_F(Zip, NamesInUtf8Cp437AndTheUnicodePathField) {
  const std::string cp437 = "Pre\x87o \x82 \xA0 \x94.txt";  // "Preço é á ö" in code page 437
  ASSERT_TRUE(Extrai(MontaZip({
      ItemZip(cp437, "1"),
      ItemZip("Configuração/é.txt", "2").ComFlags(0x0800),
      ItemZip("n\x82o.txt", "3").ComExtra(ExtraNomeUnicode("n\x82o.txt", "Índice.txt")),
      ItemZip("v\x82.txt", "4").ComExtra(ExtraNomeUnicode("v\x82.txt", "outro.txt", false)),
      ItemZip("Documentação.txt", "5").DeUnix(),
  }))) << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Le(kDestino + u"Preço é á ö.txt"), "1");
  EXPECT_EQ(Le(kDestino + u"Configuração\\é.txt"), "2");
  EXPECT_EQ(Le(kDestino + u"Índice.txt"), "3");
  EXPECT_EQ(Le(kDestino + u"vé.txt"), "4");  // the field no longer matches the name: ignored
  EXPECT_EQ(Le(kDestino + u"Documentação.txt"), "5");
}

TEST_F(Zip, Zip64RecordsAndDataBeforeTheArchive) {
  const std::string grande(70000, 'z');
  ASSERT_TRUE(Extrai(MontaZip({ItemZip("grande.bin", grande).EmZip64(), ItemZip("b.txt", "bbb").Armazenado().EmZip64()},
                              {}, true)))
      << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Le(kDestino + u"grande.bin"), grande);
  EXPECT_EQ(Le(kDestino + u"b.txt"), "bbb");

  ASSERT_TRUE(Extrai(MontaZip({ItemZip("sfx.txt", "depois do stub")}, std::string(5000, 'M'))))
      << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Le(kDestino + u"sfx.txt"), "depois do stub");
}

TEST_F(Zip, UnixLinksBecomePlainFiles) {
  ASSERT_TRUE(Extrai(MontaZip({ItemZip("atalho", "/etc/passwd").Armazenado().DeUnix(0120777)})));
  const auto p = plat.Local(kDestino + u"atalho");
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(p)));
  EXPECT_EQ(Le(kDestino + u"atalho"), "/etc/passwd");
}

// Each hostile name is refused before anything is written, wherever it sits in the archive.
TEST_F(Zip, HostileEntriesAreRefusedAndNothingIsWritten) {
  const char* hostis[] = {"../fora.txt", "a/../../fora.txt", "..\\fora.txt", "/tmp/absoluto.txt",
                          "\\absoluto.txt", "C:/Windows/x.dll", "D:x.txt", "ok.txt:fluxo",
                          "CON", "nul.txt", "pasta/com1.log", "LPT1 .txt", "AUX.", "pasta/.. /x"};
  for (const char* nome : hostis) {
    SCOPED_TRACE(nome);
    LimpaMsgErro();
    EXPECT_FALSE(Extrai(
        MontaZip({ItemZip("antes.txt", "benigno"), ItemZip(nome, "hostil"), ItemZip("sub/depois.txt", "benigno")})));
    EXPECT_EQ(VMsgErro, kErroUnzip);
    EXPECT_NE(VMsgErroDetalhe.find(Utf16(nome)), Texto::npos) << Utf8(VMsgErroDetalhe);
    EXPECT_NE(VMsgErroDetalhe.find(kArquivo), Texto::npos);
    EXPECT_EQ(Escritos(), std::set<std::string>{});
  }
}

TEST_F(Zip, CorruptEntriesFailWithTheUnzipText) {
  const std::string longo(200000, 'a');
  struct Caso {
    const char* oque;
    ItemZip item;
    size_t maxEscrito;  // the file never grows beyond the declared size
  } casos[] = {
      {"crc", ItemZip("x.txt", "conteúdo").ComCrc(0x12345678), SIZE_MAX},
      {"deflate maior que o declarado", ItemZip("x.txt", longo).DeclaraTamanho(1000), 1000},
      {"armazenado maior que o declarado", ItemZip("x.txt", longo).Armazenado().DeclaraTamanho(10), 10},
      {"menor que o declarado", ItemZip("x.txt", "curto").DeclaraTamanho(50), SIZE_MAX},
      {"deflate inválido", ItemZip("x.txt", "abc").ComBruto("\xff\xff\xff\xff\xff\xff"), SIZE_MAX},
      {"deflate truncado", ItemZip("x.txt", longo).ComBruto(Deflate(longo).substr(0, 100)), SIZE_MAX},
  };
  for (auto& c : casos) {
    SCOPED_TRACE(c.oque);
    LimpaMsgErro();
    EXPECT_FALSE(Extrai(MontaZip({c.item})));
    EXPECT_EQ(VMsgErro, kErroUnzip);
    EXPECT_NE(VMsgErroDetalhe.find(u"\"x.txt\""), Texto::npos) << Utf8(VMsgErroDetalhe);
    if (c.maxEscrito != SIZE_MAX) {
      EXPECT_LE(Le(kDestino + u"x.txt").size(), c.maxEscrito);
    }
  }
}

TEST_F(Zip, UnsupportedMethodIsRefusedBeforeWriting) {
  EXPECT_FALSE(Extrai(MontaZip({ItemZip("ok.txt", "ok"), ItemZip("lzma.bin", "????").ComMetodo(14)})));
  EXPECT_EQ(VMsgErro, kErroUnzip);
  EXPECT_NE(VMsgErroDetalhe.find(u"LZMA"), Texto::npos) << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Escritos(), std::set<std::string>{});
}

TEST_F(Zip, MissingOrForeignArchiveFailsToOpen) {
  EXPECT_FALSE(chilkat.DescompactaZip(u"C:\\Pacote\\NaoExiste.tdi", kDestino, u"581947"));
  EXPECT_EQ(VMsgErro, kErroOpen);
  EXPECT_NE(VMsgErroDetalhe.find(u"C:\\Pacote\\NaoExiste.tdi"), Texto::npos) << Utf8(VMsgErroDetalhe);

  for (const std::string& lixo : {std::string("isto não é um zip, é só texto"), std::string()}) {
    LimpaMsgErro();
    EXPECT_FALSE(Extrai(lixo));
    EXPECT_EQ(VMsgErro, kErroOpen);
    EXPECT_NE(VMsgErroDetalhe.find(kArquivo), Texto::npos);
  }
  EXPECT_EQ(Escritos(), std::set<std::string>{});
}

TEST_F(Zip, TruncatedArchiveOpensButFailsToExtract) {
  const std::string inteiro =
      MontaZip({ItemZip("a.txt", std::string(5000, 'a')), ItemZip("b.txt", std::string(5000, 'b'))});
  for (size_t corte : {inteiro.size() / 2, inteiro.size() - 10, size_t{40}}) {
    SCOPED_TRACE(corte);
    LimpaMsgErro();
    EXPECT_FALSE(Extrai(inteiro.substr(0, corte)));
    EXPECT_EQ(VMsgErro, kErroUnzip);
    EXPECT_NE(VMsgErroDetalhe.find(u"truncado"), Texto::npos) << Utf8(VMsgErroDetalhe);
    EXPECT_EQ(Escritos(), std::set<std::string>{});
  }
}

// AE-1 keeps the CRC and it is checked besides the authentication code; AE-2 has none.
TEST_F(Zip, AesEntriesOfEveryStrengthAndVersion) {
  const std::string texto = std::string(50000, 'q') + "fim";
  ASSERT_TRUE(Extrai(MontaZip({ItemZip("ae1-128.txt", texto).ComAes(1, 1), ItemZip("ae1-192.bin", "abc").Armazenado().ComAes(2, 1),
                               ItemZip("ae2-256.txt", texto).ComAes(3, 2)})))
      << Utf8(VMsgErroDetalhe);
  EXPECT_EQ(Le(kDestino + u"ae1-128.txt"), texto);
  EXPECT_EQ(Le(kDestino + u"ae1-192.bin"), "abc");
  EXPECT_EQ(Le(kDestino + u"ae2-256.txt"), texto);

  EXPECT_FALSE(Extrai(MontaZip({ItemZip("crc.txt", texto).ComAes(3, 1).ComCrc(0xDEADBEEF)})));
  EXPECT_EQ(VMsgErro, kErroUnzip);
  EXPECT_NE(VMsgErroDetalhe.find(u"CRC"), Texto::npos) << Utf8(VMsgErroDetalhe);

  LimpaMsgErro();
  VMsgErroDetalhe = u"detalhe anterior";
  EXPECT_FALSE(Extrai(MontaZip({ItemZip("a.txt", texto).ComAes(3, 2)}), u"000000"));
  EXPECT_EQ(VMsgErro, u"Senha do arquivo inválida.");
  EXPECT_EQ(VMsgErroDetalhe, u"detalhe anterior");
}

TEST_F(Zip, UnencryptedArchiveTakesAnyPassword) {
  EXPECT_TRUE(Extrai(MontaZip({ItemZip("a.txt", "a")}), u"outra senha"));
}

TEST_F(Zip, UnwritableTargetFailsWithTheUnzipText) {
  fs::create_directories(plat.Local(kDestino + u"a.txt"));  // a folder where the file should go
  EXPECT_FALSE(Extrai(MontaZip({ItemZip("a.txt", "a")})));
  EXPECT_EQ(VMsgErro, kErroUnzip);
  EXPECT_NE(VMsgErroDetalhe.find(u"a.txt"), Texto::npos);
}

}  // namespace
