// Cipher primitives behind TChilKat's text operations and the CRIPTOS builder:
// hexadecimal and ANSI (Windows-1252) conversions, the key obfuscation permutation
// and RC2-CBC with PKCS#5 padding through libgcrypt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Texto.h"

namespace tevo::cripto {

using Bytes = std::vector<uint8_t>;

// The IV of every stored credential (8 bytes, as the cipher takes it: hex text).
inline constexpr char16_t kIVCredenciais[] = u"745623C6AB4EBDBE";

// RC2 settings: 64-bit blocks, the first 128 bits of the key, 128 effective bits.
inline constexpr size_t kBlocoRC2 = 8;
inline constexpr size_t kChaveRC2 = 16;

// "0A1b..." -> bytes. Nothing when the length is odd or a character is not a hex digit.
std::optional<Bytes> HexParaBytes(std::u16string_view hex);
// Two upper-case hex digits per byte.
Texto BytesParaHex(const Bytes& bytes);

// Windows-1252, the ANSI code page the program runs with.
Texto AnsiParaTexto(const Bytes& bytes);
// Nothing when a character has no Windows-1252 byte.
std::optional<Bytes> TextoParaAnsi(std::u16string_view texto);

// Key obfuscation. Output byte i is input byte (a*i + b) mod n, xor the mask byte
// i mod 16, xor (c*i + d) mod 256. PermutacaoValida(n) tells whether the positions
// form a permutation for n bytes (only then can a key be obfuscated).
Bytes DesofuscaBytes(const Bytes& ofuscados);
bool PermutacaoValida(size_t n);
// The inverse of DesofuscaBytes; n = chave.size() must satisfy PermutacaoValida.
Bytes OfuscaBytes(const Bytes& chave);

// RC2-CBC with PKCS#5 padding. chave: at least kChaveRC2 bytes (the first 16 are
// used); iv: kBlocoRC2 bytes. False with a clear Portuguese text in erro on failure
// (bad key or IV, cipher text not a whole number of blocks, wrong padding).
bool CifraRC2(bool cifrar, const Bytes& entrada, const Bytes& iv, const Bytes& chave, Bytes& saida,
              Texto& erro);

// Initialises libgcrypt once (version check, no secure memory pool).
void IniciaGcrypt();

// Overwrites a buffer that held key or plain-text bytes.
void Apaga(Bytes& b);

}  // namespace tevo::cripto
