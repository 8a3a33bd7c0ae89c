#include "payload/CriptoMontagem.h"

#include <gcrypt.h>

#include <map>
#include <set>

#include "app/Publicas.h"
#include "payload/Cripto.h"
#include "payload/Segredos.h"

namespace tevo::cripto {

namespace {

Bytes Aleatorios(size_t n) {
  IniciaGcrypt();
  Bytes r(n);
  gcry_randomize(r.data(), r.size(), GCRY_STRONG_RANDOM);
  return r;
}

// Three random letters or digits.
Bytes Enchimento() {
  static constexpr char kAlfabeto[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr unsigned kTotal = sizeof(kAlfabeto) - 1;  // 62
  Bytes r;
  while (r.size() < 3) {
    for (uint8_t b : Aleatorios(8)) {
      if (b >= 256 / kTotal * kTotal) continue;  // keep the choice uniform
      r.push_back(static_cast<uint8_t>(kAlfabeto[b % kTotal]));
      if (r.size() == 3) break;
    }
  }
  return r;
}

void AcrescentaRegistro(Bytes& imagem, uint8_t id, const Texto& hex) {
  if (hex.size() > 255) throw ETevo(u"Registro " + IntToStr(id) + u" longo demais.");
  imagem.push_back(id);
  imagem.push_back(static_cast<uint8_t>(hex.size()));
  for (char16_t c : hex) imagem.push_back(static_cast<uint8_t>(c));
}

}  // namespace

Texto ProblemaDoValor(const Texto& valor) {
  if (valor.size() < kMinCredencial || valor.size() > kMaxCredencial)
    return u"tem " + IntToStr(static_cast<long long>(valor.size())) + u" caracteres; são aceitos de " +
           IntToStr(kMinCredencial) + u" a " + IntToStr(kMaxCredencial) + u".";
  for (char16_t c : valor)
    if (c < 0x21 || c > 0x7E)
      return u"tem caracteres fora do ASCII visível (espaços e acentos não são aceitos).";
  return {};
}

std::vector<uint8_t> MontaCriptos(const std::vector<std::pair<Texto, Texto>>& credenciais) {
  const Bytes iv = *HexParaBytes(kIVCredenciais);
  Bytes imagem;
  std::map<uint8_t, Bytes> chaves;  // key record id -> key
  std::set<uint8_t> segredos;

  for (const auto& [nome, valor] : credenciais) {
    const auto registros = RegistrosDaCredencial(nome);
    if (!registros) throw ETevo(u"Credencial desconhecida: \"" + nome + u"\".");
    if (!segredos.insert(registros->segredo).second)
      throw ETevo(u"Credencial repetida: \"" + nome + u"\".");
    if (Texto problema = ProblemaDoValor(valor); !problema.empty())
      throw ETevo(u"O valor de " + nome + u" " + problema);

    auto [it, nova] = chaves.try_emplace(registros->chave);
    if (nova) it->second = Aleatorios(kTamanhoChaveGuardada);
    const Bytes& chave = it->second;

    Bytes plano = Enchimento();
    for (char16_t c : valor) plano.push_back(static_cast<uint8_t>(c));
    Bytes cifra;
    Texto erro;
    const bool ok = CifraRC2(true, plano, iv, chave, cifra, erro);
    Apaga(plano);
    if (!ok) throw ETevo(u"Falha ao cifrar " + nome + u": " + erro);

    AcrescentaRegistro(imagem, registros->segredo, BytesParaHex(cifra));
    if (nova) AcrescentaRegistro(imagem, registros->chave, BytesParaHex(OfuscaBytes(chave)));
  }

  // Read every credential back the way the program does.
  for (const auto& [nome, valor] : credenciais) {
    const auto registros = RegistrosDaCredencial(nome);
    auto ofuscada = HexParaBytes(AnsiParaTexto(ProcuraRegistroCripto(imagem, registros->chave)));
    auto cifra = HexParaBytes(AnsiParaTexto(ProcuraRegistroCripto(imagem, registros->segredo)));
    Bytes plano;
    Texto erro;
    bool ok = ofuscada && cifra;
    if (ok) {
      Bytes chave = DesofuscaBytes(*ofuscada);
      ok = chave == chaves[registros->chave] && CifraRC2(false, *cifra, iv, chave, plano, erro) &&
           plano.size() == valor.size() + 3 && AnsiParaTexto(plano).substr(3) == valor;
      Apaga(chave);
    }
    Apaga(plano);
    if (!ok) throw ETevo(u"A verificação de " + nome + u" falhou. " + erro);
  }
  for (auto& [id, chave] : chaves) Apaga(chave);
  return imagem;
}

}  // namespace tevo::cripto
