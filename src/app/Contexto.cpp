#include "app/Contexto.h"

#include "ui/Msg.h"
#include "ui/Progressos.h"

namespace tevo {

Contexto::Contexto(Plataforma& plataforma, tk::Backend& backend) : plat(plataforma), ui(backend) {}

Contexto::~Contexto() = default;

void Contexto::CriaProgressos() {
  if (!progressos_) progressos_ = std::make_unique<TFProgressos>(ui);
}

TFProgressos& Contexto::Progressos() {
  CriaProgressos();
  return *progressos_;
}

TFMsg& Contexto::Msg() {
  if (!msg_) msg_ = std::make_unique<TFMsg>(*this);
  return *msg_;
}

}  // namespace tevo
