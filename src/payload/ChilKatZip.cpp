// TChilKat::DescompactaZip: extraction of the password-protected ".tdi" archives.
#include "payload/ChilKat.h"
#include "payload/ZipExtrator.h"

namespace tevo {

bool TChilKat::DescompactaZip(const Texto& VArquivo, const Texto& VPasta, const Texto& VSenha) {
  // The zip object lives only inside this call; it closes the archive on every path.
  zip::ArquivoZip zip(plat_);
  if (!zip.Abre(VArquivo)) {
    VMsgErro = u"Erro na função \"CkZip_OpenZip(\"";
    VMsgErroDetalhe = zip.UltimoErro();
    return false;
  }
  zip.DefineSenha(VSenha);
  if (!zip.VerificaSenha()) {
    VMsgErro = u"Senha do arquivo inválida.";
    return false;
  }
  if (zip.Extrai(VPasta) < 0) {
    VMsgErro = u"Erro na função \"CkZip_Unzip(\".";
    VMsgErroDetalhe = zip.UltimoErro();
    return false;
  }
  return true;
}

}  // namespace tevo
