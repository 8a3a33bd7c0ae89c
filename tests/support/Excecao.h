// Test helper: the message of the ETevo a call raises.
#pragma once

#include <functional>

#include "app/Publicas.h"

namespace tevo::teste {

inline Texto MensagemDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const ETevo& e) {
    return e.Mensagem;
  }
  return u"(nenhuma exceção)";
}

}  // namespace tevo::teste
