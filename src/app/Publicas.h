// Types and globals shared by every part of the setup.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "platform/Texto.h"

namespace tevo {

// Installation type. Ordinals 1 to 7 are the items "1 - Servidor" to
// "7 - Multi BD - Estação Local" of the configuration page; fcNull is none.
enum class TFormaConexao : uint8_t {
  fcNull = 0,
  fcServidor = 1,
  fcEstLocal = 2,
  fcEstWeb = 3,
  fcServidorMulti = 4,
  fcEstWebMulti = 5,
  fcEstComServerLinuxMulti = 6,
  fcEstLocalMulti = 7,
};

// Server installations are the only ones that touch Firebird, the firewall and the database file.
inline bool EhTipoServidor(TFormaConexao t) {
  return t == TFormaConexao::fcServidor || t == TFormaConexao::fcServidorMulti;
}

// An error raised with a fixed Portuguese message; what() gives it in UTF-8.
class ETevo : public std::runtime_error {
 public:
  explicit ETevo(const Texto& mensagem) : std::runtime_error(Utf8(mensagem)), Mensagem(mensagem) {}
  Texto Mensagem;
};

// Password of every protected archive (.tdi) of the payload.
inline const Texto kSenhaArquivos = u"581947";

// The last failure reported by a routine that answers its caller with false:
// the base message and its detail (usually a library's or the server's text).
extern Texto VMsgErro;
extern Texto VMsgErroDetalhe;
void LimpaMsgErro();

}  // namespace tevo
