#!/usr/bin/env bash
# The message dialog under Wine: a test program shows each kind in turn; the automation
# program reads each header, message and button captions, answers with Enter, Escape, a
# click or a key, and the answers the program recorded are checked. A screenshot and the
# control listing of each kind are kept.
source "$(dirname "$0")/../lib.sh"
: "${TEVO_MSGDEMO:?}"
inicia_x
prepara_prefixo

PASTA="$TRABALHO/pacote"
mkdir -p "$PASTA"
cp "$TEVO_MSGDEMO" "$PASTA/msgdemo.exe"
(cd "$PASTA" && exec "$WINE" "$PASTA/msgdemo.exe") >"$TRABALHO/exe.log" 2>&1 &
EXE_PID=$!
RES="$PASTA/msgdemo.txt"

respostas() { if [ -f "$RES" ]; then wc -l <"$RES"; else echo 0; fi; }
# Waits until the program has recorded $1 answers.
espera_respostas() {
  local limite=$((SECONDS + ${2:-20}))
  until [ "$(respostas)" -ge "$1" ]; do
    [ $SECONDS -lt $limite ] || falha "a resposta $1 não veio (registradas: $(respostas))"
    sleep 0.2
  done
}
resultado() { grep "^$1=" "$RES" | tail -1 | cut -d= -f2-; }
confere() { [ "$(resultado "$1")" = "$2" ] || falha "$1: esperado '$2', veio '$(resultado "$1")'"; }

# Waits for the dialog titled $1 (its header caption), keeps its listing and a screenshot ($2).
dialogo() {
  TITULO="$1"
  auto espera "$TITULO" 20 || falha "o diálogo '$TITULO' não apareceu"
  sleep 0.5
  LISTA="$ARTEFATOS/$2.txt"
  auto lista "$TITULO" >"$LISTA"
  tira_foto "$2"
}
# A visible control of the class whose text contains the part (the listing shows CR, LF, TAB as |).
contem() {
  awk -F'\t' -v c="$1" -v t="$2" '$1 == c && $3 == 1 && index($2, t) > 0 { achou = 1 } END { exit !achou }' "$LISTA" \
    || falha "$TITULO: não há $1 visível com '$2'"
}
botoes() {  # exactly these buttons are visible, in any order
  local vistos esperados
  vistos=$(awk -F'\t' '$1 == "Button" && $3 == 1 { print $2 }' "$LISTA" | sort)
  esperados=$(printf '%s\n' "$@" | sed '/^$/d' | sort)
  [ "$vistos" = "$esperados" ] || falha "$TITULO: botões '$vistos', esperados '$esperados'"
}
tecla() { auto tecla "$TITULO" "$@"; }

espera_respostas 1
SEP=$(resultado separador)

# Erro: header, message with its detail, the extra line, OK; answered with Enter.
dialogo "OCORREU UM ERRO" 01-erro
contem TEVOPainel "OCORREU UM ERRO"
contem Edit "Não foi possível gravar o arquivo de configuração.||Acesso negado."
tem "$LISTA" Static "Versão 12.1.1"
botoes "OK (enter)"
tecla 13
espera_respostas 3
confere Erro 6
confere Aguarde 0  # the wait window shown before the message was hidden by it

dialogo "AVISO" 02-aviso
contem Edit "O Firebird 4.0 instalado nesta máquina será removido."
botoes "OK (enter)"
auto clica "$TITULO" Button "OK (enter)"
espera_respostas 4
confere AvisoOutros 6

dialogo "ATENÇÃO - CONFIRMAÇÃO" 03-confirmacao-atencao
contem Edit "Tem certeza que deseja cancelar a instalação?"
botoes "Sim (enter)" "Não (ESC)"
tecla 13
espera_respostas 5
confere ConfirmacaoAtencao 1
dialogo "ATENÇÃO - CONFIRMAÇÃO" 04-confirmacao-atencao-esc
tecla 27
espera_respostas 6
confere ConfirmacaoAtencao2 0

# A confirm caption of 10 characters or more gets no "(enter)": Enter does nothing.
dialogo "PEDIDO DE CONFIRMAÇÃO" 05-confirmacao-simples
botoes "Continuar agora" "Não (ESC)"
tecla 13
sleep 1
[ "$(respostas)" -eq 6 ] || falha "Enter fechou a confirmação sem '(enter)' no botão"
auto clica "$TITULO" Button "Continuar agora"
espera_respostas 7
confere ConfirmacaoSimples 1

dialogo "ATENÇÃO - HOUVE UM ERRO" 06-confirmacao-erro
botoes "Sim (enter)" "Não (ESC)"
auto clica "$TITULO" Button "Não (ESC)"
espera_respostas 8
confere ConfirmacaoErro 0

# Sucesso closes by itself after its countdown (2 s); with no time it waits for a key.
dialogo "SUCESSO" 07-sucesso
contem Static "Pressione qualquer tecla para continuar..."
botoes
espera_respostas 9 10
confere Sucesso 2
dialogo "SUCESSO" 08-sucesso-sem-tempo
sleep 2.5
[ "$(respostas)" -eq 9 ] || falha "o Sucesso sem tempo fechou sozinho"
auto lista "$TITULO" >"$LISTA"
contem Static "Pressione qualquer tecla para continuar...-"
tecla 32
espera_respostas 10
confere Sucesso2 2

# A text of 900 characters or more goes whole into Temp\Log<date>_<time>.txt.
dialogo "MUITA ATENÇÃO" 09-aviso-importante
contem Edit "- Obs.: o erro completo foi gravado em "
contem Edit "Temp\\Log"
tecla 13
espera_respostas 11
confere AvisoImportante 6
LOG=$(ls "$PASTA"/Temp/Log*_*.txt 2>/dev/null | head -1)
[ -n "$LOG" ] || falha "o arquivo do erro completo não foi gravado"
grep -q "isc_dsql_error" "$LOG" || falha "o arquivo do erro completo não tem o detalhe"
[ "$(tail -c 2 "$LOG" | od -An -c | tr -d ' ')" = '\r\n' ] || falha "o arquivo não termina com CR LF"
cp "$LOG" "$ARTEFATOS/"

dialogo "INFORMAÇÃO" 10-informacao
botoes "OK (enter)"
auto clica "$TITULO" Button "OK (enter)"
espera_respostas 12
confere AvisoHelps 6

# The information request: one of each format.
dialogo "PEDIDO DE INFORMAÇÃO" 11-pedido-texto
botoes "OK (enter)"
contem Edit "Informe o nome da empresa:"
auto digita "$TITULO" 1 "Padaria São João"
tecla 13
espera_respostas 13
confere tfTexto "1|Padaria São João"

dialogo "PEDIDO DE INFORMAÇÃO" 12-pedido-inteiro
tem "$LISTA" Edit "0"
for k in 65 52 189 50; do tecla $k; done  # a, 4, -, 2: only the digits go in
tecla 13
espera_respostas 14
confere tfInteiro "1|42"

dialogo "PEDIDO DE INFORMAÇÃO" 13-pedido-numerico
tem "$LISTA" Edit "0${SEP}00"
for k in 49 50 190 53 190; do tecla $k; done  # 1, 2, ".", 5, ".": one decimal separator
tecla 13
espera_respostas 15
confere tfNumerico "1|12${SEP}5"

dialogo "PEDIDO DE INFORMAÇÃO" 14-pedido-lista
auto seleciona "$TITULO" "Filial 2"
tecla 13
espera_respostas 16
confere tfTextoLista "1|Filial 2"

dialogo "PEDIDO DE INFORMAÇÃO" 15-pedido-data
tem "$LISTA" Edit "__/__/____"
tecla 9  # into the date field
for k in 48 49 48 50 50 48 50 52; do tecla $k; done
tecla 13
espera_respostas 17
confere tfData "1|01/02/2024"

dialogo "PEDIDO DE INFORMAÇÃO" 16-pedido-senha
auto digita "$TITULO" 1 "masterkey"
tecla 13
espera_respostas 18
confere tfPass "1|masterkey"

espera_respostas 19
confere fim 1
espera_fim_exe 20
echo "msgdemo: ok"
