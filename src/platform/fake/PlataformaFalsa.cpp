#include "platform/fake/PlataformaFalsa.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace tevo {

namespace {

class LeituraFalsa : public ArquivoLeitura {
 public:
  LeituraFalsa(FILE* f, uint64_t tam) : f_(f), tam_(tam) {}
  ~LeituraFalsa() override { std::fclose(f_); }
  uint64_t Tamanho() const override { return tam_; }
  long long LeEm(uint64_t pos, void* buf, size_t n) override {
    if (pos != atual_) {
      if (fseeko(f_, static_cast<off_t>(pos), SEEK_SET) != 0) return -1;
      atual_ = pos;
    }
    size_t r = std::fread(buf, 1, n, f_);
    if (r < n && std::ferror(f_)) return -1;
    atual_ += r;
    return static_cast<long long>(r);
  }

 private:
  FILE* f_;
  uint64_t tam_;
  uint64_t atual_ = 0;
};

class EscritaFalsa : public ArquivoEscrita {
 public:
  explicit EscritaFalsa(FILE* f) : f_(f) {}
  ~EscritaFalsa() override { if (f_) std::fclose(f_); }
  bool Escreve(const void* buf, size_t n) override {
    if (!f_) return false;
    if (std::fwrite(buf, 1, n, f_) != n) ok_ = false;
    return ok_;
  }
  bool Fecha() override {
    if (!f_) return false;
    bool ok = ok_ && std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
  }

 private:
  FILE* f_;
  bool ok_ = true;
};

}  // namespace

PlataformaFalsa::PlataformaFalsa(fs::path raiz) : raiz_(std::move(raiz)) {
  if (raiz_.empty()) {
    std::random_device rd;
    raiz_ = fs::temp_directory_path() / ("tevo-falsa-" + std::to_string(rd()) + std::to_string(rd()));
    temporaria_ = true;
  }
  fs::create_directories(raiz_);
}

PlataformaFalsa::~PlataformaFalsa() {
  if (temporaria_) {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
}

fs::path PlataformaFalsa::Local(const Texto& caminho) const {
  fs::path p = raiz_;
  Texto parte;
  auto junta = [&] {
    if (parte.empty()) return;
    // a drive "C:" becomes the folder "C"
    if (parte.size() == 2 && parte[1] == u':') parte.pop_back();
    p /= Utf8(parte);
    parte.clear();
  };
  for (char16_t c : caminho) {
    if (c == u'\\' || c == u'/') junta();
    else parte.push_back(c);
  }
  junta();
  return p;
}

Texto PlataformaFalsa::ChaveRegistro(RaizRegistro raiz, const Texto& chave, const Texto& valor) {
  return (raiz == RaizRegistro::LocalMachine ? u"HKLM\\" : u"HKCU\\") + MaiusculoAscii(chave) + u"\\" +
         MaiusculoAscii(valor);
}

std::optional<VersaoArquivo> PlataformaFalsa::VersaoDoArquivo(const Texto& arquivo) {
  auto it = versoes.find(arquivo);
  if (it == versoes.end()) return std::nullopt;
  return it->second;
}

std::optional<std::vector<uint8_t>> PlataformaFalsa::RecursoRCData(const Texto& nome) {
  auto it = recursos.find(MaiusculoAscii(nome));
  if (it == recursos.end()) return std::nullopt;
  return it->second;
}

std::optional<Texto> PlataformaFalsa::LeRegistroTexto(RaizRegistro raiz, const Texto& chave,
                                                      const Texto& valor) {
  // keys of the map may be given in any case
  const Texto procurada = ChaveRegistro(raiz, chave, valor);
  for (const auto& [k, v] : registro)
    if (MaiusculoAscii(k) == procurada) return v;
  return std::nullopt;
}

bool PlataformaFalsa::ArquivoExiste(const Texto& caminho) {
  std::error_code ec;
  return fs::is_regular_file(Local(caminho), ec);
}

bool PlataformaFalsa::PastaExiste(const Texto& caminho) {
  std::error_code ec;
  return fs::is_directory(Local(caminho), ec);
}

bool PlataformaFalsa::CriaPastas(const Texto& caminho) {
  std::error_code ec;
  fs::create_directories(Local(caminho), ec);
  if (ec) ultimoErro_ = Utf16(ec.message());
  return fs::is_directory(Local(caminho), ec);
}

std::unique_ptr<ArquivoLeitura> PlataformaFalsa::AbreLeitura(const Texto& caminho) {
  const auto local = Local(caminho);
  std::error_code ec;
  if (!fs::is_regular_file(local, ec)) {
    ultimoErro_ = u"O sistema não pode encontrar o arquivo especificado.";
    return nullptr;
  }
  FILE* f = std::fopen(local.c_str(), "rb");
  if (!f) {
    ultimoErro_ = Utf16(std::strerror(errno));
    return nullptr;
  }
  return std::make_unique<LeituraFalsa>(f, fs::file_size(local, ec));
}

std::unique_ptr<ArquivoEscrita> PlataformaFalsa::CriaArquivo(const Texto& caminho) {
  FILE* f = std::fopen(Local(caminho).c_str(), "wb");
  if (!f) {
    ultimoErro_ = Utf16(std::strerror(errno));
    return nullptr;
  }
  return std::make_unique<EscritaFalsa>(f);
}

bool PlataformaFalsa::DefineDataModificacao(const Texto& caminho, const DataHora& q) {
  std::tm tm{};
  tm.tm_year = q.ano - 1900;
  tm.tm_mon = q.mes - 1;
  tm.tm_mday = q.dia;
  tm.tm_hour = q.hora;
  tm.tm_min = q.minuto;
  tm.tm_sec = q.segundo;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return false;
  std::error_code ec;
  const auto agora_sys = std::chrono::system_clock::from_time_t(t);
  const auto ft = fs::file_time_type::clock::now() +
                  std::chrono::duration_cast<fs::file_time_type::duration>(agora_sys - std::chrono::system_clock::now());
  fs::last_write_time(Local(caminho), ft, ec);
  return !ec;
}

std::string PlataformaFalsa::ParaAnsi(const Texto& texto) {
  // 0x80 to 0x9F of Windows-1252 (0 where the code page has no character)
  static const char16_t k80[32] = {
      0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
  std::string r;
  r.reserve(texto.size());
  for (size_t i = 0; i < texto.size(); ++i) {
    const char16_t c = texto[i];
    char b = '?';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      b = static_cast<char>(c);
    } else {
      for (int k = 0; k < 32; ++k)
        if (k80[k] == c) b = static_cast<char>(0x80 + k);
      // a surrogate pair is one character: one '?'
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < texto.size() && texto[i + 1] >= 0xDC00 && texto[i + 1] <= 0xDFFF) ++i;
    }
    r.push_back(b);
  }
  return r;
}

Texto PlataformaFalsa::LeIniTexto(const Texto& arquivo, const Texto& secao, const Texto& chave, const Texto& padrao) {
  FILE* f = std::fopen(Local(arquivo).c_str(), "rb");
  if (!f) return padrao;
  std::string bytes;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
  std::fclose(f);
  // Windows-1252: the bytes 0x80-0x9F have their own characters, the rest are Latin-1
  static const char16_t k80[32] = {0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                   0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                   0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};
  Texto t;
  for (unsigned char c : bytes) t.push_back(c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : char16_t(c));
  const Texto sec = MaiusculoAscii(Trim(secao)), ch = MaiusculoAscii(Trim(chave));
  bool naSecao = false;
  size_t b = 0;
  while (b <= t.size()) {
    size_t e = t.find_first_of(u"\r\n", b);
    if (e == Texto::npos) e = t.size();
    const Texto linha = Trim(t.substr(b, e - b));
    b = e + 1;
    if (linha.empty() || linha[0] == u';') continue;
    if (linha[0] == u'[') {
      const size_t fim = linha.find(u']');
      naSecao = fim != Texto::npos && MaiusculoAscii(Trim(linha.substr(1, fim - 1))) == sec;
      continue;
    }
    const size_t igual = linha.find(u'=');
    if (naSecao && igual != Texto::npos && MaiusculoAscii(Trim(linha.substr(0, igual))) == ch) {
      Texto v = Trim(linha.substr(igual + 1));
      if (v.size() >= 2 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
      return v;
    }
  }
  return padrao;
}

RespostaCaixa PlataformaFalsa::CaixaMensagem(const Texto& texto, const Texto& titulo, TipoCaixa tipo) {
  caixas.push_back({texto, titulo, tipo});
  return respondeCaixa ? respondeCaixa(texto, titulo, tipo) : RespostaCaixa::Ok;
}

}  // namespace tevo
