#!/bin/sh
# Benchmark of the archive extractor: makes a payload of a few thousand mixed files
# (compressible text and incompressible bytes), packs it with WinZip AES-256 (7z and
# tdipack) and traditional encryption (zip -P), and extracts each archive with unzip,
# 7z x and the setup's own extractor (tdiextrai), reporting wall time and peak memory.
# The big files live in a work folder that is deleted at the end.
#
#   benchzip.sh [-b BUILD_DIR] [-w WORK_DIR] [-m MEGABYTES] [-r RUNS] [-k]
#
# -k keeps the work folder (payload and archives) for profiling; a second run with the
# same -w reuses them.
#
# Needs: zip, unzip, p7zip-full, python3, time (GNU /usr/bin/time), and tdipack and
# tdiextrai built in BUILD_DIR (default: build/zip, or build if absent).
set -eu

RAIZ=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=""
WORK=""
MB=300
RUNS=2
MANTER=0
while getopts b:w:m:r:k op; do
  case $op in
    b) BUILD=$OPTARG ;;
    w) WORK=$OPTARG ;;
    m) MB=$OPTARG ;;
    r) RUNS=$OPTARG ;;
    k) MANTER=1 ;;
    *) echo "uso: $0 [-b BUILD_DIR] [-w WORK_DIR] [-m MEGABYTES] [-r RUNS]" >&2; exit 2 ;;
  esac
done
if [ -z "$BUILD" ]; then
  for d in "$RAIZ/build/zip" "$RAIZ/build"; do
    if [ -x "$d/tools/benchzip/tdiextrai" ]; then BUILD=$d; break; fi
  done
fi
TDIPACK=$BUILD/tools/tdipack/tdipack
TDIEXTRAI=$BUILD/tools/benchzip/tdiextrai
for p in "$TDIPACK" "$TDIEXTRAI" /usr/bin/time zip unzip 7z python3; do
  command -v "$p" >/dev/null 2>&1 || { echo "benchzip: falta $p" >&2; exit 1; }
done
[ -n "$WORK" ] || WORK=$(mktemp -d /tmp/benchzip.XXXXXX)
mkdir -p "$WORK"
[ $MANTER = 1 ] || trap 'rm -rf "$WORK"' EXIT INT TERM

if [ -f "$WORK/trad-zip.zip" ]; then
  echo "== reusing the payload and archives in $WORK"
else
echo "== payload: ~${MB} MB in $WORK/payload"
python3 - "$WORK/payload" "$MB" <<'EOF'
import os, random, sys
destino, alvo = sys.argv[1], int(sys.argv[2]) * 1024 * 1024
rnd = random.Random(2026)
palavras = ("instalação configuração servidor banco dados firebird usuário senha cliente fiscal nota "
            "produto estoque venda compra pedido relatório tabela campo valor código descrição empresa "
            "<xml> </xml> <campo nome=\"x\"> 0001 3.14159 R$ 1.234,56 2026-01-01 SELECT FROM WHERE").split()
base, tamBase = [], 0
while tamBase < 4 << 20:
    base.append(" ".join(rnd.choice(palavras) for _ in range(rnd.randint(4, 18))) + "\n")
    tamBase += len(base[-1])
texto = "".join(base).encode()
texto += texto
total = n = 0
while total < alvo:
    pasta = os.path.join(destino, "modulo%02d" % rnd.randint(0, 39), "sub%d" % rnd.randint(0, 5))
    os.makedirs(pasta, exist_ok=True)
    tam = int(2 ** rnd.uniform(9, 19))             # 512 bytes .. 512 KiB, log-uniform
    if n % 800 == 7:
        tam = rnd.randint(8, 24) << 20              # a few big files, like the application's binaries
    if rnd.random() < 0.6:
        ini = rnd.randrange(0, len(texto) // 2)
        dados = texto[ini:ini + tam] if tam <= len(texto) // 2 else (texto * (tam // len(texto) + 1))[:tam]
        nome = "arquivo_%05d_configuração.txt" % n
    else:
        dados = os.urandom(tam)
        nome = "dados_%05d.bin" % n
    with open(os.path.join(pasta, nome), "wb") as f:
        f.write(dados)
    total += tam
    n += 1
print("   %d files, %.1f MB" % (n, total / 1048576))
EOF

cd "$WORK/payload"
echo "== packing"
t0=$(date +%s); 7z a -tzip -bd -p581947 -mem=AES256 "$WORK/aes-7z.zip" . >/dev/null; t1=$(date +%s)
echo "   7z AES-256:        $((t1 - t0)) s, $(du -m "$WORK/aes-7z.zip" | cut -f1) MB"
"$TDIPACK" -q . "$WORK/aes-tdipack.tdi"; t2=$(date +%s)
echo "   tdipack AES-256:   $((t2 - t1)) s, $(du -m "$WORK/aes-tdipack.tdi" | cut -f1) MB"
zip -q -r -P 581947 "$WORK/trad-zip.zip" .; t3=$(date +%s)
echo "   zip -P (trad.):    $((t3 - t2)) s, $(du -m "$WORK/trad-zip.zip" | cut -f1) MB"
fi
cd "$WORK"

# run NAME ARCHIVE COMMAND...: best wall time of $RUNS runs and the peak memory, into $WORK/r.*
run() {
  nome=$1; arq=$2; shift 2
  [ -z "${SO:-}" ] || case $nome in $SO) ;; *) return 0 ;; esac
  cat "$arq" >/dev/null                     # the archive comes from the page cache for everyone
  melhor=""; pico=0
  i=0
  while [ $i -lt "$RUNS" ]; do
    rm -rf "$WORK/out"; mkdir -p "$WORK/out"; sync
    /usr/bin/time -v -o "$WORK/time.txt" "$@" >/dev/null 2>"$WORK/err.txt" || {
      echo "   $nome FALHOU:"; cat "$WORK/err.txt"; return 1; }
    s=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); t = 0; for (k = 1; k <= n; k++) t = t * 60 + p[k]; print t }' "$WORK/time.txt")
    m=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$WORK/time.txt")
    if [ -z "$melhor" ] || awk -v a="$s" -v b="$melhor" 'BEGIN { exit !(a < b) }'; then melhor=$s; fi
    if [ "$m" -gt "$pico" ]; then pico=$m; fi
    i=$((i + 1))
  done
  awk -v n="$nome" -v t="$melhor" -v m="$pico" 'BEGIN { printf "   %-14s %7.2f s   peak %6.1f MB\n", n, t, m / 1024 }'
  echo "$melhor" >"$WORK/r.$nome"
  echo "$pico" >"$WORK/m.$nome"
}

# compare ARCHIVE: our ratio to the faster of the other tools that read it
compara() {
  python3 - "$WORK" "$@" <<'EOF'
import sys, os
work, nosso, outros = sys.argv[1], sys.argv[2], sys.argv[3:]
t = lambda n: float(open(os.path.join(work, "r." + n)).read())
m = lambda n: int(open(os.path.join(work, "m." + n)).read()) / 1024
rapido = min(outros, key=t)
print("   -> ours / %s = %.2f   (ours peak %.1f MB)" % (rapido, t(nosso) / t(rapido), m(nosso)))
EOF
}

confere() {
  diff -rq "$WORK/payload" "$WORK/out" >/dev/null || { echo "   extração difere do original!"; exit 1; }
}

echo "== extracting (best of $RUNS runs)"
echo " AES-256 made by 7z (unzip cannot read WinZip AES):"
run 7z-aes7z aes-7z.zip 7z x -bd -y -p581947 -o"$WORK/out" aes-7z.zip
run ours-aes7z aes-7z.zip "$TDIEXTRAI" aes-7z.zip "$WORK/out" 581947
confere
compara ours-aes7z 7z-aes7z
echo " AES-256 made by tdipack (libzip):"
run 7z-aestdi aes-tdipack.tdi 7z x -bd -y -p581947 -o"$WORK/out" aes-tdipack.tdi
run ours-aestdi aes-tdipack.tdi "$TDIEXTRAI" aes-tdipack.tdi "$WORK/out" 581947
confere
compara ours-aestdi 7z-aestdi
echo " traditional made by zip -P:"
run unzip-trad trad-zip.zip unzip -q -o -P 581947 trad-zip.zip -d "$WORK/out"
run 7z-trad trad-zip.zip 7z x -bd -y -p581947 -o"$WORK/out" trad-zip.zip
run ours-trad trad-zip.zip "$TDIEXTRAI" trad-zip.zip "$WORK/out" 581947
confere
compara ours-trad unzip-trad 7z-trad
if [ $MANTER = 1 ]; then echo "== done; kept $WORK"; else echo "== done; removing $WORK"; fi
