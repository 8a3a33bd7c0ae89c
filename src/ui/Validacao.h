// Taxpayer-number validation (CPF and CNPJ), display masks and the plain error box.
#pragma once

#include "platform/Plataforma.h"
#include "platform/Texto.h"

namespace tevo {

namespace tk { class TEdit; }

// Format types of FormataDocumento.
enum : int {
  ftCNPJ = 0,          // letters and digits, "##.###.###/####-##"
  ftCPF = 1,           // digits, "###.###.###-##"
  ftCPFouCNPJ = 2,     // by the length of the letters and digits: more than 11 is a CNPJ
  ftTelefone = 3,      // digits, "(##)####-####"
  ftCelular = 4,       // digits, "(##)#####-####"
  ftCEP = 5,           // digits, "#####-###"
  ftChaveAcesso = 6,   // letters and digits without the document words, eleven groups of four
};

// The value reduced to its ASCII letters (A-Z, a-z) and digits; letters are kept as typed.
Texto LimpaDocumento(const Texto& VDoc);

// Check digits of a cleaned CPF: 11 digits, not all the same digit.
bool CPFValido(const Texto& VCPF);
// Check digits of a cleaned CNPJ, numeric or alphanumeric: 12 characters 0-9 or A-Z
// (upper case only), each valued by its character code minus 48, then two check digits;
// a number made of one repeated character is refused.
bool CNPJValido(const Texto& VCNPJ);

// The cleaned number (masked with type 2 when VFormata) when it is a valid CPF or CNPJ;
// otherwise an empty text. With VMostraMsg the reason of a rejection is shown first
// through MostraErroSimples. An empty value never shows a message when VPermiteVazio.
Texto ValidaDocumento(Plataforma& P, const Texto& VDoc, bool VPermiteVazio, bool VMostraMsg,
                      bool VFormata);

// True when the cleaned value is a valid CPF or CNPJ, or when it is empty and VPermiteVazio.
bool DocumentoValido(const Texto& VDoc, bool VPermiteVazio);

// VTexto kept to the characters its type allows and filled into the type's mask.
// An unknown type gives the text back unchanged.
Texto FormataDocumento(int VTipo, const Texto& VTexto);
// The same with an edit field: when VCampo is an edit field its text is the source
// (VTexto is then ignored) and the result is also written back into it. With no field,
// or a control that is not an edit field (a memo), it formats VTexto and writes nothing.
Texto FormataDocumento(tk::TEdit* VCampo, int VTipo, const Texto& VTexto);

// Walks the mask: '#' takes the next character of the value, anything else is copied;
// stops once the value's last character is placed or at the end of the mask.
// An empty value gives an empty text.
Texto AplicaMascara(const Texto& VMascara, const Texto& VValor);

// The system's message box titled "Houve um erro", error icon, OK only.
void MostraErroSimples(Plataforma& P, const Texto& VMsg);

}  // namespace tevo
