// tdiextrai: extracts a ".tdi" archive on Linux with TChilKat::DescompactaZip, the same
// code the setup runs, writing straight to disk (the test platform rooted at "/").
//
//   tdiextrai ARQUIVO.tdi PASTA [SENHA]
#include <cstdio>
#include <filesystem>

#include "app/Publicas.h"
#include "payload/ChilKat.h"
#include "platform/fake/PlataformaFalsa.h"

using namespace tevo;

namespace {

// "/tmp/x.tdi" -> "\tmp\x.tdi", which the test platform rooted at "/" maps back to /tmp/x.tdi.
Texto CaminhoWindows(const std::filesystem::path& p) {
  Texto t = Utf16(std::filesystem::absolute(p).lexically_normal().string());
  for (auto& c : t)
    if (c == u'/') c = u'\\';
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "uso: tdiextrai ARQUIVO.tdi PASTA [SENHA]\n");
    return 2;
  }
  PlataformaFalsa plataforma("/");
  TChilKat chilkat(plataforma);
  const Texto senha = argc == 4 ? Utf16(argv[3]) : kSenhaArquivos;
  if (!chilkat.DescompactaZip(CaminhoWindows(argv[1]), IncluiBarra(CaminhoWindows(argv[2])), senha)) {
    std::fprintf(stderr, "%s\n%s\n", Utf8(VMsgErro).c_str(), Utf8(VMsgErroDetalhe).c_str());
    return 1;
  }
  return 0;
}
