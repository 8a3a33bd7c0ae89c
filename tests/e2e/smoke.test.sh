#!/usr/bin/env bash
# The exe starts under Wine, shows its main window with the version, the route map and the
# wizard buttons, and ends by itself when the window is closed.
source "$(dirname "$0")/lib.sh"
inicia_x
prepara_prefixo
inicia_exe

T="Sistema TEVO - Instalação"
auto espera "$T" 30 || falha "a janela principal não apareceu"
sleep 1
auto lista "$T" > "$TRABALHO/lista.txt"
cp "$TRABALHO/lista.txt" "$ARTEFATOS/controles.txt"
tem "$TRABALHO/lista.txt" Static "Sistema TEVO - Instalação"
versao=$(echo "$TEVO_VERSAO" | cut -d. -f1-2)
tem "$TRABALHO/lista.txt" Static "Versão $versao - Firebird 5.0"
for titulo in "Início" "Termos de Uso" "Suporte Técnico" "Configurações" "Instalação" "Fim"; do
  tem "$TRABALHO/lista.txt" Static "$titulo"
done
tem "$TRABALHO/lista.txt" Button "Voltar"
tem "$TRABALHO/lista.txt" Button "Prosseguir"
tem "$TRABALHO/lista.txt" Button "Cancelar"
tem "$TRABALHO/lista.txt" Button "Finalizar" 0
tira_foto "janela-principal"

auto fecha "$T"
espera_fim_exe 20
echo "smoke: ok"
