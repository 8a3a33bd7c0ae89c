// The real machine: the Win32 API behind the platform port.
#pragma once

#include <windows.h>

#include "platform/Plataforma.h"

namespace tevo {

class PlataformaWin32 : public Plataforma {
 public:
  Texto CaminhoPrograma() override;
  std::optional<VersaoArquivo> VersaoDoArquivo(const Texto& arquivo) override;
  std::optional<std::vector<uint8_t>> RecursoRCData(const Texto& nome) override;
  std::optional<Texto> LeRegistroTexto(RaizRegistro raiz, const Texto& chave, const Texto& valor) override;
  bool ArquivoExiste(const Texto& caminho) override;
  bool PastaExiste(const Texto& caminho) override;
  bool CriaPastas(const Texto& caminho) override;
  std::unique_ptr<ArquivoLeitura> AbreLeitura(const Texto& caminho) override;
  std::unique_ptr<ArquivoEscrita> CriaArquivo(const Texto& caminho) override;
  bool DefineDataModificacao(const Texto& caminho, const DataHora& quando) override;
  Texto LeIniTexto(const Texto& arquivo, const Texto& secao, const Texto& chave, const Texto& padrao) override;
  Texto UltimoErro() override { return ultimoErro_; }
  uint16_t ArquiteturaNativa() override;
  void AbreEndereco(const Texto& endereco) override;
  void InjetaTecla(uint8_t vk) override;
  std::optional<Texto> SelecionaPasta(const Texto& titulo, const Texto& inicial) override;
  RespostaCaixa CaixaMensagem(const Texto& texto, const Texto& titulo, TipoCaixa tipo) override;
  // regional settings and keyboard (PlataformaWin32Msg.cpp)
  bool CapsLockLigado() override;
  DataHoraTexto AgoraTexto() override;
  char16_t SeparadorDecimal() override;
  char16_t SeparadorMilhar() override;
  Texto FormatoDataCurta() override;
  std::string ParaAnsi(const Texto& texto) override;

  // Text of a system error code, in the system's language.
  static Texto TextoDoErro(DWORD codigo);

 private:
  void GuardaErro(DWORD codigo) { ultimoErro_ = TextoDoErro(codigo); }
  Texto ultimoErro_;
};

// UTF-16 text <-> Windows wide strings (same code units).
inline const wchar_t* W(const Texto& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }
inline Texto T(const wchar_t* s) { return s ? Texto(reinterpret_cast<const char16_t*>(s)) : Texto(); }
inline Texto T(const wchar_t* s, size_t n) { return Texto(reinterpret_cast<const char16_t*>(s), n); }

}  // namespace tevo
