#include <gtest/gtest.h>

#include "Excecao.h"

#include <functional>

#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "payload/Cripto.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;

using tevo::teste::MensagemDe;

namespace {

struct CriptoTest : ::testing::Test {
  PlataformaFalsa plat;
  TChilKat ck{plat};
};

}  // namespace

// RFC 2268 vector: key 88bca90e90875a7f0f79c384627bafb2, 128 effective bits,
// plain 0000000000000000 -> 2269552ab0f85ca6. With a zero IV the first CBC block is
// that single-block encryption. The 33-byte key of the RFC's last vector shares its
// first 16 bytes: only the first 128 bits may count.
TEST_F(CriptoTest, Rc2MatchesThePublishedVectorWith128EffectiveBits) {
  const Texto zeros(8, u'\0');
  const Texto iv = u"0000000000000000";
  for (const Texto& chave : {Texto(u"88bca90e90875a7f0f79c384627bafb2"),
                            Texto(u"88BCA90E90875A7F0F79C384627BAFB216F80A6F85920584C42FCEB0BE255DAF1E")}) {
    const Texto cifra = ck.CriptDecriptTexto(true, zeros, iv, chave);
    ASSERT_EQ(cifra.size(), 32u) << Utf8(cifra);  // one block of data, one of padding
    EXPECT_EQ(cifra.substr(0, 16), u"2269552AB0F85CA6");
    EXPECT_EQ(ck.CriptDecriptTexto(false, cifra, iv, chave), zeros);
  }
}

TEST_F(CriptoTest, RoundTripWithPaddingAndAnsiText) {
  const Texto chave = u"00112233445566778899AABBCCDDEEFF";
  for (const Texto& texto : {Texto(u"a"), Texto(u"1234567"), Texto(u"12345678"), Texto(u"Ação – 5€ ÿ")}) {
    const Texto cifra = ck.CriptDecriptTexto(true, texto, cripto::kIVCredenciais, chave);
    EXPECT_TRUE(VMsgErro.empty());
    EXPECT_EQ(cifra.size(), (texto.size() / 8 + 1) * 16) << Utf8(texto);
    EXPECT_EQ(ck.CriptDecriptTexto(false, cifra, cripto::kIVCredenciais, chave), texto);
  }
}

// A failure answers with the error text, which the shared error texts repeat; a
// later success empties them again.
TEST_F(CriptoTest, FailuresAnswerWithTheErrorText) {
  const Texto iv = cripto::kIVCredenciais;
  const Texto chave = u"00112233445566778899AABBCCDDEEFF";
  const Texto cifra = ck.CriptDecriptTexto(true, u"segredo", iv, chave);
  struct Caso { const char* nome; bool cifrar; Texto texto, iv, chave; } casos[] = {
      {"wrong key", false, cifra, iv, u"FF112233445566778899AABBCCDDEEFF"},
      {"cipher text cut", false, cifra.substr(0, 14), iv, chave},
      {"odd hex", false, cifra.substr(1), iv, chave},
      {"non-hex text", false, u"ZZ" + cifra.substr(2), iv, chave},
      {"empty cipher text", false, u"", iv, chave},
      {"empty plain text", false, ck.CriptDecriptTexto(true, u"", iv, chave), iv, chave},
      {"key under 128 bits", false, cifra, iv, chave.substr(0, 30)},
      {"non-hex key", false, cifra, iv, u"X" + chave.substr(1)},
      {"IV not 8 bytes", false, cifra, u"0011", chave},
      {"text outside ANSI", true, u"日本", iv, chave},
  };
  for (auto& c : casos) {
    VMsgErro = u"anterior";
    const Texto r = ck.CriptDecriptTexto(c.cifrar, c.texto, c.iv, c.chave);
    EXPECT_FALSE(r.empty()) << c.nome;
    EXPECT_EQ(r, VMsgErroDetalhe) << c.nome;
    EXPECT_NE(VMsgErro, u"anterior") << c.nome;
    EXPECT_FALSE(VMsgErro.empty()) << c.nome;
  }
  ck.CriptDecriptTexto(false, cifra, iv, chave);
  EXPECT_TRUE(VMsgErro.empty());
  EXPECT_TRUE(VMsgErroDetalhe.empty());
}

TEST_F(CriptoTest, DesofuscaChaveRefusesBrokenText) {
  for (const Texto& t : {Texto(), Texto(u"ABCDE"), Texto(66 + 1, u'A')})
    EXPECT_EQ(MensagemDe([&] { ck.DesofuscaChave(t); }), u"VKeyChilkatofus inválida.") << Utf8(t);
  EXPECT_EQ(MensagemDe([&] { ck.DesofuscaChave(u"00G1"); }), u"'G1' não é um valor hexadecimal válido.");
  EXPECT_EQ(MensagemDe([&] { ck.DesofuscaChave(u"0 11"); }), u"'0 ' não é um valor hexadecimal válido.");
}

// 66 hex digits (either case) give 66 upper-case digits, and the builder's
// obfuscation is its exact inverse for the key sizes in use.
TEST_F(CriptoTest, DesofuscaChaveInvertsTheObfuscation) {
  for (size_t n : {16u, 32u, 33u}) {
    ASSERT_TRUE(cripto::PermutacaoValida(n));
    cripto::Bytes chave(n);
    for (size_t i = 0; i < n; ++i) chave[i] = static_cast<uint8_t>(i * 37 + 11);
    Texto ofuscada = cripto::BytesParaHex(cripto::OfuscaBytes(chave));
    for (auto& c : ofuscada)
      if (c >= u'A' && c <= u'F') c = static_cast<char16_t>(c - u'A' + u'a');
    const Texto r = ck.DesofuscaChave(ofuscada);
    EXPECT_EQ(r, cripto::BytesParaHex(chave)) << n;
    EXPECT_NE(MaiusculoAscii(ofuscada), r) << n;
  }
  EXPECT_EQ(ck.DesofuscaChave(Texto(66, u'0')).size(), 66u);
  EXPECT_FALSE(cripto::PermutacaoValida(35));  // a multiple of the stride
}
