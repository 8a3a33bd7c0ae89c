// The zip format as the setup reads it: the central directory (Zip64 included), the
// local headers, the entry names (UTF-8 or code page 437) and the rule that keeps every
// entry inside its target folder. Nothing here writes files; ZipExtrator does that.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Plataforma.h"
#include "platform/Texto.h"

namespace tevo::zip {

// Compression methods we extract.
inline constexpr uint16_t kMetodoArmazenado = 0;
inline constexpr uint16_t kMetodoDeflate = 8;
inline constexpr uint16_t kMetodoAes = 99;  // WinZip AES: the real method is in extra field 0x9901

enum class Cifra : uint8_t { Nenhuma, Tradicional, Aes, Desconhecida };

struct Entrada {
  std::string nomeBruto;     // the name's bytes as stored in the central directory
  Texto nome;                // decoded: UTF-8 (flag bit 11 or field 0x7075) or code page 437
  uint16_t versaoCriador = 0;
  uint16_t flags = 0;
  uint16_t metodo = 0;       // compression method, with WinZip AES already unwrapped
  uint32_t crc = 0;
  uint64_t tamanhoCompactado = 0;  // everything stored after the local header (cipher header included)
  uint64_t tamanho = 0;
  uint64_t posicaoLocal = 0;       // of the local header, already corrected for data before the archive
  uint16_t horaDos = 0, dataDos = 0;
  uint32_t atributosExternos = 0;
  Cifra cifra = Cifra::Nenhuma;
  uint8_t aesForca = 0;      // 1, 2, 3 = AES-128, -192, -256
  uint16_t aesVersao = 0;    // 1 = AE-1 (CRC kept), 2 = AE-2 (no CRC; the authentication code alone)

  bool EhPasta() const { return !nome.empty() && (nome.back() == u'/' || nome.back() == u'\\'); }
  bool Cifrada() const { return cifra != Cifra::Nenhuma; }
  // AE-2 entries carry no CRC; every other entry has its CRC checked.
  bool TemCrc() const { return !(cifra == Cifra::Aes && aesVersao == 2); }
};

// What reading the directory found.
enum class Leitura {
  Ok,          // the directory was read whole
  NaoEhZip,    // no end-of-directory record and no local header at the start: not a zip at all
  Danificado,  // recognisably a zip, but its directory is missing or broken (truncated, for instance)
};

// Reads the central directory of an archive. On NaoEhZip or Danificado, motivo says why.
Leitura LeDiretorio(ArquivoLeitura& arquivo, std::vector<Entrada>& entradas, Texto& motivo);

// Sequential reading with a large buffer: serves local headers and entry data from the
// same block, so thousands of small entries cost few reads.
class LeituraBufferizada {
 public:
  LeituraBufferizada(ArquivoLeitura& arquivo, size_t capacidade);
  uint64_t Tamanho() const { return arquivo_.Tamanho(); }
  // Up to n bytes from pos (n at most the capacity); fewer only at the end of the file.
  // Empty with erro set when the file could not be read.
  std::span<const uint8_t> Le(uint64_t pos, size_t n);
  bool Erro() const { return erro_; }

 private:
  ArquivoLeitura& arquivo_;
  std::vector<uint8_t> buf_;
  uint64_t inicio_ = 0;
  size_t tam_ = 0;
  bool erro_ = false;
};

// Where an entry's stored data begins (after its local header), and the local header's
// time field (the check byte of traditional encryption may come from it).
struct Dados {
  uint64_t posicao = 0;
  uint16_t horaLocal = 0;
};
bool LocalizaDados(LeituraBufferizada& leitura, const Entrada& e, Dados& dados, Texto& motivo);

// Code page 437 (the zip format's default for names without the UTF-8 flag).
Texto DecodificaCp437(std::string_view bytes);

// Checks an entry name and gives the path, relative to the target folder, where it is written
// (components joined by backslashes; a folder entry keeps no trailing backslash). Refused:
// absolute paths, drive letters and any colon, "..", names made only of dots and blanks,
// reserved device names (CON, NUL, COM1...) with or without extension, characters Windows
// does not accept in names. False with the cause in motivo.
bool CaminhoRelativo(const Texto& nome, Texto& relativo, Texto& motivo);

// Modification time of an entry, from its MS-DOS fields; false when they hold no valid date.
bool DataHoraDos(uint16_t data, uint16_t hora, DataHora& quando);

}  // namespace tevo::zip
