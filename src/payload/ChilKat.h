// TChilKat: the archive and cipher wrapper of the setup. One object is made at
// start-up (TFPrincipal::VAPIChilKat) and serves every archive task; getPass makes
// its own for each call. Written on zlib and libgcrypt.
#pragma once

#include "app/Publicas.h"
#include "platform/Plataforma.h"

namespace tevo {

class TChilKat {
 public:
  explicit TChilKat(Plataforma& plataforma) : plat_(plataforma) {}

  // Extracts every entry of the password-protected archive into VPasta.
  // True on success; on failure fills VMsgErro / VMsgErroDetalhe and returns false.
  bool DescompactaZip(const Texto& VArquivo, const Texto& VPasta, const Texto& VSenha);

  // Builds the cipher key (upper-case hex) from an obfuscated key record.
  // Throws ETevo(u"VKeyChilkatofus inválida.") on empty or odd-length text.
  Texto DesofuscaChave(const Texto& VKeyChilkatofus);

  // RC2-CBC, 128-bit key, PKCS#5 padding, hex encoding of text, IV and key.
  Texto CriptDecriptTexto(bool VCriptografa, const Texto& VTexto, const Texto& VIV, const Texto& VChave);

 private:
  Plataforma& plat_;
};

}  // namespace tevo
