#!/usr/bin/env bash
# Installs what building, testing and the demo need (Debian 12, as root). Idempotent:
# asks apt only when something is missing.
set -euo pipefail
PACOTES=(
  build-essential cmake pkg-config git
  googletest libgtest-dev
  zlib1g-dev libgcrypt20-dev libzip-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev libgcrypt-mingw-w64-dev
  wine64 xvfb imagemagick x11-utils
  zip unzip p7zip-full python3 time
)
faltam=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Instalando: ${faltam[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltam[@]}" >/dev/null
fi
