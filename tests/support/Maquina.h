// Test fixture: a fake machine, the headless backend and the main window made as
// the program makes it. Every message dialog shown is recorded and answered.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "app/Contexto.h"
#include "app/Principal.h"
#include "platform/fake/PlataformaFalsa.h"
#include "toolkit/headless/Headless.h"
#include "ui/Msg.h"

namespace tevo::teste {

struct Dialogo {
  Texto cabecalho;  // header caption
  Texto mensagem;   // message text without the leading line break and TAB
};

struct Maquina {
  PlataformaFalsa plat;
  tk::HeadlessBackend ui;
  Contexto ctx{plat, ui};
  std::unique_ptr<TFPrincipal> main_;
  std::vector<Dialogo> dialogos;
  // How the next dialogs are answered: true confirms (BotUm), false refuses (BotTres);
  // with none queued, OK is clicked when shown, else the dialog is refused.
  std::deque<bool> respostas;

  explicit Maquina(bool criar = true) {
    plat.versoes[plat.caminhoPrograma] = {12, 1, 1, 0};
    ui.responder = [this](tk::TForm& f) { Responde(f); };
    if (criar) Cria();
  }
  void Cria() {
    main_ = std::make_unique<TFPrincipal>(ctx);
    ctx.CriaProgressos();
    ctx.Msg();
    main_->Show();
  }
  TFPrincipal& main() { return *main_; }

  void Responde(tk::TForm& f) {
    auto* msg = dynamic_cast<TFMsg*>(&f);
    if (!msg) return;
    Texto t = msg->MemoMensagem.Text();
    while (!t.empty() && (t[0] == u'\r' || t[0] == u'\n' || t[0] == u'\t')) t.erase(0, 1);
    dialogos.push_back({msg->Cabecalho.Caption(), t});
    if (!respostas.empty()) {
      const bool sim = respostas.front();
      respostas.pop_front();
      (sim ? msg->BotUm : msg->BotTres).Click();
    } else if (msg->BotDois.Visible()) {
      msg->BotDois.Click();
    } else {
      msg->BotTres.Click();
    }
  }
  // The messages shown so far, in order.
  std::vector<Texto> Mensagens() const {
    std::vector<Texto> r;
    for (const auto& d : dialogos) r.push_back(d.mensagem);
    return r;
  }
};

}  // namespace tevo::teste
