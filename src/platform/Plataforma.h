// The platform port: everything the setup asks of the operating system.
// Adapters: platform/win32 (the real Win32 API) and platform/fake (tests).
// Paths are Windows paths in UTF-16 ("C:\\Pasta\\arquivo.txt").
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Texto.h"

namespace tevo {

// Fixed file version of a version resource: four 16-bit numbers.
struct VersaoArquivo {
  uint16_t maior = 0, menor = 0, release = 0, build = 0;
};

enum class RaizRegistro { LocalMachine, CurrentUser };

// Answers of the system message box.
enum class RespostaCaixa { Ok, Cancelar, Sim, Nao };
enum class TipoCaixa { Erro, Aviso, Informacao, Pergunta };

// A file opened for sequential reading.
class ArquivoLeitura {
 public:
  virtual ~ArquivoLeitura() = default;
  virtual uint64_t Tamanho() const = 0;
  // Reads up to n bytes at absolute offset pos; returns bytes read (0 at end), -1 on error.
  virtual long long LeEm(uint64_t pos, void* buf, size_t n) = 0;
};

// A file opened for writing (created or truncated).
class ArquivoEscrita {
 public:
  virtual ~ArquivoEscrita() = default;
  virtual bool Escreve(const void* buf, size_t n) = 0;
  // Flushes and closes; false when the data could not be written whole.
  virtual bool Fecha() = 0;
};

// Local time of a file's modification, as stored in a zip entry (MS-DOS fields).
struct DataHora {
  int ano = 1980, mes = 1, dia = 1, hora = 0, minuto = 0, segundo = 0;
};

// A moment as text in the machine's own formats.
struct DataHoraTexto {
  Texto data, hora;
};

class Plataforma {
 public:
  virtual ~Plataforma() = default;

  // --- the running program
  // Full file name of the running program.
  virtual Texto CaminhoPrograma() = 0;
  // Fixed file version of an executable or library; nothing when it has no version resource.
  virtual std::optional<VersaoArquivo> VersaoDoArquivo(const Texto& arquivo) = 0;
  // An RCDATA resource of the program's own module; nothing when it is missing.
  virtual std::optional<std::vector<uint8_t>> RecursoRCData(const Texto& nome) = 0;

  // --- registry (HKLM in the 64-bit view)
  virtual std::optional<Texto> LeRegistroTexto(RaizRegistro raiz, const Texto& chave,
                                               const Texto& valor) = 0;

  // --- files and folders
  virtual bool ArquivoExiste(const Texto& caminho) = 0;
  virtual bool PastaExiste(const Texto& caminho) = 0;
  // Creates a folder and every missing parent; true when it exists afterwards.
  virtual bool CriaPastas(const Texto& caminho) = 0;
  virtual std::unique_ptr<ArquivoLeitura> AbreLeitura(const Texto& caminho) = 0;
  virtual std::unique_ptr<ArquivoEscrita> CriaArquivo(const Texto& caminho) = 0;
  virtual bool DefineDataModificacao(const Texto& caminho, const DataHora& quando) = 0;
  // A value of an INI file, read with the system's profile-string reader (section and
  // key ignore case; the default when the file, section or key is missing).
  virtual Texto LeIniTexto(const Texto& arquivo, const Texto& secao, const Texto& chave, const Texto& padrao) = 0;
  // Text of the last failed file operation of this adapter (the system's own words).
  virtual Texto UltimoErro() = 0;

  // --- the system
  // Native processor architecture of the running Windows (PROCESSOR_ARCHITECTURE_*:
  // 9 x64, 6 Itanium, 12 ARM64, 0 x86), not the one the program was built for.
  virtual uint16_t ArquiteturaNativa() = 0;
  // Opens a file or web address with its default handler (shell verb "open", shown normally).
  virtual void AbreEndereco(const Texto& endereco) = 0;
  // The system's folder picker (a file-open dialog restricted to folders), owned by
  // the active window; nothing when the user cancels.
  virtual std::optional<Texto> SelecionaPasta(const Texto& titulo, const Texto& inicial) = 0;
  // Sends one key-down event of a virtual key into the system's keyboard input.
  virtual void InjetaTecla(uint8_t vk) = 0;
  // Whether Caps Lock is on (toggled on, or the key held down).
  virtual bool CapsLockLigado() = 0;

  // --- regional settings of the machine
  // Now, as the machine writes it: the date in its short date format and the time
  // in its long time format (on a Brazilian system "09/12/2025" and "14:53:07").
  virtual DataHoraTexto AgoraTexto() = 0;
  virtual char16_t SeparadorDecimal() = 0;
  virtual char16_t SeparadorMilhar() = 0;
  // The short date pattern ("dd/MM/yyyy"): d day, M month, y year, other characters literal.
  virtual Texto FormatoDataCurta() = 0;
  // The text in the machine's ANSI code page; characters it lacks become '?'.
  virtual std::string ParaAnsi(const Texto& texto) = 0;

  // --- user interface of the system
  // The system's standard message box, owned by the program's active window.
  virtual RespostaCaixa CaixaMensagem(const Texto& texto, const Texto& titulo, TipoCaixa tipo) = 0;
};

}  // namespace tevo
