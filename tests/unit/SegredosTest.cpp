#include <gtest/gtest.h>

#include "Excecao.h"

#include <cctype>
#include <functional>

#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "payload/Cripto.h"
#include "payload/CriptoMontagem.h"
#include "payload/Segredos.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;

using tevo::teste::MensagemDe;

namespace {

const Texto kMsgGetPass = u"Erro no getPass. Contate seu suporte e relate o ocorrido.";

void Registro(std::vector<uint8_t>& img, uint8_t id, const Texto& hex) {
  img.push_back(id);
  img.push_back(static_cast<uint8_t>(hex.size()));
  for (char16_t c : hex) img.push_back(static_cast<uint8_t>(c));
}

// The program's resource as the builder makes it for the two database credentials.
struct SegredosTest : ::testing::Test {
  PlataformaFalsa plat;
  void SetUp() override {
    plat.recursos[u"CRIPTOS"] = cripto::MontaCriptos({{u"BDTEVO", u"TevoDev#2024"}, {u"BDSYS", u"Sys'5"}});
  }
};

}  // namespace

TEST_F(SegredosTest, BuilderKeepsTheDeliveredLayout) {
  const auto& img = plat.recursos[u"CRIPTOS"];
  ASSERT_EQ(img.size(), 204u);
  const struct { size_t pos; uint8_t id, tam; } esperado[] = {{0, 161, 32}, {34, 202, 66}, {102, 199, 32}, {136, 143, 66}};
  for (auto& e : esperado) {
    EXPECT_EQ(img[e.pos], e.id) << e.pos;
    EXPECT_EQ(img[e.pos + 1], e.tam) << e.pos;
  }
  for (size_t i = 0; i < img.size(); ++i) {
    if (i == 0 || i == 1 || i == 34 || i == 35 || i == 102 || i == 103 || i == 136 || i == 137) continue;
    EXPECT_TRUE(std::isxdigit(img[i]) && !std::islower(img[i])) << i;
  }
  // Every build draws new keys and filler.
  EXPECT_NE(cripto::MontaCriptos({{u"BDTEVO", u"TevoDev#2024"}, {u"BDSYS", u"Sys'5"}}), img);
}

TEST_F(SegredosTest, GetPassRoundTripIgnoresCase) {
  EXPECT_EQ(getPass(plat, u"BDTEVO"), u"TevoDev#2024");
  EXPECT_EQ(getPass(plat, u"bdsys"), u"Sys'5");
  EXPECT_EQ(getPass(plat, u"BdTeVo"), u"TevoDev#2024");
}

TEST_F(SegredosTest, BuilderRefusesBadValuesAndNames) {
  for (const Texto& v : {Texto(u"abcd"), Texto(u"abcdefghijklm"), Texto(u"com espaco"), Texto(u"senhaçã")})
    EXPECT_NE(MensagemDe([&] { cripto::MontaCriptos({{u"BDSYS", v}}); }), u"(nenhuma exceção)") << Utf8(v);
  EXPECT_NE(MensagemDe([&] { cripto::MontaCriptos({{u"SENHA", u"abcdef"}}); }), u"(nenhuma exceção)");
  EXPECT_NE(MensagemDe([&] { cripto::MontaCriptos({{u"ADMIN", u"abcdef"}, {u"EMAILBCKAUTO", u"abcdef"}}); }),
            u"(nenhuma exceção)");
}

TEST(Segredos, CredentialTable) {
  const struct { const char16_t* nome; int chave, segredo; } casos[] = {
      {u"BDTEVO", 202, 161},          {u"BDSYS", 143, 199},          {u"bdsys", 143, 199},
      {u"PWGERAL", 203, 178},         {u"EMAILFINANCEIRO", 204, 195}, {u"emailAdmin", 204, 196},
      {u"EMAILBCKAUTO", 204, 197},    {u"ADMIN", 204, 197},          {u"FINANCEIRO.EMAIL", 204, 197},
      {u"FTPTEVO", 205, 229},         {u"BDONLINE", 205, 246},       {u"", -1, -1},
      {u"XYZ", -1, -1},               {u" BDTEVO", -1, -1},          {u"EMAILADMINS", -1, -1},
      {u"bdtevo\u00e7", -1, -1},
  };
  for (auto& c : casos) {
    const auto r = RegistrosDaCredencial(c.nome);
    if (c.chave < 0) {
      EXPECT_FALSE(r.has_value()) << Utf8(c.nome);
    } else {
      ASSERT_TRUE(r.has_value()) << Utf8(c.nome);
      EXPECT_EQ(r->chave, c.chave) << Utf8(c.nome);
      EXPECT_EQ(r->segredo, c.segredo) << Utf8(c.nome);
    }
  }
}

TEST_F(SegredosTest, UnknownNamesAndAbsentKeyRecords) {
  for (const Texto& nome : {Texto(), Texto(u"XYZ"), Texto(u"BDTEVO ")})
    EXPECT_EQ(MensagemDe([&] { getPass(plat, nome); }), kMsgGetPass) << Utf8(nome);
  // The delivered resource has no record for the other credentials.
  for (const Texto& nome : {Texto(u"PWGERAL"), Texto(u"ADMIN"), Texto(u"FTPTEVO")})
    EXPECT_EQ(MensagemDe([&] { getPass(plat, nome); }), u"VKeyChilkatofus inválida.") << Utf8(nome);
  plat.recursos.clear();
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"BDSYS"); }), u"Error simpleDataSet not found.");
  EXPECT_EQ(MensagemDe([&] { LeRegistroCripto(plat, 161); }), u"Error simpleDataSet not found.");
  // An unknown name is refused before the resource is looked at.
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"XYZ"); }), kMsgGetPass);
}

// The e-mail branch: ADMIN is part of the list text, so it shares record 197 with
// EMAILBCKAUTO, while EMAILADMIN has a record of its own (196, absent here).
TEST(Segredos, EmailBranchThroughGetPass) {
  PlataformaFalsa plat;
  plat.recursos[u"CRIPTOS"] = cripto::MontaCriptos({{u"ADMIN", u"mail-bck"}, {u"EMAILFINANCEIRO", u"mail-fin"}});
  EXPECT_EQ(getPass(plat, u"admin"), u"mail-bck");
  EXPECT_EQ(getPass(plat, u"EMAILBCKAUTO"), u"mail-bck");
  EXPECT_EQ(getPass(plat, u"EmailFinanceiro"), u"mail-fin");
  // Key 204 is there but secret 196 is not: deciphering nothing is a failure.
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"EMAILADMIN"); }), kMsgGetPass);
  EXPECT_FALSE(VMsgErroDetalhe.empty());
}

TEST(Segredos, RecordWalk) {
  std::vector<uint8_t> img;
  Registro(img, 10, u"AA");
  Registro(img, 20, u"");
  Registro(img, 10, u"BBBB");
  Registro(img, 30, u"CC");
  EXPECT_EQ(ProcuraRegistroCripto(img, 10), (std::vector<uint8_t>{'A', 'A'}));  // the first of two
  EXPECT_TRUE(ProcuraRegistroCripto(img, 20).empty());                          // length 0
  EXPECT_TRUE(ProcuraRegistroCripto(img, 99).empty());                          // absent
  EXPECT_EQ(ProcuraRegistroCripto(img, 30), (std::vector<uint8_t>{'C', 'C'}));
  EXPECT_TRUE(ProcuraRegistroCripto({}, 10).empty());

  // A last record longer than what is left, or a lone id byte, ends the walk without
  // reading past the end.
  std::vector<uint8_t> cortado = img;
  cortado.insert(cortado.end(), {40, 200, 'D', 'D'});
  EXPECT_TRUE(ProcuraRegistroCripto(cortado, 40).empty());
  EXPECT_EQ(ProcuraRegistroCripto(cortado, 30), (std::vector<uint8_t>{'C', 'C'}));
  cortado = img;
  cortado.push_back(50);
  EXPECT_TRUE(ProcuraRegistroCripto(cortado, 50).empty());

  PlataformaFalsa plat;
  plat.recursos[u"CRIPTOS"] = img;
  EXPECT_EQ(LeRegistroCripto(plat, 10), (std::vector<uint8_t>{'A', 'A'}));
}

// Hand-made records: key and secret as the program reads them, with any plain text.
struct RegistrosManuais : ::testing::Test {
  PlataformaFalsa plat;
  PlataformaFalsa ignorada;
  TChilKat ck{ignorada};
  cripto::Bytes chave = cripto::Bytes(33, 0x5C);
  Texto ChaveHex() { return cripto::BytesParaHex(chave); }
  void Monta(const Texto& registroChave, const Texto& registroSegredo) {
    std::vector<uint8_t> img;
    Registro(img, 199, registroSegredo);
    Registro(img, 143, registroChave);
    plat.recursos[u"CRIPTOS"] = img;
  }
  void MontaComPlano(const Texto& plano) {
    Monta(cripto::BytesParaHex(cripto::OfuscaBytes(chave)),
          ck.CriptDecriptTexto(true, plano, cripto::kIVCredenciais, ChaveHex()));
  }
};

TEST_F(RegistrosManuais, PlainTextShorterThanFourCharactersGivesEmptyCredential) {
  const struct { const char16_t* plano; const char16_t* valor; } casos[] = {
      {u"a", u""}, {u"abc", u""}, {u"abcd", u"d"}, {u"xyzSenha", u"Senha"}};
  for (auto& c : casos) {
    MontaComPlano(c.plano);
    EXPECT_EQ(getPass(plat, u"BDSYS"), c.valor) << Utf8(c.plano);
  }
}

TEST_F(RegistrosManuais, BrokenKeyOrSecretRecords) {
  const Texto ofuscada = cripto::BytesParaHex(cripto::OfuscaBytes(chave));
  const Texto cifra = ck.CriptDecriptTexto(true, u"xyzSenha", cripto::kIVCredenciais, ChaveHex());

  Monta(ofuscada.substr(1), cifra);  // odd length
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"BDSYS"); }), u"VKeyChilkatofus inválida.");
  Monta(u"", cifra);  // key record of length 0
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"BDSYS"); }), u"VKeyChilkatofus inválida.");
  Monta(u"Q7" + ofuscada.substr(2), cifra);  // not hexadecimal
  EXPECT_EQ(MensagemDe([&] { getPass(plat, u"BDSYS"); }), u"'Q7' não é um valor hexadecimal válido.");

  // A secret that does not decipher is never handed out as a credential.
  const Texto outraChave = cripto::BytesParaHex(cripto::OfuscaBytes(cripto::Bytes(33, 0x3A)));
  const struct { const char* nome; Texto chave, segredo; } ruins[] = {
      {"wrong key", outraChave, cifra},
      {"one block missing", ofuscada, cifra.substr(0, 16)},
      {"half a block", ofuscada, cifra.substr(0, 20)},
      {"not hexadecimal", ofuscada, u"GG" + cifra.substr(2)},
      {"secret record absent or empty", ofuscada, u""},
  };
  for (auto& r : ruins) {
    Monta(r.chave, r.segredo);
    EXPECT_EQ(MensagemDe([&] { getPass(plat, u"BDSYS"); }), kMsgGetPass) << r.nome;
    EXPECT_FALSE(VMsgErroDetalhe.empty()) << r.nome;
  }
  Monta(ofuscada, cifra);
  EXPECT_EQ(getPass(plat, u"bdSys"), u"Senha");
}
