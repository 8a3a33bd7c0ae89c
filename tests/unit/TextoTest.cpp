#include <gtest/gtest.h>

#include "platform/Texto.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;

TEST(Texto, UpperCasingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(MaiusculoAscii(u"bdsys ção-x1"), u"BDSYS çãO-X1");
}

TEST(Texto, TrimAndTrailingBackslash) {
  struct { const char16_t* in; const char16_t* out; } casos[] = {
      {u"  D:\\Pacote  ", u"D:\\Pacote\\"},
      {u"D:\\Pacote\\", u"D:\\Pacote\\"},
      {u"\tC:\\Sistema TEVO\r\n", u"C:\\Sistema TEVO\\"},
      {u"   ", u""},
  };
  for (auto& c : casos) EXPECT_EQ(IncluiBarra(c.in), c.out) << Utf8(c.in);
}

TEST(Texto, Utf8RoundTripAndInvalidBytes) {
  const Texto t = u"Instalação – 𝄞";
  EXPECT_EQ(Utf16(Utf8(t)), t);
  EXPECT_EQ(Utf16("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf16("\xc3"), u"\uFFFD");  // truncated sequence
}

TEST(PlataformaFalsa, WindowsPathsLiveUnderTheSandbox) {
  PlataformaFalsa p;
  EXPECT_EQ(p.Local(u"C:\\Sistema\\a.txt"), p.Raiz() / "C" / "Sistema" / "a.txt");
  EXPECT_TRUE(p.CriaPastas(u"C:\\Sistema\\Sub\\"));
  EXPECT_TRUE(p.PastaExiste(u"C:\\Sistema\\Sub"));
  auto f = p.CriaArquivo(u"C:\\Sistema\\Sub\\ç.txt");
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->Escreve("abc", 3));
  EXPECT_TRUE(f->Fecha());
  EXPECT_TRUE(p.ArquivoExiste(u"C:\\Sistema\\Sub\\ç.txt"));
  auto r = p.AbreLeitura(u"C:\\Sistema\\Sub\\ç.txt");
  ASSERT_TRUE(r);
  char buf[8];
  EXPECT_EQ(r->LeEm(1, buf, 8), 2);
  EXPECT_EQ(p.AbreLeitura(u"C:\\nada.txt"), nullptr);
}
