// Test helper: writes small zip archives byte by byte, so a test can give an entry any
// name, flag, extra field, size or CRC it needs (hostile names, Zip64 records, lies about
// the size). Entries are stored or deflated, and may be WinZip AES encrypted (for the AE-1
// cases no tool at hand writes); archives from the real tools are the integration tests'.
#pragma once

#include <gcrypt.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "payload/ZipCripto.h"

namespace tevo::teste {

struct ItemZip {
  ItemZip(std::string n, std::string d) : nome(std::move(n)), dados(std::move(d)) {}
  ItemZip& Armazenado() { metodo = 0; return *this; }
  ItemZip& ComMetodo(uint16_t m) { metodo = m; return *this; }
  ItemZip& ComFlags(uint16_t f) { flags = f; return *this; }
  ItemZip& DeUnix(uint32_t modo = 0100644) { versaoCriador = 0x0314; atributosExternos = modo << 16; return *this; }
  ItemZip& ComExtra(std::string e) { extra = std::move(e); return *this; }
  ItemZip& ComCrc(uint32_t c) { crc = c; return *this; }
  ItemZip& DeclaraTamanho(uint64_t t) { tamanhoDeclarado = t; return *this; }
  ItemZip& EmZip64() { zip64 = true; return *this; }
  ItemZip& ComBruto(std::string b) { bruto = std::move(b); return *this; }
  // WinZip AES with the password "581947"; versao 1 = AE-1 (CRC kept), 2 = AE-2.
  ItemZip& ComAes(int forca, int versao) { aesForca = forca; aesVersao = versao; return *this; }

  std::string nome;               // the name's bytes as stored
  std::string dados;              // contents before compression
  uint16_t metodo = 8;            // 0 stored, 8 deflated (anything else is written as given, stored)
  uint16_t flags = 0;             // bit 11 = UTF-8 name, bit 3 = sizes after the data
  uint16_t versaoCriador = 20;    // host in the high byte: 0 MS-DOS, 3 Unix
  uint32_t atributosExternos = 0;
  std::string extra;              // extra fields of the central record
  uint16_t hora = (10 << 11) | (30 << 5) | 4;  // 10:30:08
  uint16_t data = ((2019 - 1980) << 9) | (7 << 5) | 15;  // 2019-07-15
  std::optional<uint32_t> crc;                 // instead of the real CRC
  std::optional<uint64_t> tamanhoDeclarado;    // instead of the real size
  bool zip64 = false;             // sizes and offset in a Zip64 extra field
  std::optional<std::string> bruto;  // the stored bytes as they are, instead of compressing dados
  int aesForca = 0, aesVersao = 0;
};

// salt + verification value + AES-CTR (little-endian counter from 1) + 10 bytes of HMAC-SHA1.
inline std::string CifraAes(const std::string& claro, int forca) {
  const size_t nChave = forca == 1 ? 16 : forca == 2 ? 24 : 32, nSal = nChave / 2;
  zip::IniciaGcrypt();
  const std::string sal = std::string("sal-de-teste-16b").substr(0, nSal);
  unsigned char k[66];
  gcry_kdf_derive("581947", 6, GCRY_KDF_PBKDF2, GCRY_MD_SHA1, sal.data(), nSal, 1000, 2 * nChave + 2, k);
  gcry_cipher_hd_t aes;
  gcry_cipher_open(&aes, forca == 1 ? GCRY_CIPHER_AES128 : forca == 2 ? GCRY_CIPHER_AES192 : GCRY_CIPHER_AES256,
                   GCRY_CIPHER_MODE_ECB, 0);
  gcry_cipher_setkey(aes, k, nChave);
  std::string cifrado = claro;
  for (size_t i = 0; i < cifrado.size(); i += 16) {
    unsigned char bloco[16] = {};
    const uint64_t contador = i / 16 + 1;
    for (int b = 0; b < 8; ++b) bloco[b] = static_cast<unsigned char>(contador >> (8 * b));
    gcry_cipher_encrypt(aes, bloco, 16, nullptr, 0);
    for (size_t b = 0; b < 16 && i + b < cifrado.size(); ++b) cifrado[i + b] ^= static_cast<char>(bloco[b]);
  }
  gcry_cipher_close(aes);
  gcry_md_hd_t hmac;
  gcry_md_open(&hmac, GCRY_MD_SHA1, GCRY_MD_FLAG_HMAC);
  gcry_md_setkey(hmac, k + nChave, nChave);
  gcry_md_write(hmac, cifrado.data(), cifrado.size());
  const std::string codigo(reinterpret_cast<const char*>(gcry_md_read(hmac, GCRY_MD_SHA1)), 10);
  gcry_md_close(hmac);
  return sal + std::string(reinterpret_cast<const char*>(k + 2 * nChave), 2) + cifrado + codigo;
}

inline void Poe16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void Poe32(std::string& s, uint32_t v) {
  Poe16(s, v & 0xFFFF);
  Poe16(s, v >> 16);
}
inline void Poe64(std::string& s, uint64_t v) {
  Poe32(s, static_cast<uint32_t>(v));
  Poe32(s, static_cast<uint32_t>(v >> 32));
}

inline std::string Deflate(const std::string& dados) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string saida(deflateBound(&z, dados.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(dados.data()));
  z.avail_in = static_cast<uInt>(dados.size());
  z.next_out = reinterpret_cast<Bytef*>(saida.data());
  z.avail_out = static_cast<uInt>(saida.size());
  deflate(&z, Z_FINISH);
  saida.resize(z.total_out);
  deflateEnd(&z);
  return saida;
}

inline uint32_t Crc(const std::string& s) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

// Extra field 0x7075: the UTF-8 name, tied to the stored name by its CRC.
inline std::string ExtraNomeUnicode(const std::string& nomeBruto, const std::string& utf8, bool crcCerto = true) {
  std::string e;
  Poe16(e, 0x7075);
  Poe16(e, static_cast<uint32_t>(5 + utf8.size()));
  e.push_back(1);
  Poe32(e, Crc(nomeBruto) ^ (crcCerto ? 0 : 1));
  return e + utf8;
}

// prefixo: bytes before the archive (a self-extractor's stub); fim64: Zip64 end records.
inline std::string MontaZip(const std::vector<ItemZip>& itens, const std::string& prefixo = {}, bool fim64 = false) {
  std::string arq = prefixo, central;
  for (const auto& it : itens) {
    std::string comp = it.bruto ? *it.bruto : it.metodo == 8 ? Deflate(it.dados) : it.dados;
    uint32_t crc = it.crc.value_or(Crc(it.dados));
    uint16_t metodo = it.metodo, flags = it.flags;
    std::string extraAes;
    if (it.aesForca) {
      comp = CifraAes(comp, it.aesForca);
      if (it.aesVersao == 2) crc = 0;
      Poe16(extraAes, 0x9901);
      Poe16(extraAes, 7);
      Poe16(extraAes, static_cast<uint32_t>(it.aesVersao));
      extraAes += "AE";
      extraAes.push_back(static_cast<char>(it.aesForca));
      Poe16(extraAes, it.metodo);
      metodo = 99;
      flags |= 1;
    }
    const uint64_t tam = it.tamanhoDeclarado.value_or(it.dados.size());
    const uint64_t pos = arq.size() - prefixo.size();
    const bool descritor = flags & 0x0008;
    std::string local;
    Poe32(local, 0x04034b50);
    Poe16(local, it.zip64 ? 45 : 20);
    Poe16(local, flags);
    Poe16(local, metodo);
    Poe16(local, it.hora);
    Poe16(local, it.data);
    Poe32(local, descritor ? 0 : crc);
    Poe32(local, descritor ? 0 : it.zip64 ? 0xFFFFFFFF : static_cast<uint32_t>(comp.size()));
    Poe32(local, descritor ? 0 : it.zip64 ? 0xFFFFFFFF : static_cast<uint32_t>(tam));
    Poe16(local, static_cast<uint32_t>(it.nome.size()));
    std::string extraLocal = extraAes;
    if (it.zip64) {
      Poe16(extraLocal, 1);
      Poe16(extraLocal, 16);
      Poe64(extraLocal, tam);
      Poe64(extraLocal, comp.size());
    }
    Poe16(local, static_cast<uint32_t>(extraLocal.size()));
    arq += local + it.nome + extraLocal + comp;
    if (descritor) {
      Poe32(arq, 0x08074b50);
      Poe32(arq, crc);
      Poe32(arq, static_cast<uint32_t>(comp.size()));
      Poe32(arq, static_cast<uint32_t>(tam));
    }
    std::string extra = it.extra + extraAes;
    if (it.zip64) {
      std::string z;
      Poe16(z, 1);
      Poe16(z, 24);
      Poe64(z, tam);
      Poe64(z, comp.size());
      Poe64(z, pos);
      extra = z + extra;
    }
    Poe32(central, 0x02014b50);
    Poe16(central, it.versaoCriador);
    Poe16(central, it.zip64 ? 45 : 20);
    Poe16(central, flags);
    Poe16(central, metodo);
    Poe16(central, it.hora);
    Poe16(central, it.data);
    Poe32(central, crc);
    Poe32(central, it.zip64 ? 0xFFFFFFFF : static_cast<uint32_t>(comp.size()));
    Poe32(central, it.zip64 ? 0xFFFFFFFF : static_cast<uint32_t>(tam));
    Poe16(central, static_cast<uint32_t>(it.nome.size()));
    Poe16(central, static_cast<uint32_t>(extra.size()));
    Poe16(central, 0);  // comment
    Poe16(central, 0);  // disk
    Poe16(central, 0);  // internal attributes
    Poe32(central, it.atributosExternos);
    Poe32(central, it.zip64 ? 0xFFFFFFFF : static_cast<uint32_t>(pos));
    central += it.nome + extra;
  }
  const uint64_t posCentral = arq.size() - prefixo.size();
  arq += central;
  if (fim64) {
    const uint64_t pos64 = arq.size() - prefixo.size();
    Poe32(arq, 0x06064b50);
    Poe64(arq, 44);
    Poe16(arq, 45);
    Poe16(arq, 45);
    Poe32(arq, 0);
    Poe32(arq, 0);
    Poe64(arq, itens.size());
    Poe64(arq, itens.size());
    Poe64(arq, central.size());
    Poe64(arq, posCentral);
    Poe32(arq, 0x07064b50);
    Poe32(arq, 0);
    Poe64(arq, pos64);
    Poe32(arq, 1);
  }
  Poe32(arq, 0x06054b50);
  Poe16(arq, 0);
  Poe16(arq, 0);
  Poe16(arq, fim64 ? 0xFFFF : static_cast<uint32_t>(itens.size()));
  Poe16(arq, fim64 ? 0xFFFF : static_cast<uint32_t>(itens.size()));
  Poe32(arq, fim64 ? 0xFFFFFFFF : static_cast<uint32_t>(central.size()));
  Poe32(arq, fim64 ? 0xFFFFFFFF : static_cast<uint32_t>(posCentral));
  Poe16(arq, 0);
  return arq;
}

}  // namespace tevo::teste
