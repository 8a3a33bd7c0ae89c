// The two zip encryptions the setup reads: the traditional PKWARE stream cipher and
// WinZip AES (AE-1 / AE-2, 128, 192 or 256 bits: PBKDF2-HMAC-SHA1 keys, AES in counter
// mode with a little-endian counter starting at 1, HMAC-SHA1 over the cipher text).
// Written on libgcrypt (and zlib's CRC table for the traditional cipher).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tevo::zip {

// Traditional PKWARE encryption. Every entry starts with a 12-byte header whose last
// byte, once deciphered, must match the check byte (high byte of the CRC, or of the
// modification time when the sizes come after the data).
class CifraTradicional {
 public:
  static constexpr size_t kTamCabecalho = 12;
  explicit CifraTradicional(std::string_view senha);
  // Deciphers the header and gives its check byte.
  uint8_t Cabecalho(const uint8_t* cabecalho);
  void Decifra(const uint8_t* entrada, uint8_t* saida, size_t n);

 private:
  void Atualiza(uint8_t c);
  uint32_t k0_, k1_, k2_;
  const uint32_t* tabela_;
};

// Keys of one WinZip AES entry, derived from the password and the entry's salt.
struct ChavesAes {
  uint8_t cifra[32] = {};
  uint8_t autenticacao[32] = {};
  uint8_t verificador[2] = {};
  uint8_t tamanho = 0;  // key length in bytes: 16, 24 or 32
};

inline constexpr size_t kTamAutenticacaoAes = 10;
inline size_t TamanhoSalAes(int forca) { return forca == 1 ? 8 : forca == 2 ? 12 : 16; }
inline size_t TamanhoChaveAes(int forca) { return forca == 1 ? 16 : forca == 2 ? 24 : 32; }

// PBKDF2-HMAC-SHA1, 1000 rounds. False only on a library failure.
bool DerivaChavesAes(std::string_view senha, int forca, const uint8_t* sal, ChavesAes& chaves);

// Deciphers one WinZip AES entry in pieces; the authentication code covers the cipher text.
class DecifraAes {
 public:
  DecifraAes();
  ~DecifraAes();
  DecifraAes(const DecifraAes&) = delete;
  DecifraAes& operator=(const DecifraAes&) = delete;

  bool Inicia(const ChavesAes& chaves);
  void Decifra(const uint8_t* entrada, uint8_t* saida, size_t n);
  // Compares the stored 10-byte code with the HMAC of everything given to Decifra.
  bool ConfereAutenticacao(const uint8_t* codigo);

 private:
  void GeraFluxo();
  struct Estado;
  std::unique_ptr<Estado> e_;
};

// libgcrypt is set up once per process before its first use.
void IniciaGcrypt();

}  // namespace tevo::zip
