#include <gtest/gtest.h>

#include "toolkit/headless/Headless.h"
#include "ui/MeuEdit.h"

using namespace tevo;

namespace {

const TFormatoRegional kBrasil;  // "," decimal, "." thousands, dd/MM/yyyy
const TFormatoRegional kEUA{u'.', u',', u"M/d/yyyy"};

}  // namespace

TEST(MeuEdit, FormataNumero) {
  const struct {
    double valor;
    Texto formato, brasil, eua;
  } casos[] = {
      {0, u"#,##0.00", u"0,00", u"0.00"},
      {1234567.891, u"#,##0.00", u"1.234.567,89", u"1,234,567.89"},
      {-5.5, u"0.0", u"-5,5", u"-5.5"},
      {-0.001, u"0.00", u"0,00", u"0.00"},
      {0.5, u"#.##", u",5", u".5"},
      {2.10, u"0.0#", u"2,1", u"2.1"},
      {7, u"000", u"007", u"007"},
      {1234.5, u"R$ #,##0.00", u"R$ 1.234,50", u"R$ 1,234.50"},
      {999.999, u"#,##0.00", u"1.000,00", u"1,000.00"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(FormataNumero(c.valor, c.formato, kBrasil), c.brasil) << c.valor;
    EXPECT_EQ(FormataNumero(c.valor, c.formato, kEUA), c.eua) << c.valor;
  }
}

TEST(MeuEdit, ReadersNeverRaise) {
  const struct {
    Texto texto;
    bool ok;
    double valor;
  } decimais[] = {{u"12,5", true, 12.5},  {u" -3 ", true, -3},   {u"1,5e2", true, 150}, {u"1.234,5", false, 0},
                  {u"", false, 0},        {u"abc", false, 0},    {u",", false, 0},      {u"5%", false, 0},
                  {u"+0,25", true, 0.25}, {u"1e", false, 0}};
  for (const auto& c : decimais) {
    double v = 99;
    EXPECT_EQ(LeDecimal(c.texto, kBrasil, v), c.ok) << Utf8(c.texto);
    EXPECT_DOUBLE_EQ(v, c.valor) << Utf8(c.texto);
  }
  double v;
  EXPECT_TRUE(LeDecimal(u"12.5", kEUA, v));
  EXPECT_DOUBLE_EQ(v, 12.5);

  const struct {
    Texto texto;
    bool ok;
    int32_t valor;
  } inteiros[] = {{u"42", true, 42},       {u" -7", true, -7},   {u"abc", false, 0},  {u"", false, 0},
                  {u"2147483647", true, 2147483647}, {u"2147483648", false, 0}, {u"1,5", false, 0}, {u"-", false, 0}};
  for (const auto& c : inteiros) {
    int32_t i = 99;
    EXPECT_EQ(LeInteiro(c.texto, i), c.ok) << Utf8(c.texto);
    EXPECT_EQ(i, c.valor) << Utf8(c.texto);
  }

  const struct {
    Texto texto;
    bool ok;
    int dias;
  } datas[] = {{u"30/12/1899", true, 0},  {u"31/12/1899", true, 1},   {u"01/01/1900", true, 2},
               {u"25/12/2024", true, 45651}, {u"29/02/2024", true, 45351}, {u"29/02/2023", false, 0},
               {u"  /  /    ", false, 0}, {u"12/05/    ", false, 0}, {u"32/01/2024", false, 0},
               {u"1/1/24", true, 45292}};
  for (const auto& c : datas) {
    int d = 99;
    EXPECT_EQ(LeData(c.texto, kBrasil, d), c.ok) << Utf8(c.texto);
    if (c.ok) {
      EXPECT_EQ(d, c.dias) << Utf8(c.texto);
    }
  }
  int d;
  ASSERT_TRUE(LeData(u"12/25/2024", kEUA, d));
  EXPECT_EQ(d, 45651);
  EXPECT_EQ(EscreveData(45651, kEUA), u"12/25/2024");
  EXPECT_EQ(EscreveData(45292, kBrasil), u"01/01/2024");
}

TEST(MeuEdit, TypingByKind) {
  TMeuEdit e(nullptr);
  EXPECT_EQ(e.ValueFormat(), u"#,##0.00");
  EXPECT_FALSE(e.ExitOnEnterKey());
  const struct {
    TwbrEditTypes tipo;
    Texto validos, digitado, fica;
  } casos[] = {
      {TwbrEditTypes::wbrString, u"", u"a-1.2,x%", u"a-1.2,x%"},
      {TwbrEditTypes::wbrInteger, u"", u"-1a2.3,4%", u"1234"},
      {TwbrEditTypes::wbrNumeric, u"", u"-1a2.3,4%-", u"-12,34%"},  // "." becomes ","; one separator
      {TwbrEditTypes::wbrNumeric, u"0123456789", u"-12.5", u"125"},
      {TwbrEditTypes::wbrString, u"abc", u"abcdcba\b", u"abccb"},  // backspace always passes
  };
  for (const auto& c : casos) {
    e.SetEditType(c.tipo);
    e.SetValidChars(c.validos);
    e.SetText(u"");
    e.SelStart = -1;
    e.Type(c.digitado);
    EXPECT_EQ(e.Text(), c.fica) << Utf8(c.digitado);
  }
  // the minus sign: only at the first position and only once
  e.SetValidChars(u"");
  e.SetEditType(TwbrEditTypes::wbrNumeric);
  e.SetText(u"5");
  e.SelStart = 1;
  e.TypeChar(u'-');
  EXPECT_EQ(e.Text(), u"5");
  e.SelStart = 0;
  e.TypeChar(u'-');
  EXPECT_EQ(e.Text(), u"-5");
  e.SelStart = 0;
  e.TypeChar(u'-');
  EXPECT_EQ(e.Text(), u"-5");
  // on a machine with "." as its decimal separator, "." is typed as it is
  e.Regional = kEUA;
  e.SetText(u"");
  e.Type(u"1,2.5.");
  EXPECT_EQ(e.Text(), u"12.5");
  EXPECT_DOUBLE_EQ(e.ValueNumeric(), 12.5);
}

TEST(MeuEdit, ValuesFollowTheTextAndTheFocusFormatsIt) {
  tk::HeadlessBackend ui;
  tk::TForm f(ui, u"F");
  TMeuEdit e(&f);
  tk::TEdit outro(&f);
  f.Show();
  e.SetEditType(TwbrEditTypes::wbrNumeric);
  EXPECT_EQ(e.Text(), u"0,00");
  e.SetText(u"1.234,567");  // the thousands separators are dropped
  EXPECT_DOUBLE_EQ(e.ValueNumeric(), 1234.567);
  EXPECT_EQ(e.ValueInteger(), 1234);
  e.SetFocus();
  EXPECT_EQ(e.Text(), u"1.234,57");
  EXPECT_EQ(e.SelStart, 0);
  EXPECT_EQ(e.SelLength, 8);
  e.SetText(u"-2,9");
  EXPECT_EQ(e.ValueInteger(), -2);  // the fraction is dropped
  e.DoExit();
  EXPECT_EQ(e.Text(), u"-2,90");
  e.SetText(u"");
  EXPECT_EQ(e.ValueNumeric(), 0);
  e.SetValueInteger(15);
  EXPECT_EQ(e.Text(), u"15");
  e.SetEditType(TwbrEditTypes::wbrInteger);
  EXPECT_EQ(e.Text(), u"15");
  e.SetValueNumeric(3.5);
  EXPECT_EQ(e.Text(), u"3,50");
  EXPECT_EQ(e.ValueInteger(), 3);
  e.SetEditType(TwbrEditTypes::wbrString);
  e.SetText(u"abc");
  EXPECT_EQ(e.ValueNumeric(), 0);

  // Enter: moves on with ExitOnEnterKey, otherwise dropped unless multi-line
  int enters = 0;
  e.OnKeyPress = [&](char16_t& k) { enters += k == 13; };
  e.SetFocus();
  e.TypeChar(13);
  EXPECT_EQ(enters, 0);
  EXPECT_TRUE(e.Focused());
  e.SetExitOnEnterKey(true);
  e.TypeChar(13);
  EXPECT_TRUE(outro.Focused());
  e.SetMultiLine(true);
  EXPECT_FALSE(e.ExitOnEnterKey());
  e.TypeChar(13);
  EXPECT_EQ(enters, 1);
  e.SetText(u"um\r\ndois\r\n");
  e.SetExitOnEnterKey(true);  // turns multi-line off: the line breaks go
  EXPECT_FALSE(e.MultiLine());
  EXPECT_EQ(e.Text(), u"umdois");
}
