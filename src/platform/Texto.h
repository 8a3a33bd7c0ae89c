// Text helpers shared by every layer. All text is UTF-16 (std::u16string);
// conversion to UTF-8 happens only at the edges (adapters, tools, tests).
#pragma once

#include <string>
#include <string_view>

namespace tevo {

using Texto = std::u16string;

// Upper-cases only the letters a to z; everything else is kept as it is.
Texto MaiusculoAscii(std::u16string_view s);

// Removes leading and trailing blanks and control characters (code units <= 0x20).
Texto Trim(std::u16string_view s);

// Trims and appends a backslash when the text does not already end in one.
// An empty (or blank) text stays empty.
Texto IncluiBarra(std::u16string_view s);

// UTF-8 <-> UTF-16. Invalid sequences become U+FFFD.
Texto Utf16(std::string_view utf8);
std::string Utf8(std::u16string_view utf16);

// Decimal text of an integer, without leading zeros.
Texto IntToStr(long long v);

}  // namespace tevo
