// The zip object behind TChilKat::DescompactaZip: opens an archive, checks the password
// against every encrypted entry, and extracts everything into a folder through the
// platform port, streaming each entry with fixed buffers whatever its size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "payload/Zip.h"
#include "payload/ZipCripto.h"
#include "platform/Plataforma.h"

namespace tevo::zip {

class Esteira;

class ArquivoZip {
 public:
  explicit ArquivoZip(Plataforma& plataforma);
  ~ArquivoZip();
  ArquivoZip(const ArquivoZip&) = delete;
  ArquivoZip& operator=(const ArquivoZip&) = delete;

  // Opens the archive and reads its directory. False when the file cannot be opened or is
  // not a zip at all; an archive recognisably zip but damaged (a truncated file, say) opens,
  // and Extrai reports the damage.
  bool Abre(const Texto& caminho);
  void DefineSenha(const Texto& senha);
  // True when the password passes the check of every encrypted entry (the check byte of
  // traditional encryption, the verification value of WinZip AES). Reads only.
  bool VerificaSenha();
  // Extracts every entry into pasta (created when missing): names, methods and passwords of
  // all entries are checked before anything is written; then each file is written, its
  // CRC (and authentication code) checked, its modification time restored. Existing files
  // of the same name are overwritten. Gives the number of files written, or -1 on failure.
  long long Extrai(const Texto& pasta);

  // Our own text for the last failure, naming the archive, the entry and the cause.
  const Texto& UltimoErro() const { return erro_; }
  const std::vector<Entrada>& Entradas() const { return entradas_; }

 private:
  struct Preparo;
  struct Trabalho;
  bool Prepara(bool todas);
  void Produz(Esteira& esteira);
  bool ExtraiEntrada(size_t i, Esteira& esteira, ArquivoEscrita& destino, const Texto& caminhoDestino);
  void Falha(const Texto& causa);
  void FalhaEntrada(size_t i, const Texto& causa);

  Plataforma& plat_;
  Texto caminho_;
  std::unique_ptr<ArquivoLeitura> arquivo_;
  std::vector<Entrada> entradas_;
  Texto dano_;                     // why the directory could not be read, when it could not
  std::string senha_;
  std::vector<Preparo> preparo_;   // per entry: where its data is and what its password check found
  std::unique_ptr<Trabalho> t_;
  Texto erro_;
};

}  // namespace tevo::zip
