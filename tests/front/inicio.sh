#!/bin/sh
# Starts of the executable as people make them: a mistyped --banco, a first
# start killed a quarter-second in, and two first starts at once.
# Usage: inicio.sh <techassist> <scratch folder>
set -u
exe="$1"; base="$2"
rm -rf "$base"; mkdir -p "$base"
falha() { echo "FALHA: $*"; exit 1; }

# A --banco naming a file that does not exist is refused and nothing is created.
XDG_DATA_HOME="$base/a" "$exe" --autoteste --banco "$base/digitado/errado.fdb" >"$base/a.out" 2>&1
rc=$?
[ "$rc" -eq 3 ] || falha "banco inexistente: saída $rc"
grep -q "não existe" "$base/a.out" || falha "banco inexistente: sem mensagem"
[ ! -e "$base/digitado" ] || falha "banco inexistente: pasta criada"

# A first start killed early leaves nothing the next start rejects.
XDG_DATA_HOME="$base/b" timeout -s KILL 0.25 "$exe" --autoteste >/dev/null 2>&1
XDG_DATA_HOME="$base/b" "$exe" --autoteste >"$base/b.out" 2>&1 || { cat "$base/b.out"; falha "após um início interrompido"; }

# Two first starts at once both run.
XDG_DATA_HOME="$base/c" "$exe" --autoteste >"$base/c1.out" 2>&1 & p1=$!
XDG_DATA_HOME="$base/c" "$exe" --autoteste >"$base/c2.out" 2>&1 & p2=$!
wait $p1 || { cat "$base/c1.out"; falha "primeiro de dois inícios"; }
wait $p2 || { cat "$base/c2.out"; falha "segundo de dois inícios"; }
[ -z "$(find "$base/c" -name '*.novo')" ] || falha "arquivo parcial deixado"
rm -rf "$base"
