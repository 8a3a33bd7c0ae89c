#!/usr/bin/env bash
# A reseller package (rev.tdi made by tdipack) changes the support page's texts and links,
# the top panel's link and the closing page's reseller block.
source "$(dirname "$0")/lib.sh"
RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
inicia_x
prepara_prefixo
bash "$RAIZ/scripts/pacote-demo.sh" "$TRABALHO/pacote" --revenda
inicia_exe "$TRABALHO/pacote"

T="Sistema TEVO - Instalação"
auto espera "$T" 30 || falha "a janela principal não apareceu"
sleep 0.5
auto lista "$T" > "$TRABALHO/lista.txt"
cp "$TRABALHO/lista.txt" "$ARTEFATOS/controles.txt"
site="https://www.lojademo.com.br/"
tem "$TRABALHO/lista.txt" Static "$site"   # top panel link
grep -qF "Para obtenção de  suporte técnico, você deve entrar em contato com a revenda 12-Loja Demonstração, cujos dados de contato serão informados no final desta instalação." \
  "$TRABALHO/lista.txt" || falha "texto de suporte da revenda ausente"
grep -qF "$(printf 'Este sistema é distribuído pela revenda 12-Loja Demonstração, de Bauru/SP.|||Opções de contato: e-mail: suporte@lojademo.com.br; WhatsApp: (14) 99999-0000.')" \
  "$TRABALHO/lista.txt" || falha "bloco da revenda ausente"
grep -qF "www.sistematevo.com.br/listaRev.php" "$TRABALHO/lista.txt" && falha "a lista de revendas do fornecedor continua"
[ -f "$TRABALHO/pacote/rev.ini" ] || falha "rev.ini não foi extraído na pasta do pacote"

auto clica "$T" Button "Prosseguir"
auto marca "$T" " Li, entendi e concordo com o contrato de uso do sistema TEVO"
auto clica "$T" Button "Prosseguir"
auto lista "$T" > "$TRABALHO/lista.txt"
tem "$TRABALHO/lista.txt" Static "O Suporte Técnico"
tem "$TRABALHO/lista.txt" Static "Página da revenda 12 para obtenção de suporte"
tem "$TRABALHO/lista.txt" Static "$site"
tira_foto "suporte-revenda"

auto fecha "$T"
espera_fim_exe 20
echo "revenda: ok"
