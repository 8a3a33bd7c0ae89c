// TChilKat's cipher operations: the run-time key reconstruction and RC2 text
// encryption/decryption (RC2-CBC, 128-bit key, 128 effective bits, PKCS#5, hex).
#include "payload/ChilKat.h"
#include "payload/Cripto.h"

namespace tevo {

using cripto::Bytes;

Texto TChilKat::DesofuscaChave(const Texto& VKeyChilkatofus) {
  if (VKeyChilkatofus.empty() || VKeyChilkatofus.size() % 2 != 0)
    throw ETevo(u"VKeyChilkatofus inválida.");

  Bytes ofuscados;
  ofuscados.reserve(VKeyChilkatofus.size() / 2);
  for (size_t i = 0; i < VKeyChilkatofus.size(); i += 2) {
    const Texto par = VKeyChilkatofus.substr(i, 2);
    auto b = cripto::HexParaBytes(par);
    if (!b) {
      cripto::Apaga(ofuscados);
      throw ETevo(u"'" + par + u"' não é um valor hexadecimal válido.");
    }
    ofuscados.push_back((*b)[0]);
  }

  Bytes chave = cripto::DesofuscaBytes(ofuscados);
  Texto resultado = cripto::BytesParaHex(chave);
  cripto::Apaga(ofuscados);
  cripto::Apaga(chave);
  return resultado;
}

Texto TChilKat::CriptDecriptTexto(bool VCriptografa, const Texto& VTexto, const Texto& VIV,
                                  const Texto& VChave) {
  LimpaMsgErro();

  Texto erro;
  Bytes entrada, saida;
  auto iv = cripto::HexParaBytes(VIV);
  auto chave = cripto::HexParaBytes(VChave);
  if (!iv) {
    erro = u"O vetor de inicialização não é um texto hexadecimal.";
  } else if (!chave) {
    erro = u"A chave não é um texto hexadecimal.";
  } else if (VCriptografa) {
    auto ansi = cripto::TextoParaAnsi(VTexto);
    if (ansi) entrada = std::move(*ansi);
    else erro = u"O texto tem caracteres que a página de código ANSI (Windows-1252) não representa.";
  } else {
    auto hex = cripto::HexParaBytes(VTexto);
    if (hex) entrada = std::move(*hex);
    else erro = u"O texto cifrado não é um texto hexadecimal.";
  }

  Texto resultado;
  if (erro.empty() && cripto::CifraRC2(VCriptografa, entrada, *iv, *chave, saida, erro))
    resultado = VCriptografa ? cripto::BytesParaHex(saida) : cripto::AnsiParaTexto(saida);
  cripto::Apaga(entrada);
  cripto::Apaga(saida);
  if (chave) cripto::Apaga(*chave);

  // An empty result stands for a failure: the caller gets the error text instead,
  // and the shared error texts say what went wrong.
  if (resultado.empty()) {
    if (erro.empty()) erro = u"O texto decifrado está vazio.";
    VMsgErro = VCriptografa ? u"Erro ao cifrar o texto." : u"Erro ao decifrar o texto.";
    VMsgErroDetalhe = erro;
    resultado = erro;
  }
  return resultado;
}

}  // namespace tevo
