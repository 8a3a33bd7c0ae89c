// The embedded secret store: credentials kept enciphered in the program's RCDATA
// resource "CRIPTOS", a plain run of records (id: 1 byte, length: 1 byte, data).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/Texto.h"

namespace tevo {

// Record ids of one credential: the obfuscated key and the hex cipher text.
struct RegistrosCredencial {
  uint8_t chave;
  uint8_t segredo;
};

// The credential table. The name is compared upper-cased (letters a to z only);
// nothing when it is not a known credential.
std::optional<RegistrosCredencial> RegistrosDaCredencial(const Texto& VNome);

// Payload of the first record with that id in a CRIPTOS image; empty when there is
// none. A record cut short by the end of the image is not taken.
std::vector<uint8_t> ProcuraRegistroCripto(const std::vector<uint8_t>& VRecurso, uint8_t VId);

// The same, read from the program's resource "CRIPTOS".
// Throws ETevo(u"Error simpleDataSet not found.") when the resource is missing.
std::vector<uint8_t> LeRegistroCripto(Plataforma& plataforma, uint8_t VId);

// The plain value of a named credential. Throws ETevo on an unknown name
// ("Erro no getPass. Contate seu suporte e relate o ocorrido."), on a missing or broken
// key record ("VKeyChilkatofus inválida." or the hex parser's message), and when the
// secret cannot be deciphered (the getPass message; VMsgErroDetalhe keeps the cause).
Texto getPass(Plataforma& plataforma, const Texto& VNome);

}  // namespace tevo
