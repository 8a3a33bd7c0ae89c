// criptos: builds the binary CRIPTOS resource of the setup program from a file of
// credential values.
//
//   criptos <credentials file> <output file>
//
// The credentials file holds lines NAME=value for BDTEVO and BDSYS (5 to 12 visible
// ASCII characters each); blank lines and lines starting with # are ignored. The
// output holds, in this order, the secret and key records of BDTEVO and of BDSYS
// (ids 161, 202, 199, 143; 204 bytes). Each run draws new keys and filler.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Publicas.h"
#include "payload/CriptoMontagem.h"

namespace {

constexpr size_t kTamanhoImagem = 204;

[[noreturn]] void Falha(const std::string& msg) {
  std::cerr << "criptos: " << msg << "\n";
  std::exit(1);
}

std::vector<std::pair<tevo::Texto, tevo::Texto>> LeCredenciais(const std::filesystem::path& arquivo) {
  std::ifstream in(arquivo, std::ios::binary);
  if (!in) Falha("não foi possível abrir " + arquivo.string());
  tevo::Texto bdtevo, bdsys;
  bool temBdtevo = false, temBdsys = false;
  std::string linha;
  int numero = 0;
  while (std::getline(in, linha)) {
    ++numero;
    if (!linha.empty() && linha.back() == '\r') linha.pop_back();
    if (numero == 1 && linha.rfind("\xEF\xBB\xBF", 0) == 0) linha.erase(0, 3);
    if (linha.empty() || linha[0] == '#') continue;
    const auto igual = linha.find('=');
    const std::string onde = arquivo.string() + ":" + std::to_string(numero);
    if (igual == std::string::npos) Falha(onde + ": linha sem '=' (NOME=valor)");
    const std::string nome = linha.substr(0, igual);
    const tevo::Texto valor = tevo::Utf16(linha.substr(igual + 1));
    bool* visto = nome == "BDTEVO" ? &temBdtevo : nome == "BDSYS" ? &temBdsys : nullptr;
    if (!visto) Falha(onde + ": credencial desconhecida '" + nome + "' (só BDTEVO e BDSYS)");
    if (*visto) Falha(onde + ": " + nome + " repetida");
    *visto = true;
    (nome == "BDTEVO" ? bdtevo : bdsys) = valor;
  }
  if (!temBdtevo || !temBdsys) Falha(arquivo.string() + ": faltam BDTEVO e/ou BDSYS");
  return {{u"BDTEVO", bdtevo}, {u"BDSYS", bdsys}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "uso: criptos <arquivo de credenciais> <arquivo CRIPTOS de saída>\n";
    return 2;
  }
  const std::filesystem::path destino = argv[2];
  std::vector<uint8_t> imagem;
  try {
    imagem = tevo::cripto::MontaCriptos(LeCredenciais(argv[1]));
  } catch (const tevo::ETevo& e) {
    Falha(e.what());
  }
  if (imagem.size() != kTamanhoImagem)
    Falha("a imagem tem " + std::to_string(imagem.size()) + " bytes; esperados " +
          std::to_string(kTamanhoImagem));

  // Written beside the target and renamed, so a failed run leaves no partial file.
  std::filesystem::path temporario = destino;
  temporario += ".tmp";
  {
    std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(imagem.data()), static_cast<std::streamsize>(imagem.size()));
    out.close();
    if (!out) Falha("não foi possível gravar " + temporario.string());
  }
  std::error_code ec;
  std::filesystem::rename(temporario, destino, ec);
  if (ec) Falha("não foi possível criar " + destino.string() + ": " + ec.message());
  return 0;
}
