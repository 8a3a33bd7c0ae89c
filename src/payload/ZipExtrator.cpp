#include "payload/ZipExtrator.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace tevo::zip {

namespace {

constexpr size_t kTamLeitura = 1 << 20;   // read-ahead over the archive
constexpr size_t kTamPedaco = 256 << 10;  // compressed data handled per step
constexpr size_t kTamSaida = 512 << 10;   // inflated data written per step

Texto Aspas(const Texto& t) { return u"\"" + t + u"\""; }

Texto NomeMetodo(uint16_t m) {
  switch (m) {
    case 1: return u"Shrink";
    case 6: return u"Implode";
    case 9: return u"Deflate64";
    case 12: return u"BZIP2";
    case 14: return u"LZMA";
    case 93: return u"Zstandard";
    case 95: return u"XZ";
    case 98: return u"PPMd";
    default: return IntToStr(m);
  }
}

}  // namespace

enum class Senha : uint8_t { NaoVerificada, Confere, NaoConfere, Ilegivel };

struct ArquivoZip::Preparo {
  bool localizado = false;
  Dados dados;
  Senha senha = Senha::NaoVerificada;
  ChavesAes chaves;
};

// Buffers and decoders reused by every entry of one extraction.
struct ArquivoZip::Trabalho {
  explicit Trabalho(ArquivoLeitura& a) : leitura(a, kTamLeitura), claro(kTamPedaco), saida(kTamSaida) {
    std::memset(&z, 0, sizeof z);
    zOk = inflateInit2(&z, -MAX_WBITS) == Z_OK;
  }
  ~Trabalho() {
    if (zOk) inflateEnd(&z);
  }
  LeituraBufferizada leitura;
  std::vector<uint8_t> claro;  // deciphered compressed data
  std::vector<uint8_t> saida;  // inflated data
  z_stream z;
  bool zOk = false;
  DecifraAes aes;
};

ArquivoZip::ArquivoZip(Plataforma& plataforma) : plat_(plataforma) {}
ArquivoZip::~ArquivoZip() = default;

void ArquivoZip::Falha(const Texto& causa) { erro_ = u"Arquivo " + Aspas(caminho_) + u": " + causa + u"."; }

void ArquivoZip::FalhaEntrada(size_t i, const Texto& causa) {
  erro_ = u"Arquivo " + Aspas(caminho_) + u", entrada " + Aspas(entradas_[i].nome) + u": " + causa + u".";
}

bool ArquivoZip::Abre(const Texto& caminho) {
  caminho_ = caminho;
  entradas_.clear();
  preparo_.clear();
  preparadas_ = false;
  t_.reset();
  dano_.clear();
  arquivo_ = plat_.AbreLeitura(caminho);
  if (!arquivo_) {
    Falha(u"não foi possível abrir (" + plat_.UltimoErro() + u")");
    return false;
  }
  Texto motivo;
  switch (LeDiretorio(*arquivo_, entradas_, motivo)) {
    case Leitura::Ok:
      break;
    case Leitura::Danificado:
      dano_ = motivo;
      break;
    case Leitura::NaoEhZip:
      Falha(motivo);
      arquivo_.reset();
      return false;
  }
  preparo_.resize(entradas_.size());
  return true;
}

void ArquivoZip::DefineSenha(const Texto& senha) {
  senha_ = Utf8(senha);
  preparadas_ = false;
  for (auto& p : preparo_) p.senha = Senha::NaoVerificada;
}

// Locates the data of the entries (all of them, or the encrypted ones only) and checks the
// password against each encrypted one. The AES keys, slow to derive on purpose, are derived
// on every processor at once and kept for the extraction.
bool ArquivoZip::Prepara(bool todas) {
  if (!t_) t_ = std::make_unique<Trabalho>(*arquivo_);
  struct Derivacao {
    size_t entrada;
    uint8_t sal[16 + 2];
  };
  std::vector<Derivacao> derivar;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    Preparo& p = preparo_[i];
    if (!todas && !e.Cifrada()) continue;
    if (!p.localizado) {
      Texto motivo;
      if (!LocalizaDados(t_->leitura, e, p.dados, motivo)) {
        FalhaEntrada(i, motivo);
        return false;
      }
      p.localizado = true;
    }
    if (p.senha != Senha::NaoVerificada) continue;
    if (e.cifra == Cifra::Tradicional) {
      auto cab = t_->leitura.Le(p.dados.posicao, CifraTradicional::kTamCabecalho);
      if (e.tamanhoCompactado < CifraTradicional::kTamCabecalho || cab.size() < CifraTradicional::kTamCabecalho) {
        p.senha = Senha::Ilegivel;
        continue;
      }
      CifraTradicional c(senha_);
      const uint8_t esperado = (e.flags & 0x0008) ? static_cast<uint8_t>(p.dados.horaLocal >> 8)
                                                  : static_cast<uint8_t>(e.crc >> 24);
      p.senha = c.Cabecalho(cab.data()) == esperado ? Senha::Confere : Senha::NaoConfere;
    } else if (e.cifra == Cifra::Aes) {
      const size_t nSal = TamanhoSalAes(e.aesForca);
      auto cab = t_->leitura.Le(p.dados.posicao, nSal + 2);
      if (e.tamanhoCompactado < nSal + 2 + kTamAutenticacaoAes || cab.size() < nSal + 2) {
        p.senha = Senha::Ilegivel;
        continue;
      }
      Derivacao d{i, {}};
      std::memcpy(d.sal, cab.data(), nSal + 2);
      derivar.push_back(d);
    }
  }

  if (!derivar.empty()) {
    std::vector<char> ok(derivar.size(), 0);
    auto deriva = [&](size_t inicio, size_t passo) {
      for (size_t k = inicio; k < derivar.size(); k += passo) {
        const Entrada& e = entradas_[derivar[k].entrada];
        ok[k] = DerivaChavesAes(senha_, e.aesForca, derivar[k].sal, preparo_[derivar[k].entrada].chaves);
      }
    };
    const size_t nThreads =
        std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), 8, (derivar.size() + 3) / 4});
    std::vector<std::thread> threads;
    for (size_t k = 1; k < nThreads; ++k) threads.emplace_back(deriva, k, nThreads);
    deriva(0, nThreads);
    for (auto& th : threads) th.join();
    for (size_t k = 0; k < derivar.size(); ++k) {
      const size_t i = derivar[k].entrada;
      Preparo& p = preparo_[i];
      if (!ok[k]) {
        FalhaEntrada(i, u"falha da biblioteca de criptografia ao derivar a chave AES");
        return false;
      }
      const uint8_t* pv = derivar[k].sal + TamanhoSalAes(entradas_[i].aesForca);
      p.senha = std::memcmp(pv, p.chaves.verificador, 2) == 0 ? Senha::Confere : Senha::NaoConfere;
    }
  }
  for (size_t i = 0; i < entradas_.size(); ++i) {
    if (preparo_[i].senha == Senha::NaoConfere) {
      FalhaEntrada(i, u"a senha não confere");
      return false;
    }
  }
  preparadas_ = true;
  return true;
}

bool ArquivoZip::VerificaSenha() {
  if (!arquivo_) return false;
  if (!dano_.empty()) return true;  // nothing can be checked; the extraction reports the damage
  if (Prepara(false)) return true;
  // a password that fails a check is refused; an entry that cannot be read is Extrai's to report
  for (const auto& p : preparo_)
    if (p.senha == Senha::NaoConfere) return false;
  return true;
}

long long ArquivoZip::Extrai(const Texto& pastaDada) {
  if (!arquivo_) {
    erro_ = u"Nenhum arquivo zip aberto.";
    return -1;
  }
  if (!dano_.empty()) {
    Falha(dano_);
    return -1;
  }
  const Texto pasta = IncluiBarra(pastaDada);

  // Everything is checked before the first byte is written.
  std::vector<Texto> relativos(entradas_.size());
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    Texto motivo;
    if (!CaminhoRelativo(e.nome, relativos[i], motivo)) {
      FalhaEntrada(i, u"nome recusado, " + motivo);
      return -1;
    }
    if (e.EhPasta()) continue;
    if (e.cifra == Cifra::Desconhecida) {
      FalhaEntrada(i, u"método de criptografia não suportado");
      return -1;
    }
    if (e.metodo != kMetodoArmazenado && e.metodo != kMetodoDeflate) {
      FalhaEntrada(i, u"método de compactação não suportado (" + NomeMetodo(e.metodo) + u")");
      return -1;
    }
  }
  if (!Prepara(true)) return -1;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    if (preparo_[i].senha == Senha::Ilegivel) {
      FalhaEntrada(i, u"o cabeçalho de criptografia está incompleto (arquivo danificado)");
      return -1;
    }
  }

  if (!plat_.CriaPastas(pasta)) {
    Falha(u"não foi possível criar a pasta de destino " + Aspas(pasta) + u" (" + plat_.UltimoErro() + u")");
    return -1;
  }
  long long arquivos = 0;
  Texto pastaCriada = pasta;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    const Texto destino = pasta + relativos[i];
    if (e.EhPasta()) {
      if (!plat_.CriaPastas(destino)) {
        FalhaEntrada(i, u"não foi possível criar a pasta " + Aspas(destino) + u" (" + plat_.UltimoErro() + u")");
        return -1;
      }
      continue;
    }
    const size_t barra = destino.rfind(u'\\');
    const Texto pai = destino.substr(0, barra + 1);
    if (pai != pastaCriada) {
      if (!plat_.CriaPastas(pai)) {
        FalhaEntrada(i, u"não foi possível criar a pasta " + Aspas(pai) + u" (" + plat_.UltimoErro() + u")");
        return -1;
      }
      pastaCriada = pai;
    }
    auto saida = plat_.CriaArquivo(destino);
    if (!saida) {
      FalhaEntrada(i, u"não foi possível criar o arquivo " + Aspas(destino) + u" (" + plat_.UltimoErro() + u")");
      return -1;
    }
    if (!ExtraiEntrada(i, *saida, destino)) return -1;
    if (!saida->Fecha()) {
      FalhaEntrada(i, u"não foi possível gravar o arquivo " + Aspas(destino) + u" (" + plat_.UltimoErro() + u")");
      return -1;
    }
    saida.reset();
    DataHora quando;
    if (DataHoraDos(e.dataDos, e.horaDos, quando)) plat_.DefineDataModificacao(destino, quando);
    ++arquivos;
  }
  return arquivos;
}

// Streams one entry: read, decipher, inflate, check, write. Writing stops at once when the
// data would exceed the declared size.
bool ArquivoZip::ExtraiEntrada(size_t i, ArquivoEscrita& destino, const Texto& caminhoDestino) {
  const Entrada& e = entradas_[i];
  const Preparo& p = preparo_[i];
  Trabalho& t = *t_;
  uint64_t pos = p.dados.posicao;
  uint64_t resta = e.tamanhoCompactado;

  std::unique_ptr<CifraTradicional> tradicional;
  bool aes = false;
  if (e.cifra == Cifra::Tradicional) {
    tradicional = std::make_unique<CifraTradicional>(senha_);
    auto cab = t.leitura.Le(pos, CifraTradicional::kTamCabecalho);
    tradicional->Cabecalho(cab.data());
    pos += CifraTradicional::kTamCabecalho;
    resta -= CifraTradicional::kTamCabecalho;
  } else if (e.cifra == Cifra::Aes) {
    if (!t.aes.Inicia(p.chaves)) {
      FalhaEntrada(i, u"falha da biblioteca de criptografia ao preparar a chave AES");
      return false;
    }
    aes = true;
    const size_t n = TamanhoSalAes(e.aesForca) + 2;
    pos += n;
    resta -= n + kTamAutenticacaoAes;
  }

  const bool deflate = e.metodo == kMetodoDeflate;
  if (deflate) {
    if (!t.zOk || inflateReset(&t.z) != Z_OK) {
      FalhaEntrada(i, u"falha ao preparar a descompactação");
      return false;
    }
    t.z.avail_in = 0;
  }
  uint64_t escrito = 0;
  uLong crc = crc32(0, nullptr, 0);
  auto grava = [&](const uint8_t* dados, size_t n) {
    if (n > e.tamanho - escrito) {
      FalhaEntrada(i, u"os dados descompactados excedem o tamanho declarado (arquivo corrompido)");
      return false;
    }
    if (e.TemCrc()) crc = crc32_z(crc, dados, n);
    if (!destino.Escreve(dados, n)) {
      FalhaEntrada(i, u"não foi possível gravar o arquivo " + Aspas(caminhoDestino) + u" (" + plat_.UltimoErro() +
                          u")");
      return false;
    }
    escrito += n;
    return true;
  };
  // The next piece of stored data, deciphered when the entry is encrypted.
  auto proximo = [&](std::span<const uint8_t>& pedaco) {
    pedaco = t.leitura.Le(pos, static_cast<size_t>(std::min<uint64_t>(resta, kTamPedaco)));
    if (pedaco.empty()) {
      FalhaEntrada(i, t.leitura.Erro() ? u"não foi possível ler o arquivo" : u"dados truncados (arquivo incompleto)");
      return false;
    }
    pos += pedaco.size();
    resta -= pedaco.size();
    if (tradicional) {
      tradicional->Decifra(pedaco.data(), t.claro.data(), pedaco.size());
      pedaco = {t.claro.data(), pedaco.size()};
    } else if (aes) {
      t.aes.Decifra(pedaco.data(), t.claro.data(), pedaco.size());
      pedaco = {t.claro.data(), pedaco.size()};
    }
    return true;
  };

  std::span<const uint8_t> pedaco;
  if (!deflate) {
    while (resta > 0) {
      if (!proximo(pedaco) || !grava(pedaco.data(), pedaco.size())) return false;
    }
  } else {
    bool fim = false;
    while (!fim) {
      if (t.z.avail_in == 0 && resta > 0) {
        if (!proximo(pedaco)) return false;
        t.z.next_in = const_cast<Bytef*>(pedaco.data());
        t.z.avail_in = static_cast<uInt>(pedaco.size());
      }
      t.z.next_out = t.saida.data();
      t.z.avail_out = static_cast<uInt>(t.saida.size());
      const int r = inflate(&t.z, Z_NO_FLUSH);
      const size_t produzido = t.saida.size() - t.z.avail_out;
      if (produzido > 0 && !grava(t.saida.data(), produzido)) return false;
      if (r == Z_STREAM_END) {
        fim = true;
      } else if (r == Z_BUF_ERROR || (r == Z_OK && t.z.avail_in == 0 && resta == 0 && produzido == 0)) {
        FalhaEntrada(i, u"dados compactados truncados (arquivo incompleto ou corrompido)");
        return false;
      } else if (r != Z_OK) {
        FalhaEntrada(i, u"dados compactados inválidos (" + Utf16(t.z.msg ? t.z.msg : "erro do zlib") +
                            u"; arquivo corrompido)");
        return false;
      }
    }
    // bytes after the end of the deflate stream still count for the authentication code
    while (aes && resta > 0) {
      if (!proximo(pedaco)) return false;
    }
  }
  if (escrito != e.tamanho) {
    FalhaEntrada(i, u"tamanho descompactado (" + IntToStr(static_cast<long long>(escrito)) +
                        u" bytes) diferente do declarado (" + IntToStr(static_cast<long long>(e.tamanho)) +
                        u" bytes); arquivo corrompido");
    return false;
  }
  if (aes) {
    auto codigo = t.leitura.Le(pos, kTamAutenticacaoAes);
    if (codigo.size() < kTamAutenticacaoAes) {
      FalhaEntrada(i, u"código de autenticação ausente (arquivo incompleto)");
      return false;
    }
    if (!t.aes.ConfereAutenticacao(codigo.data())) {
      FalhaEntrada(i, u"o código de autenticação AES não confere (dados alterados ou corrompidos)");
      return false;
    }
  }
  if (e.TemCrc() && static_cast<uint32_t>(crc) != e.crc) {
    FalhaEntrada(i, u"CRC-32 não confere (dados corrompidos)");
    return false;
  }
  return true;
}

}  // namespace tevo::zip
