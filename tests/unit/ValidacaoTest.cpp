#include <gtest/gtest.h>

#include "platform/fake/PlataformaFalsa.h"
#include "toolkit/Controles.h"
#include "ui/Validacao.h"

using namespace tevo;

namespace {

const Texto kObrigatorio = u"O dado é obrigatório.";
const Texto kCPFInvalido = u"O CPF informado é inválido.";
const Texto kCNPJInvalido = u"O CNPJ informado é inválido.";
const Texto kTamanho = u"O dado informado é inválido. A quantidade de caracteres não está correta.";

struct CasoValido {
  const char16_t* doc;
  const char16_t* limpo;
  const char16_t* formatado;
};

// Real numbers, typed with and without punctuation.
const CasoValido kValidos[] = {
    {u"529.982.247-25", u"52998224725", u"529.982.247-25"},
    {u"52998224725", u"52998224725", u"529.982.247-25"},
    {u" 111 444 777 35 ", u"11144477735", u"111.444.777-35"},
    {u"123.456.789-09", u"12345678909", u"123.456.789-09"},
    {u"11.222.333/0001-81", u"11222333000181", u"11.222.333/0001-81"},
    {u"33000167000101", u"33000167000101", u"33.000.167/0001-01"},
    {u"00.000.000/0001-91", u"00000000000191", u"00.000.000/0001-91"},  // leading zeros
    // Alphanumeric CNPJ: the published example, and letters in every free position.
    {u"12.ABC.345/01DE-35", u"12ABC34501DE35", u"12.ABC.345/01DE-35"},
    {u"12ABC34501DE35", u"12ABC34501DE35", u"12.ABC.345/01DE-35"},
    {u"ZZ.ZZZ.ZZZ/0001-91", u"ZZZZZZZZ000191", u"ZZ.ZZZ.ZZZ/0001-91"},
    {u"A1B2C3D4E5F668", u"A1B2C3D4E5F668", u"A1.B2C.3D4/E5F6-68"},
};

struct CasoInvalido {
  const char16_t* doc;
  const Texto* mensagem;
};

const CasoInvalido kInvalidos[] = {
    {u"529.982.247-24", &kCPFInvalido},        // second check digit wrong
    {u"529.982.247-15", &kCPFInvalido},        // first check digit wrong
    {u"000.000.000-00", &kCPFInvalido},        // one repeated digit: the check digits fit
    {u"111.111.111-11", &kCPFInvalido},
    {u"99999999999", &kCPFInvalido},
    {u"5299822472A", &kCPFInvalido},           // a CPF has no letters
    {u"11.222.333/0001-80", &kCNPJInvalido},
    {u"33.000.167/0001-10", &kCNPJInvalido},   // check digits swapped
    {u"00.000.000/0000-00", &kCNPJInvalido},
    {u"12.ABC.345/01DE-36", &kCNPJInvalido},
    {u"12.ABC.345/01DE-3A", &kCNPJInvalido},   // check positions take digits only
    {u"12.abc.345/01de-35", &kCNPJInvalido},   // letters of a CNPJ are capitals
    {u"12.ABC.345/01DE-3", &kTamanho},         // cleaned length 13
    {u"529.982.247-251", &kTamanho},           // cleaned length 12
    {u"1234567890", &kTamanho},
    {u"529.982.247-25-0001", &kTamanho},       // 15
};

}  // namespace

TEST(Validacao, ValidNumbersGiveTheCleanedOrMaskedValueAndNoMessage) {
  PlataformaFalsa p;
  for (const auto& c : kValidos) {
    SCOPED_TRACE(Utf8(c.doc));
    EXPECT_TRUE(DocumentoValido(c.doc, false));
    EXPECT_EQ(ValidaDocumento(p, c.doc, false, true, false), c.limpo);
    EXPECT_EQ(ValidaDocumento(p, c.doc, false, true, true), c.formatado);
  }
  EXPECT_TRUE(p.caixas.empty());
}

TEST(Validacao, InvalidNumbersAreRefusedWithTheirReason) {
  for (const auto& c : kInvalidos) {
    SCOPED_TRACE(Utf8(c.doc));
    EXPECT_FALSE(DocumentoValido(c.doc, false));
    EXPECT_FALSE(DocumentoValido(c.doc, true));

    PlataformaFalsa calado;
    EXPECT_EQ(ValidaDocumento(calado, c.doc, false, false, true), u"");
    EXPECT_TRUE(calado.caixas.empty());

    PlataformaFalsa p;
    EXPECT_EQ(ValidaDocumento(p, c.doc, true, true, false), u"");
    ASSERT_EQ(p.caixas.size(), 1u);
    EXPECT_EQ(p.caixas[0].texto, *c.mensagem);
    EXPECT_EQ(p.caixas[0].titulo, u"Houve um erro");
    EXPECT_EQ(p.caixas[0].tipo, TipoCaixa::Erro);
  }
}

TEST(Validacao, BlanksAndPunctuationCountAsEmpty) {
  for (const Texto vazio : {u"", u"   ", u" .-/ \t", u"çã"}) {
    SCOPED_TRACE(Utf8(vazio));
    EXPECT_TRUE(DocumentoValido(vazio, true));
    EXPECT_FALSE(DocumentoValido(vazio, false));

    PlataformaFalsa obrigatorio;
    EXPECT_EQ(ValidaDocumento(obrigatorio, vazio, false, true, true), u"");
    ASSERT_EQ(obrigatorio.caixas.size(), 1u);
    EXPECT_EQ(obrigatorio.caixas[0].texto, kObrigatorio);

    // Allowed empty: no message, but still the same empty answer as an invalid number.
    PlataformaFalsa permitido;
    EXPECT_EQ(ValidaDocumento(permitido, vazio, true, true, true), u"");
    EXPECT_TRUE(permitido.caixas.empty());

    PlataformaFalsa calado;
    EXPECT_EQ(ValidaDocumento(calado, vazio, false, false, false), u"");
    EXPECT_TRUE(calado.caixas.empty());
  }
}

TEST(Validacao, CleaningKeepsAsciiLettersAndDigitsAsTyped) {
  EXPECT_EQ(LimpaDocumento(u" 12.abC/3-4 çã_5\u0661"), u"12abC345");
}

TEST(Validacao, FormataDocumentoMasks) {
  const Texto chave = u"35200114200166000187550010000000071123456789";  // 44 digits
  const Texto chaveFormatada =
      u"3520-0114-2001-6600-0187-5500-1000-0000-0711-2345-6789";
  struct { int tipo; Texto entrada, saida; } casos[] = {
      {0, u"11222333000181", u"11.222.333/0001-81"},
      {0, u"12abc34501de35", u"12.abc.345/01de-35"},
      {0, u"11.222", u"11.222"},
      {1, u"529.982.247-25", u"529.982.247-25"},
      {1, u"CPF 52998224725", u"529.982.247-25"},
      {1, u"5299822", u"529.982.2"},
      {2, u"529.982.247-25", u"529.982.247-25"},   // judged by the cleaned length
      {2, u"12ABC34501DE35", u"12.ABC.345/01DE-35"},
      {2, u"1234567890123", u"12.345.678/9012-3"},
      {2, u"A5299822472", u"529.982.247-2"},       // 11: CPF mask, digits only
      {3, u"11 3333-4444", u"(11)3333-4444"},
      {3, u"11", u"(11"},
      {4, u"(11) 98765-4321", u"(11)98765-4321"},
      {4, u"11987654321999", u"(11)98765-4321"},
      {5, u"01310100", u"01310-100"},
      {5, u"01310-100", u"01310-100"},
      {6, chave, chaveFormatada},
      {6, u"NFe" + chave, chaveFormatada},
      {6, u"CTe " + chave.substr(0, 20) + u" MDFe", u"3520-0114-2001-6600-0187"},
      {6, u"NFSe" + chave.substr(0, 8) + u"CTe", u"3520-0114"},
      // Only the first occurrence goes, and only in that spelling.
      {6, u"NFe1234NFe", u"1234-NFe"},
      {6, u"nfe1234", u"nfe1-234"},
      {7, u"1234-x", u"1234-x"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.tipo) + " " + Utf8(c.entrada));
    EXPECT_EQ(FormataDocumento(c.tipo, c.entrada), c.saida);
  }
}

TEST(Validacao, FormataDocumentoWritesBackIntoAnEditField) {
  tk::TEdit edit(nullptr, u"EditUserMulti");
  edit.SetText(u"12abc34501de35");
  int mudancas = 0;
  edit.OnChange = [&] { ++mudancas; };
  EXPECT_EQ(FormataDocumento(&edit, ftCNPJ, u"11222333000181"), u"12.abc.345/01de-35");
  EXPECT_EQ(edit.Text(), u"12.abc.345/01de-35");
  EXPECT_EQ(mudancas, 1);

  // Not an edit field, or no field at all: the given text is formatted, nothing is written.
  tk::TMemo memo(nullptr);
  memo.SetText(u"texto do memo");
  EXPECT_EQ(FormataDocumento(&memo, ftCEP, u"01310100"), u"01310-100");
  EXPECT_EQ(memo.Text(), u"texto do memo");
  EXPECT_EQ(FormataDocumento(nullptr, ftCPF, u"52998224725"), u"529.982.247-25");
}

TEST(Validacao, AplicaMascaraStopsAtTheLastCharacterOfTheValue) {
  const Texto cpf = u"###.###.###-##";
  struct { Texto mascara, valor, saida; } casos[] = {
      {cpf, u"52998224725", u"529.982.247-25"},
      {cpf, u"123", u"123"},
      {cpf, u"12345", u"123.45"},
      {cpf, u"1234567890123", u"123.456.789-01"},  // extra characters are lost
      {cpf, u"", u""},
      {u"(##)####-####", u"1", u"(1"},
      {u"", u"123", u""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Utf8(c.mascara) + " " + Utf8(c.valor));
    EXPECT_EQ(AplicaMascara(c.mascara, c.valor), c.saida);
  }
}

TEST(Validacao, MostraErroSimplesShowsThePlainErrorBox) {
  PlataformaFalsa p;
  MostraErroSimples(p, u"Não foi possível gravar o valor.");
  ASSERT_EQ(p.caixas.size(), 1u);
  EXPECT_EQ(p.caixas[0].texto, u"Não foi possível gravar o valor.");
  EXPECT_EQ(p.caixas[0].titulo, u"Houve um erro");
  EXPECT_EQ(p.caixas[0].tipo, TipoCaixa::Erro);
}
