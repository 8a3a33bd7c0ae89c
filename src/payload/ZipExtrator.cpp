#include "payload/ZipExtrator.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

namespace tevo::zip {

namespace {

constexpr size_t kTamLeitura = 1 << 20;   // read-ahead over the archive
constexpr size_t kTamPedaco = 256 << 10;  // compressed data handed over per step
constexpr size_t kPedacos = 8;             // buffers between the reader and the writer
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

// The extraction runs as a two-stage line: a reader thread reads each entry's stored data
// and deciphers it (and computes its authentication code), handing over pieces through a
// fixed set of buffers; the calling thread inflates, checks and writes them, so every call
// to the platform stays on the caller's thread. The traditional cipher is serial by
// nature and AES costs about as much as inflating, so the two stages overlap well.
struct Pedaco {
  size_t entrada = 0;
  std::vector<uint8_t>* buf = nullptr;  // nullptr: the entry's end (or a failure)
  size_t n = 0;
  Texto erro;                           // the reader's failure: nothing follows
  bool autenticado = true;              // at the end of an AES entry: the code matched
};

class Esteira {
 public:
  explicit Esteira(size_t buffers) : pool_(buffers, std::vector<uint8_t>(kTamPedaco)) {
    for (auto& b : pool_) livres_.push_back(&b);
  }
  // Reader side: a free buffer, or nullptr once the line was stopped.
  std::vector<uint8_t>* Livre() {
    std::unique_lock l(m_);
    cv_.wait(l, [&] { return parado_ || !livres_.empty(); });
    if (parado_) return nullptr;
    auto* b = livres_.back();
    livres_.pop_back();
    return b;
  }
  void Entrega(Pedaco p) {
    std::lock_guard l(m_);
    prontos_.push_back(std::move(p));
    cv_.notify_all();
  }
  // Writer side.
  Pedaco Proximo() {
    std::unique_lock l(m_);
    cv_.wait(l, [&] { return !prontos_.empty(); });
    Pedaco p = std::move(prontos_.front());
    prontos_.pop_front();
    return p;
  }
  void Devolve(std::vector<uint8_t>* b) {
    if (!b) return;
    std::lock_guard l(m_);
    livres_.push_back(b);
    cv_.notify_all();
  }
  void Para() {
    std::lock_guard l(m_);
    parado_ = true;
    cv_.notify_all();
  }
  bool Parado() {
    std::lock_guard l(m_);
    return parado_;
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::vector<std::vector<uint8_t>> pool_;
  std::vector<std::vector<uint8_t>*> livres_;
  std::deque<Pedaco> prontos_;
  bool parado_ = false;
};

// Buffers and decoders reused by every entry of one extraction.
struct ArquivoZip::Trabalho {
  explicit Trabalho(ArquivoLeitura& a) : leitura(a, kTamLeitura), saida(kTamSaida) {
    std::memset(&z, 0, sizeof z);
    zOk = inflateInit2(&z, -MAX_WBITS) == Z_OK;
  }
  ~Trabalho() {
    if (zOk) inflateEnd(&z);
  }
  LeituraBufferizada leitura;  // the reader thread's, while an extraction runs
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
    std::atomic<size_t> proxima{0};
    auto deriva = [&] {
      for (size_t k; (k = proxima.fetch_add(1)) < derivar.size();) {
        const Entrada& e = entradas_[derivar[k].entrada];
        ok[k] = DerivaChavesAes(senha_, e.aesForca, derivar[k].sal, preparo_[derivar[k].entrada].chaves);
      }
    };
    const size_t nAjudantes =
        std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), 8, (derivar.size() + 3) / 4}) - 1;
    std::vector<std::thread> ajudantes;
    try {
      while (ajudantes.size() < nAjudantes) ajudantes.emplace_back(deriva);
    } catch (const std::system_error&) {
      // fewer helpers: this thread does the rest
    }
    deriva();
    for (auto& th : ajudantes) th.join();
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
  Texto relativo, motivo;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    if (!CaminhoRelativo(e.nome, relativo, motivo)) {
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
  Esteira esteira(kPedacos);
  std::thread leitor;
  try {
    leitor = std::thread([&] { Produz(esteira); });
  } catch (const std::system_error&) {
    Falha(u"não foi possível iniciar a leitura do arquivo");
    return -1;
  }
  // however the loop ends, the reader is stopped and waited for
  struct Junta {
    Esteira& esteira;
    std::thread& leitor;
    ~Junta() {
      esteira.Para();
      leitor.join();
    }
  } junta{esteira, leitor};

  long long arquivos = 0;
  Texto pastaCriada = pasta;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    CaminhoRelativo(e.nome, relativo, motivo);  // accepted above
    const Texto destino = pasta + relativo;
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
    if (!ExtraiEntrada(i, esteira, *saida, destino)) return -1;
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

// The reader thread: for every file entry in order, its stored data deciphered in pieces,
// then an end mark carrying the result of the authentication code. Stops at the first
// failure (handing it over) or when the writer stops the line.
void ArquivoZip::Produz(Esteira& esteira) {
  Trabalho& t = *t_;
  for (size_t i = 0; i < entradas_.size(); ++i) {
    const Entrada& e = entradas_[i];
    if (e.EhPasta()) continue;
    if (esteira.Parado()) return;
    const Preparo& p = preparo_[i];
    auto falha = [&](const Texto& erro) {
      Pedaco f;
      f.entrada = i;
      f.erro = erro;
      esteira.Entrega(std::move(f));
    };
    uint64_t pos = p.dados.posicao;
    uint64_t resta = e.tamanhoCompactado;
    std::unique_ptr<CifraTradicional> tradicional;
    const bool aes = e.cifra == Cifra::Aes;
    if (e.cifra == Cifra::Tradicional) {
      tradicional = std::make_unique<CifraTradicional>(senha_);
      auto cab = t.leitura.Le(pos, CifraTradicional::kTamCabecalho);
      if (cab.size() < CifraTradicional::kTamCabecalho) return falha(u"não foi possível ler o arquivo");
      tradicional->Cabecalho(cab.data());
      pos += CifraTradicional::kTamCabecalho;
      resta -= CifraTradicional::kTamCabecalho;
    } else if (aes) {
      if (!t.aes.Inicia(p.chaves)) return falha(u"falha da biblioteca de criptografia ao preparar a chave AES");
      const size_t n = TamanhoSalAes(e.aesForca) + 2;
      pos += n;
      resta -= n + kTamAutenticacaoAes;
    }
    while (resta > 0) {
      std::vector<uint8_t>* buf = esteira.Livre();
      if (!buf) return;
      auto lido = t.leitura.Le(pos, static_cast<size_t>(std::min<uint64_t>(resta, kTamPedaco)));
      if (lido.empty()) {
        esteira.Devolve(buf);
        return falha(t.leitura.Erro() ? u"não foi possível ler o arquivo" : u"dados truncados (arquivo incompleto)");
      }
      if (tradicional) tradicional->Decifra(lido.data(), buf->data(), lido.size());
      else if (aes) t.aes.Decifra(lido.data(), buf->data(), lido.size());
      else std::memcpy(buf->data(), lido.data(), lido.size());
      pos += lido.size();
      resta -= lido.size();
      Pedaco d;
      d.entrada = i;
      d.buf = buf;
      d.n = lido.size();
      esteira.Entrega(std::move(d));
    }
    Pedaco fim;
    fim.entrada = i;
    if (aes) {
      auto codigo = t.leitura.Le(pos, kTamAutenticacaoAes);
      if (codigo.size() < kTamAutenticacaoAes) return falha(u"código de autenticação ausente (arquivo incompleto)");
      fim.autenticado = t.aes.ConfereAutenticacao(codigo.data());
    }
    esteira.Entrega(std::move(fim));
  }
}

// The writer's part of one entry: inflate, check, write. Writing stops at once when the
// data would exceed the declared size.
bool ArquivoZip::ExtraiEntrada(size_t i, Esteira& esteira, ArquivoEscrita& destino, const Texto& caminhoDestino) {
  const Entrada& e = entradas_[i];
  Trabalho& t = *t_;
  const bool deflate = e.metodo == kMetodoDeflate;
  if (deflate && (!t.zOk || inflateReset(&t.z) != Z_OK)) {
    FalhaEntrada(i, u"falha ao preparar a descompactação");
    return false;
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
  // Inflates one piece; the stream's end may come before the piece's end (the rest is ignored).
  bool fimDeflate = false;
  auto descompacta = [&](const uint8_t* dados, size_t n) {
    t.z.next_in = const_cast<Bytef*>(dados);
    t.z.avail_in = static_cast<uInt>(n);
    for (;;) {
      t.z.next_out = t.saida.data();
      t.z.avail_out = static_cast<uInt>(t.saida.size());
      const int r = inflate(&t.z, Z_NO_FLUSH);
      const size_t produzido = t.saida.size() - t.z.avail_out;
      if (produzido > 0 && !grava(t.saida.data(), produzido)) return false;
      if (r == Z_STREAM_END) {
        fimDeflate = true;
        return true;
      }
      if (r == Z_BUF_ERROR || (r == Z_OK && t.z.avail_in == 0 && t.z.avail_out != 0)) return true;  // wants more
      if (r != Z_OK) {
        FalhaEntrada(i, u"dados compactados inválidos (" + Utf16(t.z.msg ? t.z.msg : "erro do zlib") +
                            u"; arquivo corrompido)");
        return false;
      }
    }
  };

  bool autenticado = true, recebeu = false;
  for (;;) {
    Pedaco p = esteira.Proximo();
    if (!p.erro.empty()) {
      FalhaEntrada(p.entrada, p.erro);
      return false;
    }
    if (!p.buf) {  // the entry's end
      autenticado = p.autenticado;
      break;
    }
    recebeu = true;
    bool ok = true;
    if (!deflate) ok = grava(p.buf->data(), p.n);
    else if (!fimDeflate) ok = descompacta(p.buf->data(), p.n);
    esteira.Devolve(p.buf);
    if (!ok) return false;
  }
  // (an empty file some tools mark as deflated without storing even the empty stream is accepted)
  if (deflate && !fimDeflate && (recebeu || e.tamanho != 0)) {
    FalhaEntrada(i, u"dados compactados truncados (arquivo incompleto ou corrompido)");
    return false;
  }
  if (escrito != e.tamanho) {
    FalhaEntrada(i, u"tamanho descompactado (" + IntToStr(static_cast<long long>(escrito)) +
                        u" bytes) diferente do declarado (" + IntToStr(static_cast<long long>(e.tamanho)) +
                        u" bytes); arquivo corrompido");
    return false;
  }
  if (!autenticado) {
    FalhaEntrada(i, u"o código de autenticação AES não confere (dados alterados ou corrompidos)");
    return false;
  }
  if (e.TemCrc() && static_cast<uint32_t>(crc) != e.crc) {
    FalhaEntrada(i, u"CRC-32 não confere (dados corrompidos)");
    return false;
  }
  return true;
}

}  // namespace tevo::zip
