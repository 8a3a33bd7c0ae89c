#include "ui/Validacao.h"

#include <algorithm>

#include "toolkit/Controles.h"

namespace tevo {

namespace {

bool EhDigito(char16_t c) { return c >= u'0' && c <= u'9'; }
bool EhLetra(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

Texto SoDigitos(const Texto& s) {
  Texto r;
  for (char16_t c : s)
    if (EhDigito(c)) r.push_back(c);
  return r;
}

bool TodosIguais(const Texto& s) {
  return std::all_of(s.begin(), s.end(), [&](char16_t c) { return c == s.front(); });
}

// Modulus-11 check digit over the characters' values (code minus 48), with the
// weights 2, 3, ... from the right, restarting at 2 after wrapping past pesoMax.
int DigitoModulo11(const Texto& s, int pesoMax) {
  int soma = 0, peso = 2;
  for (auto it = s.rbegin(); it != s.rend(); ++it) {
    soma += (static_cast<int>(*it) - 48) * peso;
    peso = peso == pesoMax ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

// Removes the first occurrence of a word (case-sensitive), when there is one.
void RemovePrimeira(Texto& s, const Texto& palavra) {
  const auto pos = s.find(palavra);
  if (pos != Texto::npos) s.erase(pos, palavra.size());
}

const Texto kMascaraCNPJ = u"##.###.###/####-##";
const Texto kMascaraCPF = u"###.###.###-##";

}  // namespace

Texto LimpaDocumento(const Texto& VDoc) {
  Texto r;
  for (char16_t c : VDoc)
    if (EhDigito(c) || EhLetra(c)) r.push_back(c);
  return r;
}

bool CPFValido(const Texto& VCPF) {
  if (VCPF.size() != 11 || !std::all_of(VCPF.begin(), VCPF.end(), EhDigito)) return false;
  // 000.000.000-00, 111.111.111-11 ... pass the check digits but are no one's number.
  if (TodosIguais(VCPF)) return false;
  const Texto base = VCPF.substr(0, 9);
  const int dv1 = DigitoModulo11(base, 11);
  const int dv2 = DigitoModulo11(base + static_cast<char16_t>(u'0' + dv1), 11);
  return VCPF[9] - u'0' == dv1 && VCPF[10] - u'0' == dv2;
}

bool CNPJValido(const Texto& VCNPJ) {
  if (VCNPJ.size() != 14) return false;
  // Root and order: digits or capital letters; the two check positions: digits only.
  for (size_t i = 0; i < 12; ++i)
    if (!EhDigito(VCNPJ[i]) && !(VCNPJ[i] >= u'A' && VCNPJ[i] <= u'Z')) return false;
  if (!EhDigito(VCNPJ[12]) || !EhDigito(VCNPJ[13])) return false;
  if (TodosIguais(VCNPJ)) return false;  // 00.000.000/0000-00
  const Texto base = VCNPJ.substr(0, 12);
  const int dv1 = DigitoModulo11(base, 9);
  const int dv2 = DigitoModulo11(base + static_cast<char16_t>(u'0' + dv1), 9);
  return VCNPJ[12] - u'0' == dv1 && VCNPJ[13] - u'0' == dv2;
}

bool DocumentoValido(const Texto& VDoc, bool VPermiteVazio) {
  const Texto doc = LimpaDocumento(VDoc);
  switch (doc.size()) {
    case 0: return VPermiteVazio;
    case 11: return CPFValido(doc);
    case 14: return CNPJValido(doc);
    default: return false;
  }
}

Texto ValidaDocumento(Plataforma& P, const Texto& VDoc, bool VPermiteVazio, bool VMostraMsg,
                      bool VFormata) {
  const Texto doc = LimpaDocumento(VDoc);
  if (doc.empty()) {
    if (VMostraMsg && !VPermiteVazio) MostraErroSimples(P, u"O dado é obrigatório.");
    return {};
  }
  if (doc.size() == 11 || doc.size() == 14) {
    if (DocumentoValido(doc, false)) return VFormata ? FormataDocumento(ftCPFouCNPJ, doc) : doc;
    if (VMostraMsg)
      MostraErroSimples(P, doc.size() == 11 ? u"O CPF informado é inválido."
                                            : u"O CNPJ informado é inválido.");
    return {};
  }
  if (VMostraMsg)
    MostraErroSimples(
        P, u"O dado informado é inválido. A quantidade de caracteres não está correta.");
  return {};
}

Texto FormataDocumento(int VTipo, const Texto& VTexto) {
  switch (VTipo) {
    case ftCNPJ: return AplicaMascara(kMascaraCNPJ, LimpaDocumento(VTexto));
    case ftCPF: return AplicaMascara(kMascaraCPF, SoDigitos(VTexto));
    case ftCPFouCNPJ: {
      const Texto doc = LimpaDocumento(VTexto);
      if (doc.size() > 11) return AplicaMascara(kMascaraCNPJ, doc);
      return AplicaMascara(kMascaraCPF, SoDigitos(doc));
    }
    case ftTelefone: return AplicaMascara(u"(##)####-####", SoDigitos(VTexto));
    case ftCelular: return AplicaMascara(u"(##)#####-####", SoDigitos(VTexto));
    case ftCEP: return AplicaMascara(u"#####-###", SoDigitos(VTexto));
    case ftChaveAcesso: {
      Texto chave = VTexto;
      for (const Texto palavra : {u"NFe", u"CTe", u"NFSe", u"MDFe"}) RemovePrimeira(chave, palavra);
      return AplicaMascara(
          u"####-####-####-####-####-####-####-####-####-####-####", LimpaDocumento(chave));
    }
    default: return VTexto;
  }
}

Texto FormataDocumento(tk::TEdit* VCampo, int VTipo, const Texto& VTexto) {
  const bool campo = VCampo && VCampo->kind() == tk::Kind::Edit;
  const Texto r = FormataDocumento(VTipo, campo ? VCampo->Text() : VTexto);
  if (campo) VCampo->SetText(r);
  return r;
}

Texto AplicaMascara(const Texto& VMascara, const Texto& VValor) {
  Texto r;
  size_t i = 0;
  for (char16_t m : VMascara) {
    if (i >= VValor.size()) break;
    if (m == u'#')
      r.push_back(VValor[i++]);
    else
      r.push_back(m);
  }
  return r;
}

void MostraErroSimples(Plataforma& P, const Texto& VMsg) {
  P.CaixaMensagem(VMsg, u"Houve um erro", TipoCaixa::Erro);
}

}  // namespace tevo
