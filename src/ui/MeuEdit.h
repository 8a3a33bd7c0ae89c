// TMeuEdit: the single-line edit of the information request. It restricts typing
// to the kind of value asked for (text, decimal number, whole number) and shows
// numbers in a fixed format with the machine's separators. Also the masked date
// field and the number and date readers the request decides its answer with.
#pragma once

#include <cstdint>

#include "toolkit/Controles.h"

namespace tevo {

enum class TwbrEditTypes : uint8_t { wbrString = 0, wbrNumeric = 1, wbrInteger = 2 };

// The machine's regional settings the edits and readers need.
struct TFormatoRegional {
  char16_t SeparadorDecimal = u',';
  char16_t SeparadorMilhar = u'.';
  Texto FormatoDataCurta = u"dd/MM/yyyy";
};

// A number written by a format: "#" optional digit, "0" digit, "," thousands
// separator, "." decimal separator (written with the machine's separators); other
// characters before and after the digits are kept as they stand.
Texto FormataNumero(double valor, const Texto& formato, const TFormatoRegional& fr);
// A decimal number in the machine's format (blanks around, sign, digits, decimal
// separator, exponent). False, and 0, when the text is not one.
bool LeDecimal(const Texto& texto, const TFormatoRegional& fr, double& valor);
// A whole 32-bit number (blanks around, sign, digits). False, and 0, when it is not one.
bool LeInteiro(const Texto& texto, int32_t& valor);
// A date in the machine's short date format, as days since 30 December 1899 (the
// day 0). False when the text is not a valid date.
bool LeData(const Texto& texto, const TFormatoRegional& fr, int& dias);
// A date (days since 30 December 1899) in the order and with the separator of the
// machine's short date format, day and month in two digits, the year in four.
Texto EscreveData(int dias, const TFormatoRegional& fr);

class TMeuEdit : public tk::TEdit {
 public:
  explicit TMeuEdit(tk::TControl* parent, Texto name = {});

  TwbrEditTypes EditType() const { return fEditType; }
  void SetEditType(TwbrEditTypes v);
  const Texto& ValidChars() const { return fValidChars; }
  void SetValidChars(const Texto& v);
  const Texto& ValueFormat() const { return fValueFormat; }
  void SetValueFormat(const Texto& v);
  double ValueNumeric() const { return fValueNumeric; }
  void SetValueNumeric(double v);
  int32_t ValueInteger() const { return fValueInteger; }
  void SetValueInteger(int32_t v);
  bool ExitOnEnterKey() const { return bExitOnEnterKey; }
  void SetExitOnEnterKey(bool v);
  bool MultiLine() const { return bMultiline; }
  void SetMultiLine(bool v);
  // Lines wrap (no horizontal auto-scroll); read through the WordWrap field.
  void SetWordWrap(bool v);

  // The machine's separators and date format (the owner form fills them in).
  TFormatoRegional Regional;

  void KeyPress(char16_t& key) override;
  void Change() override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void Reformata();
  void Recria();

  TwbrEditTypes fEditType = TwbrEditTypes::wbrString;
  Texto fValidChars;
  Texto fValueFormat = u"#,##0.00";
  double fValueNumeric = 0;
  int32_t fValueInteger = 0;
  bool bExitOnEnterKey = false;
  bool bMultiline = false;
};

// A masked edit: in the mask, '9' is a digit position and any other character a
// literal kept in the value. "!99/99/9999;1;_" is the date field: empty positions
// show the blank character '_'. Typing overwrites positions from the caret on.
class TMaskEdit : public tk::TEdit {
 public:
  explicit TMaskEdit(tk::TControl* parent, Texto name = {});
  // Mask as "!mask;save literals;blank" (only the mask and the blank are read).
  void SetEditMask(const Texto& mascara);
  const Texto& EditMask() const { return editMask_; }
  // The value with empty positions as blanks (what the field holds as text).
  Texto Valor() const;
  // Whether every digit position is filled.
  bool Completo() const;
  // The empty mask ("__/__/____").
  Texto Vazio() const;

  void KeyPress(char16_t& key) override;
  void DoEnter() override;

 private:
  bool EhPosicao(size_t i) const { return i < mascara_.size() && mascara_[i] == u'9'; }
  Texto editMask_, mascara_;
  char16_t branco_ = u'_';
};

}  // namespace tevo
