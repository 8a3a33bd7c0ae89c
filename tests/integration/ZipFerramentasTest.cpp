// Archives made by independent tools — Info-ZIP zip (traditional encryption), 7z (WinZip AES
// and ZipCrypto), libzip through tdipack, python3's zipfile — extracted by
// TChilKat::DescompactaZip: byte-identical trees, accented names and nested folders, wrong
// passwords, damaged, tampered and truncated archives, hostile names.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "payload/Zip.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;
namespace fs = std::filesystem;

namespace {

const Texto kArquivo = u"C:\\Pacote\\Teste.tdi";
const Texto kDestino = u"C:\\Sistema TEVO\\";
const Texto kSenha = u"581947";
const Texto kErroOpen = u"Erro na função \"CkZip_OpenZip(\"";
const Texto kErroUnzip = u"Erro na função \"CkZip_Unzip(\".";
const Texto kErroSenha = u"Senha do arquivo inválida.";

std::string LeTudo(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void GravaTudo(const fs::path& p, const std::string& s) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << s;
}

std::string Aspas(const fs::path& p) { return "'" + p.string() + "'"; }

// The payload every tool packs: nested folders, accented names, an empty file and folder,
// compressible text and incompressible bytes, and a file with a known modification time.
class Ferramentas : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    base_ = new fs::path(fs::temp_directory_path() /
                         ("tevo-zip-ferramentas-" + std::to_string(std::random_device{}())));
    const fs::path f = Fonte();
    std::mt19937 gerador(42);
    std::string aleatorio(300000, '\0');
    for (auto& c : aleatorio) c = static_cast<char>(gerador());
    std::ostringstream texto;
    for (int i = 0; i < 60000; ++i) texto << "Linha " << i << " do arquivo de configuração da instalação\n";
    GravaTudo(f / "Leia-me.txt", "Sistema TEVO\r\n");
    GravaTudo(f / "grande.txt", texto.str());
    GravaTudo(f / "vazio.txt", "");
    GravaTudo(f / "Configuração" / "Pão de açúcar é bom.txt", "ç ã é\n");
    GravaTudo(f / "Configuração" / "Sub" / "Mais fundo" / "aleatório.bin", aleatorio);
    GravaTudo(f / "Configuração" / "data fixa.txt", "data fixa\n");
    fs::create_directories(f / "Pasta vazia");
    std::tm tm{};
    tm.tm_year = 2021 - 1900;
    tm.tm_mon = 4;
    tm.tm_mday = 6;
    tm.tm_hour = 7;
    tm.tm_min = 8;
    tm.tm_sec = 10;
    tm.tm_isdst = -1;
    DataFixa() = std::mktime(&tm);
    fs::last_write_time(f / "Configuração" / "data fixa.txt", ParaArquivo(DataFixa()));
    // Info-ZIP's zip asks for the locale "en_US.UTF-8" by name before it stores UTF-8 names;
    // a private locale folder gives it that name for the C.UTF-8 locale every system has.
    fs::create_directories(*base_ / "locale");
    fs::create_directory_symlink("/usr/lib/locale/C.utf8", *base_ / "locale" / "en_US.UTF-8");
    fs::create_directories(*base_ / "vazia");
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(*base_, ec);
    delete base_;
  }
  static fs::path Fonte() { return *base_ / "fonte"; }
  static std::time_t& DataFixa() {
    static std::time_t t;
    return t;
  }
  static fs::file_time_type ParaArquivo(std::time_t t) {
    return fs::file_time_type::clock::now() +
           std::chrono::duration_cast<fs::file_time_type::duration>(std::chrono::system_clock::from_time_t(t) -
                                                                   std::chrono::system_clock::now());
  }

  void SetUp() override {
    LimpaMsgErro();
    fs::create_directories(plat.Local(kArquivo).parent_path());
  }

  // Packs a folder with one of the tools into kArquivo. {F} = folder, {A} = archive,
  // {L} = private locale folder, {T} = tdipack.
  void Empacota(std::string comando, const fs::path& pasta = Fonte()) {
    auto troca = [&](const std::string& de, const std::string& para) {
      for (size_t p; (p = comando.find(de)) != std::string::npos;) comando.replace(p, de.size(), para);
    };
    fs::remove(plat.Local(kArquivo));
    troca("{F}", Aspas(pasta));
    troca("{A}", Aspas(plat.Local(kArquivo)));
    troca("{L}", Aspas(*base_ / "locale"));
    troca("{T}", Aspas(TEVO_TDIPACK));
    const std::string completo = "(" + comando + ") >" + Aspas(plat.Raiz() / "ferramenta.log") + " 2>&1";
    const int r = std::system(completo.c_str());
    ASSERT_EQ(r, 0) << comando << "\n" << LeTudo(plat.Raiz() / "ferramenta.log");
    ASSERT_TRUE(fs::exists(plat.Local(kArquivo))) << comando;
  }

  bool Extrai(const Texto& senha = kSenha) { return chilkat.DescompactaZip(kArquivo, kDestino, senha); }

  // Flips one byte in the middle of the stored data of an entry.
  void DanificaEntrada(const Texto& nome) {
    auto leitura = plat.AbreLeitura(kArquivo);
    std::vector<zip::Entrada> entradas;
    Texto motivo;
    ASSERT_EQ(zip::LeDiretorio(*leitura, entradas, motivo), zip::Leitura::Ok);
    zip::LeituraBufferizada lb(*leitura, 1 << 16);
    for (const auto& e : entradas) {
      if (e.nome != nome) continue;
      zip::Dados d;
      ASSERT_TRUE(zip::LocalizaDados(lb, e, d, motivo));
      leitura.reset();
      std::string bytes = LeTudo(plat.Local(kArquivo));
      bytes[d.posicao + e.tamanhoCompactado / 2] ^= 0x5A;
      GravaTudo(plat.Local(kArquivo), bytes);
      return;
    }
    FAIL() << "entry not found: " << Utf8(nome);
  }

  void ComparaComFonte() {
    const fs::path destino = plat.Local(kDestino);
    for (auto& e : fs::recursive_directory_iterator(Fonte())) {
      const fs::path r = fs::relative(e.path(), Fonte());
      if (e.is_directory()) {
        EXPECT_TRUE(fs::is_directory(destino / r)) << r;
      } else {
        ASSERT_TRUE(fs::is_regular_file(destino / r)) << r;
        EXPECT_TRUE(LeTudo(e.path()) == LeTudo(destino / r)) << r << " differs";
      }
    }
    for (auto& e : fs::recursive_directory_iterator(destino))
      EXPECT_TRUE(fs::exists(Fonte() / fs::relative(e.path(), destino))) << "extra: " << e.path();
    const auto t = fs::last_write_time(destino / "Configuração" / "data fixa.txt");
    const auto diferenca = std::chrono::abs(t - ParaArquivo(DataFixa()));
    EXPECT_LE(diferenca, std::chrono::seconds(2)) << "modification time not restored";
  }

  // Nothing under the sandbox but the package folder (and the tool's log).
  void NadaEscrito() {
    for (auto& e : fs::recursive_directory_iterator(plat.Raiz())) {
      const fs::path r = fs::relative(e.path(), plat.Raiz());
      EXPECT_TRUE(r == "C" || r == "C/Pacote" || r == "C/Pacote/Teste.tdi" || r == "ferramenta.log")
          << "written: " << r;
    }
  }

  static fs::path* base_;
  PlataformaFalsa plat;
  TChilKat chilkat{plat};
};

fs::path* Ferramentas::base_ = nullptr;

struct Ferramenta {
  const char* nome;
  const char* comando;
};

const Ferramenta kFerramentas[] = {
    {"zip -P (traditional, UTF-8 flag)", "cd {F} && LOCPATH={L} zip -q -r -P 581947 {A} ."},
    {"zip -P (traditional, raw Unix names)", "cd {F} && LOCPATH=/nenhum LC_ALL=C zip -q -r -P 581947 {A} ."},
    {"zip -fz -P (Zip64)", "cd {F} && LOCPATH={L} zip -q -r -fz -P 581947 {A} ."},
    {"7z AES-256", "cd {F} && 7z a -tzip -bd -p581947 -mem=AES256 {A} ."},
    {"7z AES-192", "cd {F} && 7z a -tzip -bd -p581947 -mem=AES192 {A} ."},
    {"7z AES-128", "cd {F} && 7z a -tzip -bd -p581947 -mem=AES128 {A} ."},
    {"7z AES-256 stored", "cd {F} && 7z a -tzip -bd -mx0 -p581947 -mem=AES256 {A} ."},
    {"7z ZipCrypto", "cd {F} && 7z a -tzip -bd -p581947 -mem=ZipCrypto {A} ."},
    {"tdipack (libzip AES-256)", "{T} -q {F} {A}"},
    {"tdipack -c aes192", "{T} -q -c aes192 {F} {A}"},
    {"tdipack -c aes128", "{T} -q -c aes128 {F} {A}"},
    {"tdipack -t (traditional)", "{T} -q -t {F} {A}"},
    {"tdipack -n 0 (stored)", "{T} -q -n 0 {F} {A}"},
    {"tdipack -c nenhuma", "{T} -q -c nenhuma {F} {A}"},
};

TEST_F(Ferramentas, ArchivesOfEveryToolExtractByteIdentically) {
  for (const auto& f : kFerramentas) {
    SCOPED_TRACE(f.nome);
    LimpaMsgErro();
    std::error_code ec;
    fs::remove_all(plat.Local(kDestino), ec);
    Empacota(f.comando);
    ASSERT_TRUE(Extrai()) << Utf8(VMsgErro) << " / " << Utf8(VMsgErroDetalhe);
    ComparaComFonte();
  }
}

TEST_F(Ferramentas, ExtractingAgainOverwrites) {
  Empacota("{T} -q {F} {A}");
  GravaTudo(plat.Local(kDestino + u"grande.txt"), "antigo");
  ASSERT_TRUE(Extrai());
  ASSERT_TRUE(Extrai());
  ComparaComFonte();
}

TEST_F(Ferramentas, WrongPasswordWritesNothing) {
  for (const auto& f : kFerramentas) {
    if (std::string(f.nome).find("nenhuma") != std::string::npos) continue;
    SCOPED_TRACE(f.nome);
    Empacota(f.comando);
    VMsgErro.clear();
    VMsgErroDetalhe = u"detalhe anterior";
    EXPECT_FALSE(Extrai(u"158947"));
    EXPECT_EQ(VMsgErro, kErroSenha);
    EXPECT_EQ(VMsgErroDetalhe, u"detalhe anterior");
    NadaEscrito();
  }
}

TEST_F(Ferramentas, MissingArchiveGivesTheOpenText) {
  EXPECT_FALSE(chilkat.DescompactaZip(u"C:\\Pacote\\SchCTe.tdi", kDestino, kSenha));
  EXPECT_EQ(VMsgErro, kErroOpen);
  EXPECT_NE(VMsgErroDetalhe.find(u"C:\\Pacote\\SchCTe.tdi"), Texto::npos) << Utf8(VMsgErroDetalhe);
}

TEST_F(Ferramentas, EmptyArchiveSucceeds) {
  Empacota("{T} -q {F} {A}", *base_ / "vazia");
  EXPECT_TRUE(Extrai()) << Utf8(VMsgErroDetalhe);
  EXPECT_TRUE(fs::is_empty(plat.Local(kDestino)));
}

TEST_F(Ferramentas, DamagedAndTamperedArchivesGiveTheUnzipText) {
  struct Caso {
    const char* oque;
    const char* comando;
    const char16_t* entrada;
    const char16_t* causa;  // a word the detail must hold
  } casos[] = {
      {"CRC of a stored entry", "{T} -q -c nenhuma -n 0 {F} {A}", u"grande.txt", u"CRC"},
      {"traditional, deflated", "cd {F} && LOCPATH={L} zip -q -r -P 581947 {A} .", u"grande.txt", u"grande.txt"},
      {"AES-256 stored (AE-2: only the authentication code)", "{T} -q -n 0 {F} {A}",
       u"Configuração/Sub/Mais fundo/aleatório.bin", u"autenticação"},
      {"7z AES-256, deflated", "cd {F} && 7z a -tzip -bd -p581947 -mem=AES256 {A} .", u"grande.txt",
       u"grande.txt"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.oque);
    LimpaMsgErro();
    Empacota(c.comando);
    DanificaEntrada(c.entrada);
    EXPECT_FALSE(Extrai());
    EXPECT_EQ(VMsgErro, kErroUnzip);
    EXPECT_NE(VMsgErroDetalhe.find(c.causa), Texto::npos) << Utf8(VMsgErroDetalhe);
  }
}

TEST_F(Ferramentas, TruncatedArchivesGiveTheUnzipText) {
  for (const char* comando : {"cd {F} && 7z a -tzip -bd -p581947 -mem=AES256 {A} .", "{T} -q {F} {A}",
                              "cd {F} && LOCPATH={L} zip -q -r -P 581947 {A} ."}) {
    for (double fracao : {0.6, 0.999}) {
      SCOPED_TRACE(std::string(comando) + " cut at " + std::to_string(fracao));
      LimpaMsgErro();
      Empacota(comando);
      const std::string bytes = LeTudo(plat.Local(kArquivo));
      GravaTudo(plat.Local(kArquivo), bytes.substr(0, static_cast<size_t>(bytes.size() * fracao)));
      EXPECT_FALSE(Extrai());
      EXPECT_EQ(VMsgErro, kErroUnzip);
      EXPECT_NE(VMsgErroDetalhe.find(kArquivo), Texto::npos);
    }
  }
}

// Archives written by python3's zipfile, which stores whatever name it is given.
TEST_F(Ferramentas, HostileNamesFromZipfileAreRefused) {
  const char* hostis[] = {"../fora.txt", "../../tmp/fora.txt", "/tmp/absoluto.txt", "C:/Windows/fora.txt",
                          "ok.txt:fluxo", "NUL.txt", "pasta/CON", "com1.log"};
  for (const char* nome : hostis) {
    SCOPED_TRACE(nome);
    LimpaMsgErro();
    std::ostringstream py;
    py << "python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1],'w'); "
          "z.writestr('antes.txt','ok'); z.writestr(sys.argv[2],'hostil'); z.close()\" {A} '"
       << nome << "'";
    Empacota(py.str());
    EXPECT_FALSE(Extrai());
    EXPECT_EQ(VMsgErro, kErroUnzip);
    EXPECT_NE(VMsgErroDetalhe.find(Utf16(nome)), Texto::npos) << Utf8(VMsgErroDetalhe);
    NadaEscrito();
    EXPECT_FALSE(fs::exists(plat.Raiz() / "fora.txt"));
  }
}

}  // namespace
