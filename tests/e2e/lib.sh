# Shared by the end-to-end tests: a private X display, a fresh Wine prefix copied
# from a template made once per build, the exe and the automation program.
set -euo pipefail
export LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
: "${TEVO_EXE:?}" "${TEVO_AUTOMACAO:?}" "${TEVO_BUILD:?}" "${TEVO_ARTEFATOS:?}"
TESTE=$(basename "$0" .test.sh)
ARTEFATOS="$TEVO_ARTEFATOS/$TESTE"
rm -rf "$ARTEFATOS" && mkdir -p "$ARTEFATOS"
TRABALHO=$(mktemp -d /tmp/tevo-e2e.XXXXXX)

falha() { echo "FALHOU: $*" >&2; tira_foto "falha" || true; exit 1; }

# --- X display
inicia_x() {
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 $XVFB_PID 2>/dev/null; then export DISPLAY=:$n; return 0; fi
  done
  echo "sem display livre" >&2; exit 1
}

# --- Wine prefix: the template costs a few seconds once; each test copies it
prepara_prefixo() {
  local modelo="$TEVO_BUILD/wine-modelo"
  (
    flock 9
    if [ ! -f "$modelo/.pronto" ]; then
      rm -rf "$modelo"
      WINEPREFIX="$modelo" "$WINE" wineboot -i >/dev/null 2>&1 || true
      # without a window manager every popup close costs seconds: let Wine manage nothing
      WINEPREFIX="$modelo" "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      WINEPREFIX="$modelo" "$WINESERVER" -w
      touch "$modelo/.pronto"
    fi
  ) 9>"$TEVO_BUILD/wine-modelo.lock"
  export WINEPREFIX="$TRABALHO/prefixo"
  cp -a "$TEVO_BUILD/wine-modelo" "$WINEPREFIX"
}

encerra() {
  set +e
  [ -n "${EXE_PID:-}" ] && kill "$EXE_PID" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$TRABALHO"
}
trap encerra EXIT

auto() { "$WINE" "$TEVO_AUTOMACAO" "$@"; }
tira_foto() { import -display "$DISPLAY" -window root "$ARTEFATOS/$1.png" 2>/dev/null; }

# Starts the exe from a package folder (default: a copy of the exe alone).
inicia_exe() {
  local pasta="${1:-$TRABALHO/pacote}"
  mkdir -p "$pasta"
  cp "$TEVO_EXE" "$pasta/InstalacaoTEVO.exe"
  (cd "$pasta" && exec "$WINE" "$pasta/InstalacaoTEVO.exe") >"$TRABALHO/exe.log" 2>&1 &
  EXE_PID=$!
}

# Waits for the exe's process to end by itself.
espera_fim_exe() {
  local limite=$((SECONDS + ${1:-20}))
  while kill -0 "$EXE_PID" 2>/dev/null; do
    [ $SECONDS -lt $limite ] || falha "o programa não terminou sozinho"
    sleep 0.2
  done
  wait "$EXE_PID" || true
  EXE_PID=
}

# Asserts that the listing holds a line (class, text, visible).
tem() {
  local lista="$1" classe="$2" texto="$3" visivel="${4:-1}"
  grep -qxF -- "$(printf '%s\t%s\t%s' "$classe" "$texto" "$visivel")" < <(cut -f1-3 "$lista") \
    || falha "não encontrado: $classe '$texto' visível=$visivel"
}
