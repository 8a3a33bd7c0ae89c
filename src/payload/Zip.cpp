#include "payload/Zip.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace tevo::zip {

namespace {

constexpr uint32_t kAssinaturaLocal = 0x04034b50;
constexpr uint32_t kAssinaturaCentral = 0x02014b50;
constexpr uint32_t kAssinaturaFim = 0x06054b50;
constexpr uint32_t kAssinaturaFim64 = 0x06064b50;
constexpr uint32_t kAssinaturaLocalizador64 = 0x07064b50;

constexpr size_t kTamFim = 22;
constexpr size_t kTamLocalizador64 = 20;
constexpr size_t kTamFim64 = 56;
constexpr size_t kTamCentral = 46;
constexpr size_t kTamLocal = 30;

uint16_t L16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t L32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint64_t L64(const uint8_t* p) { return L32(p) | (static_cast<uint64_t>(L32(p + 4)) << 32); }

// Reads exactly n bytes at pos; false when the file is shorter or unreadable.
bool LeExato(ArquivoLeitura& a, uint64_t pos, void* buf, size_t n) {
  auto* d = static_cast<uint8_t*>(buf);
  while (n > 0) {
    const long long r = a.LeEm(pos, d, n);
    if (r <= 0) return false;
    d += r;
    pos += static_cast<uint64_t>(r);
    n -= static_cast<size_t>(r);
  }
  return true;
}

const char16_t kCp437Alto[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Where the end-of-directory records say the directory is.
struct Fim {
  uint64_t posicao = 0;       // of the end record (or of the Zip64 end record, when there is one)
  uint64_t entradas = 0;
  uint64_t tamDiretorio = 0;
  uint64_t posDiretorio = 0;
  bool entradas16 = false;    // count taken from the 16-bit field (may have wrapped)
};

// Finds the end-of-central-directory record, searching back over a possible comment.
Leitura LeFim(ArquivoLeitura& a, Fim& fim, Texto& motivo) {
  const uint64_t tam = a.Tamanho();
  const size_t janela = static_cast<size_t>(std::min<uint64_t>(tam, kTamFim + 0xFFFF + kTamLocalizador64));
  std::vector<uint8_t> buf(janela);
  const uint64_t base = tam - janela;
  if (janela > 0 && !LeExato(a, base, buf.data(), janela)) {
    motivo = u"não foi possível ler o arquivo";
    return Leitura::NaoEhZip;
  }
  size_t achado = SIZE_MAX;
  for (size_t i = janela >= kTamFim ? janela - kTamFim + 1 : 0; i-- > 0;) {
    if (L32(&buf[i]) == kAssinaturaFim && i + kTamFim + L16(&buf[i + 20]) <= janela) {
      achado = i;
      break;
    }
  }
  if (achado == SIZE_MAX) {
    uint8_t inicio[4] = {};
    if (tam >= 4 && LeExato(a, 0, inicio, 4) && L32(inicio) == kAssinaturaLocal) {
      motivo = u"o diretório central não foi encontrado (arquivo truncado ou danificado)";
      return Leitura::Danificado;
    }
    motivo = u"não é um arquivo zip";
    return Leitura::NaoEhZip;
  }
  const uint8_t* r = &buf[achado];
  const uint64_t posFim = base + achado;
  const uint16_t disco = L16(r + 4), discoDir = L16(r + 6);
  fim.posicao = posFim;
  fim.entradas = L16(r + 10);
  fim.entradas16 = true;
  fim.tamDiretorio = L32(r + 12);
  fim.posDiretorio = L32(r + 16);

  // Zip64: a locator just before the end record points at the Zip64 end record.
  if (achado >= kTamLocalizador64 && L32(&buf[achado - kTamLocalizador64]) == kAssinaturaLocalizador64) {
    const uint64_t posLocalizador = posFim - kTamLocalizador64;
    uint64_t pos64 = L64(&buf[achado - kTamLocalizador64 + 8]);
    uint8_t r64[kTamFim64];
    bool ok = pos64 + kTamFim64 <= posLocalizador && LeExato(a, pos64, r64, kTamFim64) &&
              L32(r64) == kAssinaturaFim64;
    if (!ok && posLocalizador >= kTamFim64) {
      // data placed before the archive moves every offset; the record usually sits right before the locator
      pos64 = posLocalizador - kTamFim64;
      ok = LeExato(a, pos64, r64, kTamFim64) && L32(r64) == kAssinaturaFim64;
    }
    if (!ok) {
      motivo = u"o registro Zip64 do fim do diretório central está danificado";
      return Leitura::Danificado;
    }
    fim.posicao = pos64;
    fim.entradas = L64(r64 + 32);
    fim.entradas16 = false;
    fim.tamDiretorio = L64(r64 + 40);
    fim.posDiretorio = L64(r64 + 48);
    if (L32(r64 + 16) != 0 || L32(r64 + 20) != 0) {
      motivo = u"arquivos zip divididos em volumes não são aceitos";
      return Leitura::NaoEhZip;
    }
  } else if ((disco != 0 && disco != 0xFFFF) || (discoDir != 0 && discoDir != 0xFFFF)) {
    motivo = u"arquivos zip divididos em volumes não são aceitos";
    return Leitura::NaoEhZip;
  }
  return Leitura::Ok;
}

// The extra fields of a central directory entry that matter to extraction.
bool LeExtras(const uint8_t* p, size_t n, Entrada& e, bool usa64Tam, bool usa64Comp, bool usa64Pos,
              std::string& nomeUnicode, bool& temNomeUnicode, bool& temAes) {
  size_t i = 0;
  while (i + 4 <= n) {
    const uint16_t id = L16(p + i);
    const uint16_t tam = L16(p + i + 2);
    const uint8_t* d = p + i + 4;
    if (i + 4 + tam > n) break;  // a broken tail of extras is ignored, as other readers do
    if (id == 0x0001) {
      size_t k = 0;
      auto pega = [&](uint64_t& v) {
        if (k + 8 > tam) return false;
        v = L64(d + k);
        k += 8;
        return true;
      };
      if ((usa64Tam && !pega(e.tamanho)) || (usa64Comp && !pega(e.tamanhoCompactado)) ||
          (usa64Pos && !pega(e.posicaoLocal)))
        return false;
    } else if (id == 0x9901 && tam >= 7) {
      e.aesVersao = L16(d);
      e.aesForca = d[4];
      e.metodo = L16(d + 5);
      temAes = d[2] == 'A' && d[3] == 'E';
    } else if (id == 0x7075 && tam >= 5 && d[0] == 1) {
      const uint32_t crcNome = L32(d + 1);
      const auto crc = crc32(0, reinterpret_cast<const Bytef*>(e.nomeBruto.data()),
                             static_cast<uInt>(e.nomeBruto.size()));
      if (crc == crcNome) {
        nomeUnicode.assign(reinterpret_cast<const char*>(d + 5), tam - 5);
        temNomeUnicode = true;
      }
    }
    i += 4 + tam;
  }
  return true;
}

// Strictly valid UTF-8 holding at least one non-ASCII character.
bool EhUtf8NaoAscii(std::string_view s) {
  bool alto = false;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    alto = true;
    size_t n;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
    else return false;
    if (i + n >= s.size()) return false;
    for (size_t k = 1; k <= n; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return alto;
}

bool EhDispositivoReservado(std::u16string_view comp) {
  // The device name is what comes before the first dot, without trailing blanks.
  auto base = comp.substr(0, std::min(comp.find(u'.'), comp.size()));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  const Texto b = MaiusculoAscii(base);
  if (b == u"CON" || b == u"PRN" || b == u"AUX" || b == u"NUL" || b == u"CONIN$" || b == u"CONOUT$") return true;
  if (b.size() == 4 && (b.starts_with(u"COM") || b.starts_with(u"LPT"))) {
    const char16_t d = b[3];
    return (d >= u'0' && d <= u'9') || d == u'\u00B9' || d == u'\u00B2' || d == u'\u00B3';
  }
  return false;
}

}  // namespace

Texto DecodificaCp437(std::string_view bytes) {
  Texto r;
  r.reserve(bytes.size());
  for (unsigned char c : bytes) r.push_back(c < 0x80 ? static_cast<char16_t>(c) : kCp437Alto[c - 0x80]);
  return r;
}

Leitura LeDiretorio(ArquivoLeitura& arquivo, std::vector<Entrada>& entradas, Texto& motivo) {
  entradas.clear();
  Fim fim;
  const Leitura lf = LeFim(arquivo, fim, motivo);
  if (lf != Leitura::Ok) return lf;

  // Data put before the archive (a self-extracting stub) shifts every offset by the same amount.
  uint64_t desvio = 0;
  if (fim.tamDiretorio > fim.posicao) {
    motivo = u"o diretório central ultrapassa o início do arquivo (arquivo danificado)";
    return Leitura::Danificado;
  }
  const uint64_t esperado = fim.posicao - fim.tamDiretorio;
  if (fim.tamDiretorio > 0 && fim.posDiretorio != esperado) {
    uint8_t sig[4];
    const bool noLugar = fim.posDiretorio < esperado && LeExato(arquivo, fim.posDiretorio, sig, 4) &&
                         L32(sig) == kAssinaturaCentral;
    if (!noLugar) {
      if (fim.posDiretorio > esperado) {
        motivo = u"o diretório central ultrapassa o fim do arquivo (arquivo truncado)";
        return Leitura::Danificado;
      }
      desvio = esperado - fim.posDiretorio;
    }
  }

  LeituraBufferizada leitura(arquivo, 1 << 20);
  uint64_t pos = fim.posDiretorio + desvio;
  const uint64_t fimDir = pos + fim.tamDiretorio;
  // the count is only a hint: a record takes at least 46 bytes of the directory
  entradas.reserve(static_cast<size_t>(std::min(fim.entradas, fim.tamDiretorio / kTamCentral)));
  while (pos < fimDir) {
    auto cab = leitura.Le(pos, kTamCentral);
    if (cab.size() < kTamCentral || pos + kTamCentral > fimDir || L32(cab.data()) != kAssinaturaCentral) {
      motivo = u"o diretório central está danificado (registro inválido na posição " +
               IntToStr(static_cast<long long>(pos)) + u")";
      entradas.clear();
      return Leitura::Danificado;
    }
    Entrada e;
    const uint8_t* c = cab.data();
    e.versaoCriador = L16(c + 4);
    e.flags = L16(c + 8);
    e.metodo = L16(c + 10);
    e.horaDos = L16(c + 12);
    e.dataDos = L16(c + 14);
    e.crc = L32(c + 16);
    const uint32_t comp32 = L32(c + 20), tam32 = L32(c + 24);
    const size_t nNome = L16(c + 28), nExtra = L16(c + 30), nComent = L16(c + 32);
    e.atributosExternos = L32(c + 38);
    const uint32_t pos32 = L32(c + 42);
    e.tamanhoCompactado = comp32;
    e.tamanho = tam32;
    e.posicaoLocal = pos32;
    const uint64_t tamRegistro = kTamCentral + nNome + nExtra + nComent;
    auto var = leitura.Le(pos + kTamCentral, nNome + nExtra);
    if (pos + tamRegistro > fimDir || var.size() < nNome + nExtra) {
      motivo = u"o diretório central está danificado (registro incompleto)";
      entradas.clear();
      return Leitura::Danificado;
    }
    e.nomeBruto.assign(reinterpret_cast<const char*>(var.data()), nNome);
    std::string nomeUnicode;
    bool temNomeUnicode = false, temAes = false;
    const uint16_t metodoCabecalho = e.metodo;
    if (!LeExtras(var.data() + nNome, nExtra, e, tam32 == 0xFFFFFFFF, comp32 == 0xFFFFFFFF,
                  pos32 == 0xFFFFFFFF, nomeUnicode, temNomeUnicode, temAes)) {
      motivo = u"o campo Zip64 da entrada \"" + DecodificaCp437(e.nomeBruto) + u"\" está incompleto";
      entradas.clear();
      return Leitura::Danificado;
    }
    // Names are UTF-8 when flagged so (bit 11) or given again in the Unicode path field;
    // otherwise code page 437, except from Unix hosts, whose tools store the system's own
    // bytes: there a name that is valid UTF-8 is taken as UTF-8.
    const bool deUnix = (e.versaoCriador >> 8) == 3;
    if (e.flags & 0x0800) e.nome = Utf16(e.nomeBruto);
    else if (temNomeUnicode) e.nome = Utf16(nomeUnicode);
    else if (deUnix && EhUtf8NaoAscii(e.nomeBruto)) e.nome = Utf16(e.nomeBruto);
    else e.nome = DecodificaCp437(e.nomeBruto);

    if (metodoCabecalho == kMetodoAes) {
      e.cifra = temAes && e.aesForca >= 1 && e.aesForca <= 3 ? Cifra::Aes : Cifra::Desconhecida;
    } else {
      e.metodo = metodoCabecalho;
      if (e.flags & 0x0001) e.cifra = (e.flags & 0x0040) ? Cifra::Desconhecida : Cifra::Tradicional;
    }
    e.posicaoLocal += desvio;
    entradas.push_back(std::move(e));
    pos += tamRegistro;
  }
  const uint64_t lidas = entradas.size();
  const bool contaConfere = fim.entradas16 ? (lidas & 0xFFFF) == fim.entradas : lidas == fim.entradas;
  if (!contaConfere) {
    motivo = u"o diretório central está danificado (declara " + IntToStr(static_cast<long long>(fim.entradas)) +
             u" entradas e contém " + IntToStr(static_cast<long long>(lidas)) + u")";
    entradas.clear();
    return Leitura::Danificado;
  }
  return Leitura::Ok;
}

LeituraBufferizada::LeituraBufferizada(ArquivoLeitura& arquivo, size_t capacidade)
    : arquivo_(arquivo), buf_(capacidade) {}

std::span<const uint8_t> LeituraBufferizada::Le(uint64_t pos, size_t n) {
  n = std::min(n, buf_.size());
  if (pos < inicio_ || pos + n > inicio_ + tam_) {
    // keep what is still ahead of pos (a header split across two reads), then refill
    size_t manter = 0;
    if (pos >= inicio_ && pos < inicio_ + tam_) {
      manter = static_cast<size_t>(inicio_ + tam_ - pos);
      std::memmove(buf_.data(), buf_.data() + (pos - inicio_), manter);
    }
    inicio_ = pos;
    tam_ = manter;
    while (tam_ < n) {
      const long long r = arquivo_.LeEm(inicio_ + tam_, buf_.data() + tam_, buf_.size() - tam_);
      if (r < 0) {
        erro_ = true;
        tam_ = 0;
        return {};
      }
      if (r == 0) break;
      tam_ += static_cast<size_t>(r);
    }
  }
  const size_t off = static_cast<size_t>(pos - inicio_);
  return {buf_.data() + off, std::min(n, tam_ - off)};
}

bool LocalizaDados(LeituraBufferizada& leitura, const Entrada& e, Dados& dados, Texto& motivo) {
  auto cab = leitura.Le(e.posicaoLocal, kTamLocal);
  if (cab.size() < kTamLocal) {
    motivo = leitura.Erro() ? u"não foi possível ler o arquivo"
                            : u"o cabeçalho local está além do fim do arquivo (arquivo truncado)";
    return false;
  }
  if (L32(cab.data()) != kAssinaturaLocal) {
    motivo = u"o cabeçalho local está danificado";
    return false;
  }
  dados.horaLocal = L16(cab.data() + 10);
  dados.posicao = e.posicaoLocal + kTamLocal + L16(cab.data() + 26) + L16(cab.data() + 28);
  if (dados.posicao > leitura.Tamanho() || e.tamanhoCompactado > leitura.Tamanho() - dados.posicao) {
    motivo = u"os dados da entrada ultrapassam o fim do arquivo (arquivo truncado)";
    return false;
  }
  return true;
}

bool CaminhoRelativo(const Texto& nome, Texto& relativo, Texto& motivo) {
  relativo.clear();
  if (nome.empty()) {
    motivo = u"nome vazio";
    return false;
  }
  if (nome[0] == u'/' || nome[0] == u'\\') {
    motivo = u"caminho absoluto";
    return false;
  }
  size_t i = 0;
  while (i < nome.size()) {
    size_t j = i;
    while (j < nome.size() && nome[j] != u'/' && nome[j] != u'\\') ++j;
    const std::u16string_view comp(nome.data() + i, j - i);
    i = j + 1;
    if (comp.empty()) continue;  // "a//b" and the trailing separator of a folder
    if (comp.find(u':') != comp.npos) {
      motivo = u"contém dois-pontos (letra de unidade ou fluxo de dados alternativo)";
      return false;
    }
    if (comp.find_first_not_of(u". ") == comp.npos) {
      motivo = comp == u".." ? u"contém \"..\" (sairia da pasta de destino)"
                             : u"contém um componente formado só de pontos e espaços";
      return false;
    }
    for (char16_t c : comp) {
      if (c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') {
        motivo = u"contém caractere não permitido em nomes de arquivo";
        return false;
      }
    }
    if (EhDispositivoReservado(comp)) {
      motivo = u"usa um nome reservado de dispositivo do Windows";
      return false;
    }
    if (!relativo.empty()) relativo.push_back(u'\\');
    relativo.append(comp);
  }
  if (relativo.empty()) {
    motivo = u"nome vazio";
    return false;
  }
  return true;
}

bool DataHoraDos(uint16_t data, uint16_t hora, DataHora& q) {
  q.ano = 1980 + (data >> 9);
  q.mes = (data >> 5) & 0x0F;
  q.dia = data & 0x1F;
  q.hora = hora >> 11;
  q.minuto = (hora >> 5) & 0x3F;
  q.segundo = (hora & 0x1F) * 2;
  return q.mes >= 1 && q.mes <= 12 && q.dia >= 1 && q.hora < 24 && q.minuto < 60 && q.segundo < 60;
}

}  // namespace tevo::zip
