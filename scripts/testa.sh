#!/usr/bin/env bash
# Every test: the native suite (unit and integration) and the Windows build with its
# end-to-end tests under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependencias.sh
inicio=$SECONDS
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux
cmake --preset win64 >/dev/null
cmake --build --preset win64
ctest --preset win64
echo "Todos os testes passaram em $((SECONDS - inicio)) s."
