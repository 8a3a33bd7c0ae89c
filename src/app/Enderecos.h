// Web addresses and fixed values the pages show. Kept in one place: the page names
// and manual topics are fixed; the host is the vendor's.
#pragma once

#include "platform/Texto.h"

namespace tevo::enderecos {

inline const Texto kSite = u"https://www.sistematevo.com.br/";
inline const Texto kContratoDeUso = kSite + u"contratoDeUso.php";
inline const Texto kSuporteComoFunciona = kSite + u"suporteComoFunciona.php";
inline const Texto kListaRevendas = kSite + u"listaRev.php";
// The partner's page for booking a digital certificate with TEVO's discount coupon.
inline const Texto kCertificadoDigital = u"https://www.certificadoparceiro.com.br/agendamento?cupom=TEVO";

// Manual topics.
constexpr int kTopicoEstacaoLocal = 10;
constexpr int kTopicoServidor = 154;  // also the installation video lesson
constexpr int kTopicoWeb = 159;
constexpr int kTopicoMultiLocal = 182;
inline Texto Manual(int topico) { return kSite + u"manual.php?topico=" + IntToStr(topico); }

// Password of the installed application's first login (three letters, three digits).
inline const Texto kSenhaProvisoria = u"tvo258";

}  // namespace tevo::enderecos
