// Builds CRIPTOS images: the inverse of getPass, for the resource builder and tests.
// Not used by the setup program itself.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Texto.h"

namespace tevo::cripto {

// Credentials take 5 to 12 printable ASCII characters without blanks, so that the
// three filler characters and the value fit in two RC2 blocks (32 hex digits).
inline constexpr size_t kMinCredencial = 5;
inline constexpr size_t kMaxCredencial = 12;
// Random cipher key per credential; the cipher uses its first 128 bits.
inline constexpr size_t kTamanhoChaveGuardada = 33;

// Checks one credential value; empty when it is acceptable, else why not.
Texto ProblemaDoValor(const Texto& valor);

// CRIPTOS image for the credentials given (name, value), in that order: for each, its
// secret record and then its key record (a key record already written for an earlier
// credential is shared, not written again). Each credential gets three random filler
// characters and, unless it shares one, a random key. The image is deciphered again
// before it is returned. Throws ETevo on an unknown or repeated name, a value
// ProblemaDoValor refuses, or a failed check.
std::vector<uint8_t> MontaCriptos(const std::vector<std::pair<Texto, Texto>>& credenciais);

}  // namespace tevo::cripto
