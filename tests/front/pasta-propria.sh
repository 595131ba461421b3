# Sourced by the tests' shell scripts: morar_em PASTA points every folder a
# program looks up in the environment (home, configuration, cache, data,
# runtime, temporary files, the engine's lock folders) under PASTA, so that
# what the executable writes never lands in the invoking user's folders or
# in the machine's temporary folder.
morar_em() {
  mkdir -p "$1/casa/.config" "$1/casa/.cache" "$1/casa/.local/share" "$1/execucao" "$1/tmp" "$1/travas"
  chmod 700 "$1" "$1/execucao" "$1/travas"
  export HOME="$1/casa" XDG_CONFIG_HOME="$1/casa/.config" XDG_CACHE_HOME="$1/casa/.cache" \
         XDG_DATA_HOME="$1/casa/.local/share" XDG_RUNTIME_DIR="$1/execucao" TMPDIR="$1/tmp" \
         TECHASSIST_PASTA_TRAVAS="$1/travas"
  unset FIREBIRD FIREBIRD_LOCK
}
