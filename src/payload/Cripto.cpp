#include "payload/Cripto.h"

#include <gcrypt.h>

#include <array>
#include <cstring>
#include <numeric>

namespace tevo::cripto {

namespace {

// Key obfuscation constants. a must be prime to the key length (33 bytes in use).
constexpr size_t kA = 7;
constexpr size_t kB = 5;
constexpr unsigned kC = 13;
constexpr unsigned kD = 0xA7;
constexpr std::array<uint8_t, 16> kMascara = {0x32, 0xBB, 0xFE, 0xBC, 0xAD, 0xC8, 0xFF, 0xE6,
                                              0x69, 0x6E, 0x3D, 0x58, 0xBB, 0xFE, 0xAB, 0xB2};

uint8_t Mistura(size_t i) {
  return static_cast<uint8_t>(kMascara[i % kMascara.size()] ^ ((kC * i + kD) & 0xFF));
}

// Windows-1252 bytes 0x80-0x9F. The five bytes the code page leaves undefined map
// to the control character of the same value, as Windows does.
constexpr std::array<char16_t, 32> kCp1252Alto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int DigitoHex(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

Texto TextoGcrypt(gcry_error_t e) { return Utf16(gcry_strerror(e)); }

}  // namespace

// Same set-up as the archive reader's, whichever of the two runs first.
void IniciaGcrypt() {
  if (!gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) {
    gcry_check_version(nullptr);
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
  }
}

std::optional<Bytes> HexParaBytes(std::u16string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  Bytes r;
  r.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int alto = DigitoHex(hex[i]), baixo = DigitoHex(hex[i + 1]);
    if (alto < 0 || baixo < 0) return std::nullopt;
    r.push_back(static_cast<uint8_t>(alto * 16 + baixo));
  }
  return r;
}

Texto BytesParaHex(const Bytes& bytes) {
  static constexpr char16_t kDigitos[] = u"0123456789ABCDEF";
  Texto r;
  r.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    r.push_back(kDigitos[b >> 4]);
    r.push_back(kDigitos[b & 0x0F]);
  }
  return r;
}

Texto AnsiParaTexto(const Bytes& bytes) {
  Texto r;
  r.reserve(bytes.size());
  for (uint8_t b : bytes)
    r.push_back(b >= 0x80 && b <= 0x9F ? kCp1252Alto[b - 0x80] : static_cast<char16_t>(b));
  return r;
}

std::optional<Bytes> TextoParaAnsi(std::u16string_view texto) {
  Bytes r;
  r.reserve(texto.size());
  for (char16_t c : texto) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      r.push_back(static_cast<uint8_t>(c));
      continue;
    }
    size_t k = 0;
    while (k < kCp1252Alto.size() && kCp1252Alto[k] != c) ++k;
    if (k == kCp1252Alto.size()) return std::nullopt;
    r.push_back(static_cast<uint8_t>(0x80 + k));
  }
  return r;
}

Bytes DesofuscaBytes(const Bytes& ofuscados) {
  const size_t n = ofuscados.size();
  Bytes r(n);
  for (size_t i = 0; i < n; ++i) r[i] = ofuscados[(kA * i + kB) % n] ^ Mistura(i);
  return r;
}

bool PermutacaoValida(size_t n) { return n > 0 && std::gcd(kA, n) == 1; }

Bytes OfuscaBytes(const Bytes& chave) {
  const size_t n = chave.size();
  Bytes r(n);
  if (!PermutacaoValida(n)) return {};
  for (size_t i = 0; i < n; ++i) r[(kA * i + kB) % n] = chave[i] ^ Mistura(i);
  return r;
}

bool CifraRC2(bool cifrar, const Bytes& entrada, const Bytes& iv, const Bytes& chave, Bytes& saida,
              Texto& erro) {
  saida.clear();
  if (chave.size() < kChaveRC2) {
    erro = u"A chave tem " + IntToStr(static_cast<long long>(chave.size() * 8)) +
           u" bits; o RC2 deste programa usa 128.";
    return false;
  }
  if (iv.size() != kBlocoRC2) {
    erro = u"O vetor de inicialização tem " + IntToStr(static_cast<long long>(iv.size())) +
           u" bytes; o RC2 usa 8.";
    return false;
  }
  Bytes dados;
  if (cifrar) {
    // PKCS#5: 1 to 8 bytes, each holding the count.
    const size_t pad = kBlocoRC2 - entrada.size() % kBlocoRC2;
    dados = entrada;
    dados.insert(dados.end(), pad, static_cast<uint8_t>(pad));
  } else {
    if (entrada.empty() || entrada.size() % kBlocoRC2 != 0) {
      erro = u"O texto cifrado tem " + IntToStr(static_cast<long long>(entrada.size())) +
             u" bytes, que não formam blocos inteiros de 8 bytes.";
      return false;
    }
    dados = entrada;
  }

  IniciaGcrypt();
  gcry_cipher_hd_t h = nullptr;
  // The effective key length of libgcrypt's RC2 is the length of the key given:
  // 16 bytes give the 128 effective bits.
  gcry_error_t e = gcry_cipher_open(&h, GCRY_CIPHER_RFC2268_128, GCRY_CIPHER_MODE_CBC, 0);
  if (!e) e = gcry_cipher_setkey(h, chave.data(), kChaveRC2);
  if (!e) e = gcry_cipher_setiv(h, iv.data(), iv.size());
  if (!e)
    e = cifrar ? gcry_cipher_encrypt(h, dados.data(), dados.size(), nullptr, 0)
               : gcry_cipher_decrypt(h, dados.data(), dados.size(), nullptr, 0);
  if (h) gcry_cipher_close(h);
  if (e) {
    Apaga(dados);
    erro = u"Falha na cifra RC2: " + TextoGcrypt(e) + u".";
    return false;
  }

  if (!cifrar) {
    const uint8_t pad = dados.back();
    bool ok = pad >= 1 && pad <= kBlocoRC2;
    for (size_t k = 0; ok && k < pad; ++k) ok = dados[dados.size() - 1 - k] == pad;
    if (!ok) {
      Apaga(dados);
      erro = u"O preenchimento do último bloco decifrado é inválido: chave ou IV errados, ou texto "
             u"cifrado danificado.";
      return false;
    }
    dados.resize(dados.size() - pad);
  }
  saida = std::move(dados);
  return true;
}

void Apaga(Bytes& b) {
  if (!b.empty()) {
    volatile uint8_t* p = b.data();
    for (size_t i = 0; i < b.size(); ++i) p[i] = 0;
  }
  b.clear();
}

}  // namespace tevo::cripto
