#include "payload/Segredos.h"

#include <algorithm>

#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "payload/Cripto.h"

namespace tevo {

namespace {

const Texto kMsgGetPass = u"Erro no getPass. Contate seu suporte e relate o ocorrido.";

}  // namespace

std::optional<RegistrosCredencial> RegistrosDaCredencial(const Texto& VNome) {
  const Texto nome = MaiusculoAscii(VNome);
  if (nome == u"BDTEVO") return RegistrosCredencial{202, 161};
  if (nome == u"BDSYS") return RegistrosCredencial{143, 199};
  if (nome == u"PWGERAL") return RegistrosCredencial{203, 178};
  // Any part of the e-mail list names an e-mail credential; an empty name is no part.
  static const Texto kEmails = u"EMAILFINANCEIRO.EMAILADMIN.EMAILBCKAUTO";
  if (!nome.empty() && kEmails.find(nome) != Texto::npos) {
    if (nome == u"EMAILFINANCEIRO") return RegistrosCredencial{204, 195};
    if (nome == u"EMAILADMIN") return RegistrosCredencial{204, 196};
    return RegistrosCredencial{204, 197};
  }
  if (nome == u"FTPTEVO") return RegistrosCredencial{205, 229};
  if (nome == u"BDONLINE") return RegistrosCredencial{205, 246};
  return std::nullopt;
}

std::vector<uint8_t> ProcuraRegistroCripto(const std::vector<uint8_t>& VRecurso, uint8_t VId) {
  size_t pos = 0;
  const size_t fim = VRecurso.size();
  while (fim - pos >= 2) {
    const uint8_t id = VRecurso[pos];
    const size_t tamanho = VRecurso[pos + 1];
    pos += 2;
    if (tamanho > fim - pos) break;  // record cut short: the image ends here
    if (id == VId)
      return std::vector<uint8_t>(VRecurso.begin() + static_cast<std::ptrdiff_t>(pos),
                                  VRecurso.begin() + static_cast<std::ptrdiff_t>(pos + tamanho));
    pos += tamanho;
  }
  return {};
}

std::vector<uint8_t> LeRegistroCripto(Plataforma& plataforma, uint8_t VId) {
  auto recurso = plataforma.RecursoRCData(u"CRIPTOS");
  if (!recurso) throw ETevo(u"Error simpleDataSet not found.");
  return ProcuraRegistroCripto(*recurso, VId);
}

Texto getPass(Plataforma& plataforma, const Texto& VNome) {
  TChilKat chilkat(plataforma);

  const auto registros = RegistrosDaCredencial(VNome);
  if (!registros) throw ETevo(kMsgGetPass);

  cripto::Bytes bytes = LeRegistroCripto(plataforma, registros->chave);
  const Texto chave = chilkat.DesofuscaChave(cripto::AnsiParaTexto(bytes));
  cripto::Apaga(bytes);

  bytes = LeRegistroCripto(plataforma, registros->segredo);
  const Texto cifra = cripto::AnsiParaTexto(bytes);

  Texto plano = chilkat.CriptDecriptTexto(false, cifra, cripto::kIVCredenciais, chave);
  // A failed decryption answers with the cipher's error text: never hand that out
  // as a credential.
  if (!VMsgErro.empty()) throw ETevo(kMsgGetPass);

  // The first three characters are filler.
  Texto valor = plano.size() > 3 ? plano.substr(3) : Texto();
  std::fill(plano.begin(), plano.end(), u'\0');
  return valor;
}

}  // namespace tevo
