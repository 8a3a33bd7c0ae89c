#include "ui/MeuEdit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "toolkit/Formulario.h"

namespace tevo {

using namespace tk;

namespace {

bool EhDigito(char16_t c) { return c >= u'0' && c <= u'9'; }

bool EhMarcador(char16_t c) { return c == u'#' || c == u'0' || c == u',' || c == u'.'; }

// Days from 1 March of year 0 style civil date to 1970-01-01 (proleptic Gregorian).
long long DiasCivis(long long a, unsigned m, unsigned d) {
  a -= m <= 2;
  const long long era = (a >= 0 ? a : a - 399) / 400;
  const unsigned ano = static_cast<unsigned>(a - era * 400);
  const unsigned dia = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned dEra = ano * 365 + ano / 4 - ano / 100 + dia;
  return era * 146097 + static_cast<long long>(dEra) - 719468;
}

int DiasNoMes(int a, int m) {
  static const int k[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && ((a % 4 == 0 && a % 100 != 0) || a % 400 == 0)) return 29;
  return k[m - 1];
}

}  // namespace

Texto FormataNumero(double valor, const Texto& formatoTodo, const TFormatoRegional& fr) {
  const Texto formato = formatoTodo.substr(0, formatoTodo.find(u';'));
  size_t ini = 0;
  while (ini < formato.size() && !EhMarcador(formato[ini])) ++ini;
  size_t fim = formato.size();
  while (fim > ini && !EhMarcador(formato[fim - 1])) --fim;
  const Texto prefixo = formato.substr(0, ini), sufixo = formato.substr(fim);
  const Texto miolo = formato.substr(ini, fim - ini);
  const size_t ponto = miolo.find(u'.');
  const Texto inteira = miolo.substr(0, ponto);
  const Texto decimal = ponto == Texto::npos ? Texto() : miolo.substr(ponto + 1);
  int minInt = 0, minDec = 0, maxDec = 0;
  bool agrupa = false;
  for (char16_t c : inteira) {
    if (c == u'0') ++minInt;
    if (c == u',') agrupa = true;
  }
  for (char16_t c : decimal) {
    if (c == u'0') ++minDec, ++maxDec;
    if (c == u'#') ++maxDec;
  }
  if (!std::isfinite(valor)) valor = 0;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", maxDec, std::fabs(valor));
  std::string s = buf;
  const size_t p = s.find('.');
  std::string di = s.substr(0, p), dd = p == std::string::npos ? std::string() : s.substr(p + 1);
  while (int(dd.size()) > minDec && dd.back() == '0') dd.pop_back();
  const bool zero = di.find_first_not_of('0') == std::string::npos && dd.find_first_not_of('0') == std::string::npos;
  if (di == "0" && minInt == 0) di.clear();
  while (int(di.size()) < minInt) di.insert(di.begin(), '0');
  Texto r;
  for (size_t i = 0; i < di.size(); ++i) {
    if (agrupa && i > 0 && (di.size() - i) % 3 == 0) r.push_back(fr.SeparadorMilhar);
    r.push_back(char16_t(di[i]));
  }
  if (!dd.empty()) {
    r.push_back(fr.SeparadorDecimal);
    for (char c : dd) r.push_back(char16_t(c));
  }
  return (valor < 0 && !zero ? u"-" : u"") + prefixo + r + sufixo;
}

bool LeDecimal(const Texto& texto, const TFormatoRegional& fr, double& valor) {
  valor = 0;
  const Texto t = Trim(texto);
  std::string a;
  size_t i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) a.push_back(char(t[i++]));
  int digitos = 0;
  while (i < t.size() && EhDigito(t[i])) a.push_back(char(t[i++])), ++digitos;
  if (i < t.size() && t[i] == fr.SeparadorDecimal) {
    a.push_back('.');
    ++i;
    while (i < t.size() && EhDigito(t[i])) a.push_back(char(t[i++])), ++digitos;
  }
  if (digitos == 0) return false;
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    a.push_back('e');
    ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) a.push_back(char(t[i++]));
    int exp = 0;
    while (i < t.size() && EhDigito(t[i])) a.push_back(char(t[i++])), ++exp;
    if (exp == 0) return false;
  }
  if (i != t.size()) return false;
  const char* b = a.c_str() + (a[0] == '+' ? 1 : 0);
  double v = 0;
  auto [fimLido, ec] = std::from_chars(b, a.c_str() + a.size(), v);
  if (ec != std::errc() || fimLido != a.c_str() + a.size() || !std::isfinite(v)) return false;
  valor = v;
  return true;
}

bool LeInteiro(const Texto& texto, int32_t& valor) {
  valor = 0;
  const Texto t = Trim(texto);
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) neg = t[i++] == u'-';
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (!EhDigito(t[i])) return false;
    v = v * 10 + (t[i] - u'0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  valor = int32_t(v);
  return true;
}

namespace {
// Order of day, month and year in the short date pattern, and its separator.
void OrdemDaData(const TFormatoRegional& fr, Texto& ordem, char16_t& sep) {
  ordem.clear();
  sep = 0;
  for (char16_t c : fr.FormatoDataCurta) {
    const char16_t l = c == u'D' ? u'd' : c == u'm' ? u'M' : c == u'Y' ? u'y' : c;
    if (l == u'd' || l == u'M' || l == u'y') {
      if (ordem.find(l) == Texto::npos) ordem.push_back(l);
    } else if (!sep && l != u' ') {
      sep = l;
    }
  }
  if (ordem.size() != 3) ordem = u"dMy";
  if (!sep) sep = u'/';
}

// Civil date of a day number (days since 1970-01-01).
void DataCivil(long long z, int& a, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  a = int(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}
}  // namespace

Texto EscreveData(int dias, const TFormatoRegional& fr) {
  Texto ordem;
  char16_t sep;
  OrdemDaData(fr, ordem, sep);
  int a, m, d;
  DataCivil(DiasCivis(1899, 12, 30) + dias, a, m, d);
  auto digitos = [](int v, int n) {
    Texto r = IntToStr(v);
    while (int(r.size()) < n) r.insert(r.begin(), u'0');
    return r;
  };
  Texto r;
  for (size_t k = 0; k < ordem.size(); ++k) {
    if (k > 0) r.push_back(sep);
    r += ordem[k] == u'd' ? digitos(d, 2) : ordem[k] == u'M' ? digitos(m, 2) : digitos(a, 4);
  }
  return r;
}

bool LeData(const Texto& texto, const TFormatoRegional& fr, int& dias) {
  dias = 0;
  Texto ordem;
  char16_t sep;
  OrdemDaData(fr, ordem, sep);
  const Texto t = Trim(texto);
  int partes[3] = {0, 0, 0};
  int digitosAno = 0;
  size_t i = 0;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (i >= t.size() || t[i] != sep) return false;
      ++i;
    }
    int n = 0, v = 0;
    while (i < t.size() && EhDigito(t[i]) && n < 4) v = v * 10 + (t[i++] - u'0'), ++n;
    if (n == 0) return false;
    partes[k] = v;
    if (ordem[k] == u'y') digitosAno = n;
  }
  if (i != t.size()) return false;
  int d = 0, m = 0, a = 0;
  for (int k = 0; k < 3; ++k) (ordem[k] == u'd' ? d : ordem[k] == u'M' ? m : a) = partes[k];
  if (digitosAno <= 2) a += a < 50 ? 2000 : 1900;
  if (a < 1 || m < 1 || m > 12 || d < 1 || d > DiasNoMes(a, m)) return false;
  dias = int(DiasCivis(a, unsigned(m), unsigned(d)) - DiasCivis(1899, 12, 30));
  return true;
}

// ------------------------------------------------------------------ TMeuEdit

TMeuEdit::TMeuEdit(TControl* parent, Texto name) : TEdit(parent, std::move(name)) {
  SetColor(Rgb(0xFD, 0xF7, 0xFA));
  TFont f;
  f.Name = u"Arial";
  f.Size = 10;
  f.Color = clBlack;
  SetFont(f);
  SetText(u"");
}

void TMeuEdit::Recria() { Changed(Prop::Style); }

void TMeuEdit::Reformata() {
  if (fEditType == TwbrEditTypes::wbrNumeric)
    SetText(FormataNumero(fValueNumeric, fValueFormat, Regional));
  else if (fEditType == TwbrEditTypes::wbrInteger)
    SetText(IntToStr(fValueInteger));
}

void TMeuEdit::SetEditType(TwbrEditTypes v) {
  if (v == fEditType) return;
  fEditType = v;
  Reformata();
  Recria();
}

void TMeuEdit::SetValidChars(const Texto& v) {
  if (v == fValidChars) return;
  fValidChars = v;
  Recria();
}

void TMeuEdit::SetValueFormat(const Texto& v) {
  if (v == fValueFormat) return;
  fValueFormat = v;
  Reformata();
  Recria();
}

void TMeuEdit::SetValueNumeric(double v) {
  if (v == fValueNumeric) return;
  fValueNumeric = v;
  SetText(FormataNumero(v, fValueFormat, Regional));
  Recria();
}

void TMeuEdit::SetValueInteger(int32_t v) {
  if (v == fValueInteger) return;
  fValueInteger = v;
  SetText(IntToStr(v));
  Recria();
}

void TMeuEdit::SetExitOnEnterKey(bool v) {
  if (v == bExitOnEnterKey) return;
  bExitOnEnterKey = v;
  if (v && bMultiline)
    SetMultiLine(false);
  else
    Recria();
}

void TMeuEdit::SetMultiLine(bool v) {
  if (v == bMultiline) return;
  bMultiline = v;
  if (v) {
    bExitOnEnterKey = false;
  } else {
    Texto t;
    const Texto& atual = Text();
    for (size_t i = 0; i < atual.size(); ++i) {
      if (atual[i] == u'\r') {
        ++i;  // the CR and the character after it
        continue;
      }
      t.push_back(atual[i]);
    }
    SetText(t);
  }
}

void TMeuEdit::SetWordWrap(bool v) {
  if (v == WordWrap) return;
  WordWrap = v;
  Recria();
}

void TMeuEdit::KeyPress(char16_t& key) {
  constexpr char16_t kBackspace = 8, kEnter = 13, kEscape = 27;
  if (!fValidChars.empty() && fValidChars.find(key) == Texto::npos && key != kBackspace && key != kEnter) {
    key = 0;
    return;
  }
  const Texto& t = Text();
  if (fEditType == TwbrEditTypes::wbrNumeric) {
    const char16_t dec = Regional.SeparadorDecimal;
    if (key == u'.') key = dec;
    const bool aceita = key == kBackspace || key == kEnter || key == kEscape || key == u'%' || key == u'-' ||
                        EhDigito(key) || key == dec;
    if (!aceita) key = 0;
    if (key == dec && t.find(dec) != Texto::npos) key = 0;
    const int caret = SelStart < 0 ? int(t.size()) : SelStart;
    if (key == u'-' && (t.find(u'-') != Texto::npos || caret != 0)) key = 0;
  } else if (fEditType == TwbrEditTypes::wbrInteger) {
    if (!(key == kBackspace || key == kEnter || key == kEscape || EhDigito(key))) key = 0;
  }
  if (key == kEnter) {
    if (bExitOnEnterKey) {
      key = 0;
      if (TForm* f = Form()) f->SelectNext(*this);
    } else if (!bMultiline) {
      key = 0;
    }
  }
  if (key != 0) TEdit::KeyPress(key);
}

void TMeuEdit::Change() {
  if (fEditType == TwbrEditTypes::wbrString || Text().empty()) {
    fValueNumeric = 0;
    fValueInteger = 0;
  } else {
    // the thousands separators the display format put in are not part of the number
    Texto t;
    for (char16_t c : Text())
      if (c != Regional.SeparadorMilhar) t.push_back(c);
    LeDecimal(t, Regional, fValueNumeric);
    const double inteira = std::trunc(fValueNumeric);
    fValueInteger = inteira >= 2147483647.0 ? INT32_MAX : inteira <= -2147483648.0 ? INT32_MIN : int32_t(inteira);
  }
  TEdit::Change();
}

void TMeuEdit::DoEnter() {
  Reformata();
  SelectAll();
  TEdit::DoEnter();
}

void TMeuEdit::DoExit() {
  // Only a move to another control reformats: when the window closes the text stays
  // as the user left it (that is the answer read after the close).
  if (Showing()) Reformata();
  TEdit::DoExit();
}

// ------------------------------------------------------------------ TMaskEdit

TMaskEdit::TMaskEdit(TControl* parent, Texto name) : TEdit(parent, std::move(name)) {}

void TMaskEdit::SetEditMask(const Texto& m) {
  editMask_ = m;
  Texto partes[3];
  int k = 0;
  for (char16_t c : m) {
    if (c == u';' && k < 2) {
      ++k;
      continue;
    }
    partes[k].push_back(c);
  }
  mascara_ = partes[0];
  if (!mascara_.empty() && mascara_[0] == u'!') mascara_.erase(0, 1);
  if (!partes[2].empty()) branco_ = partes[2][0];
  MaxLength = int(mascara_.size());
  if (Text().size() != mascara_.size()) SetText(Vazio());
}

Texto TMaskEdit::Vazio() const {
  Texto r = mascara_;
  for (auto& c : r)
    if (c == u'9') c = branco_;
  return r;
}

Texto TMaskEdit::Valor() const {
  Texto r = Text();
  for (size_t i = 0; i < r.size(); ++i)
    if (EhPosicao(i) && r[i] == branco_) r[i] = u' ';
  return r;
}

bool TMaskEdit::Completo() const {
  const Texto& t = Text();
  if (t.size() != mascara_.size()) return false;
  for (size_t i = 0; i < t.size(); ++i)
    if (EhPosicao(i) && !EhDigito(t[i])) return false;
  return true;
}

void TMaskEdit::KeyPress(char16_t& key) {
  TEdit::KeyPress(key);
  if (key == 0) return;
  const char16_t c = key;
  key = 0;  // the mask does the typing itself
  if (c != 8 && !EhDigito(c)) return;
  Texto t = Text();
  if (t.size() != mascara_.size()) t = Vazio();
  size_t pos;
  if (SelStart >= 0) {
    pos = std::min(size_t(SelStart), t.size());
  } else {  // caret nowhere yet: at the first empty position
    pos = t.find(branco_);
    if (pos == Texto::npos) pos = t.size();
  }
  const size_t sel = SelLength > 0 ? std::min(size_t(SelLength), t.size() - pos) : 0;
  for (size_t i = pos; i < pos + sel; ++i)
    if (EhPosicao(i)) t[i] = branco_;
  if (c == 8) {
    if (sel == 0) {
      size_t i = pos;
      while (i > 0 && !EhPosicao(i - 1)) --i;
      if (i == 0) return;
      pos = i - 1;
      t[pos] = branco_;
    }
  } else {
    while (pos < t.size() && !EhPosicao(pos)) ++pos;
    if (pos >= t.size()) return;
    t[pos++] = c;
    while (pos < t.size() && !EhPosicao(pos)) ++pos;
  }
  SetText(t);
  SelStart = int(pos);
  SelLength = 0;
}

void TMaskEdit::DoEnter() {
  SelectAll();
  TEdit::DoEnter();
}

}  // namespace tevo
