// Test tool: a stand-in machine for the native tests. Registry, resources and the
// program's own file are plain maps; files live for real under a sandbox folder on
// disk, where a Windows path "C:\\a\\b.txt" becomes <raiz>/C/a/b.txt.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "platform/Plataforma.h"

namespace tevo {

class PlataformaFalsa : public Plataforma {
 public:
  // raiz: the sandbox folder (created when missing). Empty: a new temporary folder,
  // removed when the object is destroyed.
  explicit PlataformaFalsa(std::filesystem::path raiz = {});
  ~PlataformaFalsa() override;

  // --- what the tests set up
  Texto caminhoPrograma = u"C:\\Pacote\\InstalacaoTEVO.exe";
  std::map<Texto, VersaoArquivo> versoes;                       // by full file name
  std::map<Texto, std::vector<uint8_t>> recursos;               // RCDATA by name
  std::map<Texto, Texto> registro;                              // "HKLM\\chave\\valor" -> text
  // Answers the message box; default: Ok. Every box shown is recorded.
  std::function<RespostaCaixa(const Texto& texto, const Texto& titulo, TipoCaixa)> respondeCaixa;
  struct CaixaMostrada { Texto texto, titulo; TipoCaixa tipo; };
  std::vector<CaixaMostrada> caixas;

  uint16_t arquitetura = 9;                // x64
  std::vector<Texto> enderecosAbertos;     // every address opened
  std::vector<uint8_t> teclasInjetadas;    // every key injected
  std::optional<Texto> pastaEscolhida;     // the folder picker's answer (nothing: cancelled)
  std::vector<Texto> titulosSeletorPasta;  // every folder picker shown
  bool capsLock = false;
  // Regional settings: a Brazilian machine unless a test says otherwise.
  DataHoraTexto agora{u"09/12/2025", u"14:53:07"};
  char16_t separadorDecimal = u',', separadorMilhar = u'.';
  Texto formatoDataCurta = u"dd/MM/yyyy";

  // Where a Windows path lives on the real disk.
  std::filesystem::path Local(const Texto& caminhoWindows) const;
  const std::filesystem::path& Raiz() const { return raiz_; }

  // --- Plataforma
  Texto CaminhoPrograma() override { return caminhoPrograma; }
  std::optional<VersaoArquivo> VersaoDoArquivo(const Texto& arquivo) override;
  std::optional<std::vector<uint8_t>> RecursoRCData(const Texto& nome) override;
  std::optional<Texto> LeRegistroTexto(RaizRegistro raiz, const Texto& chave, const Texto& valor) override;
  bool ArquivoExiste(const Texto& caminho) override;
  bool PastaExiste(const Texto& caminho) override;
  bool CriaPastas(const Texto& caminho) override;
  std::unique_ptr<ArquivoLeitura> AbreLeitura(const Texto& caminho) override;
  std::unique_ptr<ArquivoEscrita> CriaArquivo(const Texto& caminho) override;
  bool DefineDataModificacao(const Texto& caminho, const DataHora& quando) override;
  // Reads the file as the system does an INI file without a byte-order mark: in the
  // ANSI code page (Windows-1252 here).
  Texto LeIniTexto(const Texto& arquivo, const Texto& secao, const Texto& chave, const Texto& padrao) override;
  Texto UltimoErro() override { return ultimoErro_; }
  RespostaCaixa CaixaMensagem(const Texto& texto, const Texto& titulo, TipoCaixa tipo) override;
  uint16_t ArquiteturaNativa() override { return arquitetura; }
  void AbreEndereco(const Texto& e) override { enderecosAbertos.push_back(e); }
  void InjetaTecla(uint8_t vk) override { teclasInjetadas.push_back(vk); }
  std::optional<Texto> SelecionaPasta(const Texto& titulo, const Texto&) override {
    titulosSeletorPasta.push_back(titulo);
    return pastaEscolhida;
  }
  bool CapsLockLigado() override { return capsLock; }
  DataHoraTexto AgoraTexto() override { return agora; }
  char16_t SeparadorDecimal() override { return separadorDecimal; }
  char16_t SeparadorMilhar() override { return separadorMilhar; }
  Texto FormatoDataCurta() override { return formatoDataCurta; }
  // Windows-1252, the ANSI code page of a Brazilian Windows.
  std::string ParaAnsi(const Texto& texto) override;

  static Texto ChaveRegistro(RaizRegistro raiz, const Texto& chave, const Texto& valor);

 private:
  std::filesystem::path raiz_;
  bool temporaria_ = false;
  Texto ultimoErro_;
};

}  // namespace tevo
