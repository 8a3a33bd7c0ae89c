#!/usr/bin/env bash
# Fills a package folder with demo payload archives made by tdipack:
#   scripts/pacote-demo.sh PASTA [--revenda]
# --revenda adds rev.tdi with a reseller's data (code 12, "Loja Demonstração").
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
tdipack="${TEVO_TDIPACK:-$raiz/build/linux/tools/tdipack/tdipack}"
[ -x "$tdipack" ] || { echo "tdipack não encontrado: construa o preset linux primeiro" >&2; exit 1; }
pacote="$1"
mkdir -p "$pacote"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$tmp/Outros/Dados" "$tmp/RaizTEVO/Ajuda" "$tmp/SchNFe" "$tmp/SchCTe" "$tmp/SchMDFe"
printf 'banco de dados de demonstração\n' > "$tmp/Outros/Dados/TEVO.FDB"
printf 'programa de demonstração\n' > "$tmp/RaizTEVO/TEVO.exe"
printf 'Manual de demonstração — instalação\n' > "$tmp/RaizTEVO/Ajuda/Leia-me.txt"
for d in NFe CTe MDFe; do printf '<xs:schema/>\n' > "$tmp/Sch$d/leiaute$d.xsd"; done
for a in Outros RaizTEVO SchNFe SchCTe SchMDFe; do "$tdipack" -q "$tmp/$a" "$pacote/$a.tdi"; done

if [ "${2:-}" = "--revenda" ]; then
  mkdir -p "$tmp/rev"
  # the system reads INI files without a byte-order mark in the ANSI code page
  printf '[Dados]\r\nCodigo=12\r\nNome=Loja Demonstração\r\nSite=https://www.lojademo.com.br/\r\nCidadeUF=Bauru/SP\r\nEmail=suporte@lojademo.com.br\r\nWhatsApp=(14) 99999-0000\r\n' \
    | iconv -f UTF-8 -t WINDOWS-1252 > "$tmp/rev/rev.ini"
  "$tdipack" -q "$tmp/rev" "$pacote/rev.tdi"
fi
