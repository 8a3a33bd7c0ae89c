#!/usr/bin/env bash
# The wizard under Wine: on the user's display when there is one, else under Xvfb
# with a screenshot saved to artifacts/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependencias.sh
cmake --preset linux >/dev/null && cmake --build --preset linux
cmake --preset win64 >/dev/null && cmake --build --preset win64
export LANG=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$PWD/build/wine-demo"
pacote="$PWD/build/demo/pacote"
rm -rf "$pacote" && mkdir -p "$pacote"
cp build/win64/InstalacaoTEVO.exe "$pacote/"
bash scripts/pacote-demo.sh "$pacote" ${TEVO_DEMO_REVENDA:+--revenda}
if [ ! -d "$WINEPREFIX" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
fi
if [ -n "${DISPLAY:-}" ]; then
  cd "$pacote" && exec /usr/lib/wine/wine64 ./InstalacaoTEVO.exe
fi
mkdir -p artifacts/demo
tela=99
while [ -e /tmp/.X11-unix/X$tela ] || [ -e /tmp/.X$tela-lock ]; do tela=$((tela + 1)); done
Xvfb :$tela -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$tela
sleep 1
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
(cd "$pacote" && /usr/lib/wine/wine64 ./InstalacaoTEVO.exe) &
exe=$!
/usr/lib/wine/wine64 build/win64/automacao.exe espera "Sistema TEVO - Instalação" 60 || true
sleep 2
import -window root artifacts/demo/InstalacaoTEVO.png
echo "Sem display: captura salva em artifacts/demo/InstalacaoTEVO.png"
kill $exe 2>/dev/null || true
/usr/lib/wine/wineserver -k 2>/dev/null || true
kill $xvfb 2>/dev/null || true
