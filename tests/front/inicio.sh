#!/bin/sh
# Starts of the executable as people make them: a mistyped --banco, a first
# start killed a quarter-second in, and two first starts at once.
# Usage: inicio.sh <techassist>
set -u
exe="$1"
falha() { echo "FALHA: $*"; exit 1; }
# Every start has a limit: one that hangs is killed and its step named,
# instead of holding the test to CTest's limit.
limite=120
ate() { timeout -s KILL "$limite" "$@"; }
como() { [ "$1" -eq 137 ] && echo "não terminou em $limite s" || echo "saída $1"; }
. "$(dirname "$0")/pasta-propria.sh"

# The run's folder is in the machine's temporary folder, which another OS
# user reaches wherever the checkout is; removed at the end, and a killed
# run's by the next run.
for velha in /tmp/techassist-inicio-*; do
  [ -d "$velha" ] || continue
  dono=${velha#/tmp/techassist-inicio-}; dono=${dono%%-*}
  kill -0 "$dono" 2>/dev/null || rm -rf "$velha"
done
base=$(mktemp -d "/tmp/techassist-inicio-$$-XXXXXX") || falha "sem pasta temporária"
trap 'rm -rf "$base"' EXIT
trap 'exit 1' INT TERM HUP
morar_em "$base/proprio"
chmod 755 "$base"
# A temporary folder of this run: the engine's root and lock folders the
# program makes there are seen by nobody else. A process killed while it
# holds a mutex of the engine's shared lock files leaves it held, and every
# process using those files would wait for it for ever.
mkdir -p "$base/tmp"; chmod 1777 "$base/tmp"
export TMPDIR="$base/tmp" TECHASSIST_PASTA_TRAVAS="$base/tmp"

# A --banco naming a file that does not exist is refused and nothing is created.
XDG_DATA_HOME="$base/a" ate "$exe" --autoteste --banco "$base/digitado/errado.fdb" >"$base/a.out" 2>&1
rc=$?
[ "$rc" -eq 3 ] || falha "banco inexistente: $(como $rc)"
grep -q "não existe" "$base/a.out" || falha "banco inexistente: sem mensagem"
[ ! -e "$base/digitado" ] || falha "banco inexistente: pasta criada"

# A first start killed early leaves nothing the next start rejects (one
# that runs, as a scheduled job does, with no display and no platform named).
XDG_DATA_HOME="$base/b" timeout -s KILL 0.25 "$exe" --autoteste >/dev/null 2>&1
XDG_DATA_HOME="$base/b" ate env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$exe" --autoteste >"$base/b.out" 2>&1 ||
  { rc=$?; cat "$base/b.out"; falha "após um início interrompido: $(como $rc)"; }

# Two first starts at once both run.
XDG_DATA_HOME="$base/c" ate "$exe" --autoteste >"$base/c1.out" 2>&1 & p1=$!
XDG_DATA_HOME="$base/c" ate "$exe" --autoteste >"$base/c2.out" 2>&1 & p2=$!
wait $p1 || { rc=$?; cat "$base/c1.out"; falha "primeiro de dois inícios: $(como $rc)"; }
wait $p2 || { rc=$?; cat "$base/c2.out"; falha "segundo de dois inícios: $(como $rc)"; }
[ -z "$(find "$base/c" -name '*.novo')" ] || falha "arquivo parcial deixado"

# A second OS user starts after the first (who made the folders first):
# each user's database gets a lock folder of its own owner.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  # The executable, its module and the build's libraries, where that user reaches them.
  mkdir -p "$base/programa"
  for arquivo in "$exe" "$(dirname "$exe")"/*.so; do
    cp "$arquivo" "$base/programa/"
    ldd "$arquivo" | awk '$3 ~ /^\// && $3 !~ /^\/(usr|lib)/ {print $3}' | xargs -r cp -t "$base/programa/"
  done
  chmod -R a+rX "$base/programa"
  mkdir -p "$base/d"; chown 65534:65534 "$base/d"
  (cd "$base/d" && XDG_DATA_HOME="$base/d" LD_LIBRARY_PATH="$base/programa" ate setpriv --reuid=65534 --regid=65534 \
     --clear-groups "$base/programa/$(basename "$exe")" --autoteste >"$base/d.out" 2>&1) ||
     { rc=$?; cat "$base/d.out"; falha "segundo usuário do sistema: $(como $rc)"; }
  # Its new file is its group's to write (nogroup, not a group of its own name): the group's folder.
  [ -d "$base/tmp/techassist-firebird-lock-65534-g65534" ] || falha "segundo usuário sem pasta de travas própria"
  [ -d "$base/tmp/techassist-firebird-lock-0" ] || falha "primeiro usuário sem pasta de travas própria"
fi
