#!/usr/bin/env bash
# Walks the wizard as a user: consent refused and given, configuration type 4 with a bad and a
# good database ID, the help link of type 3, the installation page, and Cancel with "Não" then "Sim".
source "$(dirname "$0")/lib.sh"
inicia_x
prepara_prefixo

# links open through Wine's browser launcher: point it at a script that records the address
cat > "$TRABALHO/navegador.sh" <<'SH'
#!/bin/sh
echo "$1" >> "$(dirname "$0")/enderecos.txt"
SH
chmod +x "$TRABALHO/navegador.sh"
"$WINE" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$TRABALHO/navegador.sh" /f >/dev/null 2>&1

inicia_exe
T="Sistema TEVO - Instalação"
auto espera "$T" 30 || falha "a janela principal não apareceu"
lista() { auto lista "$1" > "$TRABALHO/lista.txt"; }

# Reads the open message dialog, whose window title is its header caption; the message must be there.
dialogo() {
  local cabecalho="$1" mensagem="$2"
  D="$cabecalho"
  auto espera "$D" 10 || falha "o diálogo não apareceu ($mensagem)"
  lista "$D"
  tem "$TRABALHO/lista.txt" TEVOPainel "$cabecalho"
  grep -qF -- "$mensagem" "$TRABALHO/lista.txt" || falha "mensagem ausente: $mensagem"
}

tira_foto "01-inicio"
auto clica "$T" Button "Prosseguir"
lista "$T"; tem "$TRABALHO/lista.txt" Static "Termos e Condições de Uso"
tira_foto "02-termos"

# refused without the tick, with the exact message; Enter closes the dialog
auto clica "$T" Button "Prosseguir"
dialogo "OCORREU UM ERRO" "Você precisa aceitar o contrato de uso do sistema."
tem "$TRABALHO/lista.txt" Button "OK (enter)"
tira_foto "03-termos-recusado"
auto tecla "$D" 13
auto espera-fim "$D" 10 || falha "Enter não fechou o diálogo"
lista "$T"; tem "$TRABALHO/lista.txt" Static "Termos e Condições de Uso"

auto marca "$T" " Li, entendi e concordo com o contrato de uso do sistema TEVO"
auto clica "$T" Button "Prosseguir"
lista "$T"; tem "$TRABALHO/lista.txt" Static "O Suporte Técnico"
tira_foto "04-suporte"
auto marca "$T" " Entendo e concordo com as condições do suporte técnico"
auto clica "$T" Button "Prosseguir"
lista "$T"; tem "$TRABALHO/lista.txt" Static "Configurações de Instalação"
tira_foto "05-configuracao"

# type 3: the help link opens manual topic 159
auto seleciona "$T" "3 - Estação Web"
lista "$T"; grep -F "topico=159" "$TRABALHO/lista.txt" | grep -q $'\t1\t' || falha "link do tópico 159 ausente"
link=$(grep -F "topico=159" "$TRABALHO/lista.txt" | head -1 | cut -f2)
auto clica "$T" Static "$link"
for _ in $(seq 100); do [ -s "$TRABALHO/enderecos.txt" ] && break; sleep 0.1; done
grep -qxF "$link" "$TRABALHO/enderecos.txt" 2>/dev/null || falha "o link não abriu $link"

# type 4 asks for the database ID
auto seleciona "$T" "4 - Multi BD - Servidor"
lista "$T"; tem "$TRABALHO/lista.txt" Static "ID do BD"
tira_foto "06-configuracao-tipo4"
auto digita "$T" 1 "11222333000182"
auto clica "$T" Button "Prosseguir"
dialogo "OCORREU UM ERRO" "No tipo de instalação escolhida, é obrigatório informar o ID do banco (um CPF ou CNPJ válido)."
auto clica "$D" Button "OK (enter)"
auto espera-fim "$D" 10 || falha "o clique não fechou o diálogo"
auto digita "$T" 1 "11222333000181"
auto clica "$T" Button "Prosseguir"
lista "$T"; tem "$TRABALHO/lista.txt" Button "Instalar"
tem "$TRABALHO/lista.txt" Static "Finalização da Instalação"
tira_foto "07-instalacao"

# Cancel: "Não" keeps everything, "Sim" ends the program
auto clica "$T" Button "Cancelar"
dialogo "ATENÇÃO - CONFIRMAÇÃO" "Tem certeza que deseja cancelar a instalação?"
tem "$TRABALHO/lista.txt" Button "Sim (enter)"
tem "$TRABALHO/lista.txt" Button "Não (ESC)"
tira_foto "08-cancelar"
auto tecla "$D" 27
auto espera-fim "$D" 10 || falha "Escape não fechou o diálogo"
lista "$T"; tem "$TRABALHO/lista.txt" Button "Instalar"
auto clica "$T" Button "Cancelar"
dialogo "ATENÇÃO - CONFIRMAÇÃO" "Tem certeza que deseja cancelar a instalação?"
auto clica "$D" Button "Sim (enter)"
espera_fim_exe 20
echo "paginas: ok"
