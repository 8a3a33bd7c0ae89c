// tdipack: packs a folder (recursively) into a password-protected ".tdi" archive, the
// format the setup extracts. WinZip AES-256 by default; names stored in UTF-8.
//
//   tdipack [-s SENHA] [-c aes256|aes192|aes128|tradicional|nenhuma] [-t] [-n 0-9] PASTA ARQUIVO.tdi
#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Publicas.h"

namespace fs = std::filesystem;

namespace {

const std::string kSenhaPacote = tevo::Utf8(tevo::kSenhaArquivos);

void Uso() {
  std::fprintf(stderr,
               "uso: tdipack [opções] PASTA ARQUIVO.tdi\n"
               "Compacta PASTA (com suas subpastas) num arquivo .tdi protegido por senha.\n"
               "  -s, --senha SENHA    senha do arquivo (padrão: a senha dos pacotes, %s)\n"
               "  -c, --cifra TIPO     aes256 (padrão), aes192, aes128, tradicional ou nenhuma\n"
               "  -t, --tradicional    o mesmo que --cifra tradicional (criptografia PKWARE)\n"
               "  -n, --nivel N        nível de compactação deflate, 0 (só armazena) a 9\n"
               "  -q, --quieto         não lista os arquivos incluídos\n",
               kSenhaPacote.c_str());
}

bool Falha(zip_t* z, const char* oque, const std::string& nome) {
  std::fprintf(stderr, "tdipack: %s \"%s\": %s\n", oque, nome.c_str(), zip_strerror(z));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string senha = kSenhaPacote;
  std::string cifra = "aes256";
  int nivel = -1;
  bool quieto = false;
  std::vector<std::string> posicionais;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valor = [&](std::string& v) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "tdipack: falta o valor de %s\n", a.c_str());
        std::exit(2);
      }
      v = argv[++i];
    };
    if (a == "-s" || a == "--senha") valor(senha);
    else if (a == "-c" || a == "--cifra") valor(cifra);
    else if (a == "-t" || a == "--tradicional") cifra = "tradicional";
    else if (a == "-n" || a == "--nivel") {
      std::string v;
      valor(v);
      nivel = std::atoi(v.c_str());
      if (v.empty() || nivel < 0 || nivel > 9) {
        std::fprintf(stderr, "tdipack: nível de compactação inválido: %s\n", v.c_str());
        return 2;
      }
    } else if (a == "-q" || a == "--quieto") quieto = true;
    else if (a == "-h" || a == "--help" || a == "--ajuda") {
      Uso();
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "tdipack: opção desconhecida: %s\n", a.c_str());
      Uso();
      return 2;
    } else posicionais.push_back(a);
  }
  if (posicionais.size() != 2) {
    Uso();
    return 2;
  }
  zip_uint16_t metodoCifra;
  if (cifra == "aes256") metodoCifra = ZIP_EM_AES_256;
  else if (cifra == "aes192") metodoCifra = ZIP_EM_AES_192;
  else if (cifra == "aes128") metodoCifra = ZIP_EM_AES_128;
  else if (cifra == "tradicional") metodoCifra = ZIP_EM_TRAD_PKWARE;
  else if (cifra == "nenhuma") metodoCifra = ZIP_EM_NONE;
  else {
    std::fprintf(stderr, "tdipack: cifra desconhecida: %s\n", cifra.c_str());
    return 2;
  }
  if (metodoCifra != ZIP_EM_NONE && !zip_encryption_method_supported(metodoCifra, 1)) {
    std::fprintf(stderr, "tdipack: esta libzip não sabe cifrar com %s\n", cifra.c_str());
    return 1;
  }
  if (metodoCifra != ZIP_EM_NONE && senha.empty()) {
    std::fprintf(stderr, "tdipack: a senha não pode ser vazia\n");
    return 2;
  }

  const fs::path pasta = posicionais[0];
  const std::string destino = posicionais[1];
  std::error_code ec;
  if (!fs::is_directory(pasta, ec)) {
    std::fprintf(stderr, "tdipack: a pasta \"%s\" não existe\n", pasta.c_str());
    return 1;
  }
  // Sorted, so the same folder always gives the same order of entries.
  std::vector<fs::path> itens;
  for (auto it = fs::recursive_directory_iterator(pasta, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_directory(ec) || it->is_regular_file(ec)) itens.push_back(it->path());
  }
  if (ec) {
    std::fprintf(stderr, "tdipack: não foi possível ler a pasta \"%s\": %s\n", pasta.c_str(), ec.message().c_str());
    return 1;
  }
  std::sort(itens.begin(), itens.end());
  if (itens.empty()) {
    // libzip writes no file for an archive without entries; a package may need an empty one
    static const unsigned char kVazio[22] = {'P', 'K', 5, 6};
    FILE* f = std::fopen(destino.c_str(), "wb");
    bool gravou = f && std::fwrite(kVazio, 1, sizeof kVazio, f) == sizeof kVazio;
    if (f && std::fclose(f) != 0) gravou = false;
    if (!gravou) {
      std::fprintf(stderr, "tdipack: não foi possível criar \"%s\"\n", destino.c_str());
      return 1;
    }
    return 0;
  }

  int erro = 0;
  zip_t* z = zip_open(destino.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
  if (!z) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, erro);
    std::fprintf(stderr, "tdipack: não foi possível criar \"%s\": %s\n", destino.c_str(), zip_error_strerror(&ze));
    zip_error_fini(&ze);
    return 1;
  }
  bool ok = true;
  for (const auto& item : itens) {
    std::string nome = fs::relative(item, pasta, ec).generic_string();
    zip_int64_t idx;
    if (fs::is_directory(item, ec)) {
      nome += '/';
      idx = zip_dir_add(z, nome.c_str(), ZIP_FL_ENC_UTF_8);
      if (idx < 0) {
        ok = Falha(z, "não foi possível incluir a pasta", nome);
        break;
      }
    } else {
      zip_source_t* fonte = zip_source_file(z, item.c_str(), 0, -1);
      if (!fonte) {
        ok = Falha(z, "não foi possível ler", item.string());
        break;
      }
      idx = zip_file_add(z, nome.c_str(), fonte, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
      if (idx < 0) {
        zip_source_free(fonte);
        ok = Falha(z, "não foi possível incluir", nome);
        break;
      }
      if (zip_set_file_compression(z, static_cast<zip_uint64_t>(idx), nivel == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                   nivel > 0 ? static_cast<zip_uint32_t>(nivel) : 0) < 0 ||
          (metodoCifra != ZIP_EM_NONE &&
           zip_file_set_encryption(z, static_cast<zip_uint64_t>(idx), metodoCifra, senha.c_str()) < 0)) {
        ok = Falha(z, "não foi possível preparar", nome);
        break;
      }
    }
    struct stat st;
    if (stat(item.c_str(), &st) == 0) zip_file_set_mtime(z, static_cast<zip_uint64_t>(idx), st.st_mtime, 0);
    if (!quieto) std::printf("  %s\n", nome.c_str());
  }
  if (!ok) {
    zip_discard(z);
    return 1;
  }
  if (zip_close(z) < 0) {
    std::fprintf(stderr, "tdipack: não foi possível gravar \"%s\": %s\n", destino.c_str(), zip_strerror(z));
    zip_discard(z);
    return 1;
  }
  return 0;
}
