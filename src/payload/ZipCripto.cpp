#include "payload/ZipCripto.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#endif
#include <gcrypt.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace tevo::zip {

void IniciaGcrypt() {
  static const bool pronto = [] {
    if (!gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) {
      gcry_check_version(nullptr);
      gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
      gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    }
    return true;
  }();
  (void)pronto;
}

// ---------------------------------------------------------------- traditional PKWARE

CifraTradicional::CifraTradicional(std::string_view senha)
    : k0_(0x12345678), k1_(0x23456789), k2_(0x34567890),
      tabela_(reinterpret_cast<const uint32_t*>(get_crc_table())) {
  for (char c : senha) Atualiza(static_cast<uint8_t>(c));
}

inline void CifraTradicional::Atualiza(uint8_t c) {
  k0_ = tabela_[(k0_ ^ c) & 0xFF] ^ (k0_ >> 8);
  k1_ = (k1_ + (k0_ & 0xFF)) * 134775813u + 1;
  k2_ = tabela_[(k2_ ^ (k1_ >> 24)) & 0xFF] ^ (k2_ >> 8);
}

void CifraTradicional::Decifra(const uint8_t* entrada, uint8_t* saida, size_t n) {
  uint32_t k0 = k0_, k1 = k1_, k2 = k2_;
  const uint32_t* t = tabela_;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t temp = (k2 | 2) & 0xFFFF;
    const uint8_t c = static_cast<uint8_t>(entrada[i] ^ ((temp * (temp ^ 1)) >> 8));
    saida[i] = c;
    k0 = t[(k0 ^ c) & 0xFF] ^ (k0 >> 8);
    k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
    k2 = t[(k2 ^ (k1 >> 24)) & 0xFF] ^ (k2 >> 8);
  }
  k0_ = k0;
  k1_ = k1;
  k2_ = k2;
}

uint8_t CifraTradicional::Cabecalho(const uint8_t* cabecalho) {
  uint8_t claro[kTamCabecalho];
  Decifra(cabecalho, claro, kTamCabecalho);
  return claro[kTamCabecalho - 1];
}

// ---------------------------------------------------------------- WinZip AES

bool DerivaChavesAes(std::string_view senha, int forca, const uint8_t* sal, ChavesAes& chaves) {
  IniciaGcrypt();
  const size_t n = TamanhoChaveAes(forca);
  uint8_t derivada[2 * 32 + 2];
  if (gcry_kdf_derive(senha.data(), senha.size(), GCRY_KDF_PBKDF2, GCRY_MD_SHA1, sal, TamanhoSalAes(forca),
                      1000, 2 * n + 2, derivada) != 0)
    return false;
  chaves.tamanho = static_cast<uint8_t>(n);
  std::memcpy(chaves.cifra, derivada, n);
  std::memcpy(chaves.autenticacao, derivada + n, n);
  std::memcpy(chaves.verificador, derivada + 2 * n, 2);
  return true;
}

// WinZip's counter is little-endian in the first 8 bytes of the block, while libgcrypt's
// counter mode counts big-endian; so the key stream is made in ECB mode over a buffer of
// counter blocks (64 KiB at a time), which libgcrypt runs in bulk on the AES instructions.
struct DecifraAes::Estado {
  static constexpr size_t kBlocos = 4096;
  gcry_cipher_hd_t aes = nullptr;
  gcry_md_hd_t hmac = nullptr;
  uint64_t contador = 1;
  std::vector<uint8_t> fluxo = std::vector<uint8_t>(kBlocos * 16);
  size_t usado = kBlocos * 16;  // bytes of the key stream already used
};

DecifraAes::DecifraAes() : e_(std::make_unique<Estado>()) { IniciaGcrypt(); }

DecifraAes::~DecifraAes() {
  if (e_->aes) gcry_cipher_close(e_->aes);
  if (e_->hmac) gcry_md_close(e_->hmac);
}

bool DecifraAes::Inicia(const ChavesAes& chaves) {
  const int algo = chaves.tamanho == 16 ? GCRY_CIPHER_AES128 : chaves.tamanho == 24 ? GCRY_CIPHER_AES192
                                                                                     : GCRY_CIPHER_AES256;
  if (e_->aes) gcry_cipher_close(e_->aes);
  e_->aes = nullptr;
  if (gcry_cipher_open(&e_->aes, algo, GCRY_CIPHER_MODE_ECB, 0) != 0 ||
      gcry_cipher_setkey(e_->aes, chaves.cifra, chaves.tamanho) != 0)
    return false;
  if (e_->hmac) gcry_md_close(e_->hmac);
  e_->hmac = nullptr;
  if (gcry_md_open(&e_->hmac, GCRY_MD_SHA1, GCRY_MD_FLAG_HMAC) != 0) return false;
  if (gcry_md_setkey(e_->hmac, chaves.autenticacao, chaves.tamanho) != 0) return false;
  e_->contador = 1;
  e_->usado = e_->fluxo.size();
  return true;
}

void DecifraAes::GeraFluxo() {
  uint8_t* b = e_->fluxo.data();
  for (size_t k = 0; k < Estado::kBlocos; ++k, b += 16) {
    uint64_t c = e_->contador++;
    for (int i = 0; i < 8; ++i, c >>= 8) b[i] = static_cast<uint8_t>(c);
    std::memset(b + 8, 0, 8);
  }
  gcry_cipher_encrypt(e_->aes, e_->fluxo.data(), e_->fluxo.size(), nullptr, 0);
  e_->usado = 0;
}

void DecifraAes::Decifra(const uint8_t* entrada, uint8_t* saida, size_t n) {
  gcry_md_write(e_->hmac, entrada, n);
  while (n > 0) {
    if (e_->usado == e_->fluxo.size()) GeraFluxo();
    const size_t k = std::min(n, e_->fluxo.size() - e_->usado);
    const uint8_t* f = e_->fluxo.data() + e_->usado;
    size_t i = 0;
    for (; i + 8 <= k; i += 8) {
      uint64_t a, b;
      std::memcpy(&a, entrada + i, 8);
      std::memcpy(&b, f + i, 8);
      a ^= b;
      std::memcpy(saida + i, &a, 8);
    }
    for (; i < k; ++i) saida[i] = entrada[i] ^ f[i];
    e_->usado += k;
    entrada += k;
    saida += k;
    n -= k;
  }
}

bool DecifraAes::ConfereAutenticacao(const uint8_t* codigo) {
  const uint8_t* calculado = gcry_md_read(e_->hmac, GCRY_MD_SHA1);
  if (!calculado) return false;
  uint8_t dif = 0;
  for (size_t i = 0; i < kTamAutenticacaoAes; ++i) dif |= static_cast<uint8_t>(calculado[i] ^ codigo[i]);
  return dif == 0;
}

}  // namespace tevo::zip
