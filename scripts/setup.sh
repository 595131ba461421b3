# Sourced by the project's commands: installs what a fresh Debian 12 machine lacks
# and builds a configuration of the project. Quiet when nothing is missing.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The compiler cache is ccache's default one of the user, ~/.cache/ccache
# (`ccache -k cache_dir` prints it; CCACHE_DIR moves it). Paths are hashed
# relative to the folder holding the checkout, so that several checkouts and
# clones on the machine share it; the build sets the sloppiness it needs for
# precompiled headers (cmake/FastBuild.cmake).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"

PACKAGES=(
  cmake g++ ninja-build ccache mold pkg-config tzdata
  qt6-base-dev libgl-dev qt6-translations-l10n
  firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
  libgtest-dev libgmock-dev libbenchmark-dev libzint-dev
  poppler-utils qpdf libxlsxwriter-dev unzip libcurl4-openssl-dev
  xvfb xauth strace
)

stage_start() { STAGE_NAME="$1"; STAGE_T0=$(date +%s); echo "== $1"; }
# Each stage's time is printed, and kept in TA_STAGE_LOG when set (.ci/run).
stage_end() {
  local took=$(( $(date +%s) - STAGE_T0 ))
  echo "== $STAGE_NAME: ${took}s"
  [ -z "${TA_STAGE_LOG:-}" ] || printf '%-40s %5ds\n' "$STAGE_NAME" "$took" >> "$TA_STAGE_LOG"
}

# The number of tests that skipped in the last ctest run of a build folder,
# with each one's reason (kept in TA_STAGE_LOG too): a skip shows in CI.
report_skipped() {
  local log="$1/Testing/Temporary/LastTest.log" count
  [ -f "$log" ] || return 0
  count=$(awk '/^\[  SKIPPED \] [0-9]+ tests?\.$/ {n += $4} END {print n + 0}' "$log")
  echo "== skipped tests: $count"
  awk '/: Skipped$/ {getline why; print "   " $0 " " why}' "$log"
  [ -z "${TA_STAGE_LOG:-}" ] || printf '%-40s %5d\n' "skipped tests ($STAGE_NAME)" "$count" >> "$TA_STAGE_LOG"
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  stage_start "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  stage_end
}

# run_suite BUILD_DIR [ctest arguments...]: the suite of a build, three tests
# a core: most of a test's time is spent waiting (on the disk's flushes, on
# other processes it started), and on two cores the suite took 2.3 times as
# long with two tests at a time as with six. The machine's load does not hold
# a test back (no `--test-load`: CTest would start none while other work keeps
# the load above it, and wait for ever): a loaded machine makes the suite
# slower, and the limits (ta_test_timeout) are set for a crowded one.
run_suite() {
  local dir="$1"; shift
  (cd "$dir" && ctest --output-on-failure --parallel "$(( $(nproc) * 3 ))" "$@")
}

# configure_and_build BUILD_DIR BUILD_TYPE [cmake options...]
configure_and_build() {
  local dir="$1" type="$2"; shift 2
  stage_start "configure $dir"
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  stage_end
  stage_start "build $dir"
  # TA_BUILD_JOBS caps the compilers of a build on a machine shared by several checkouts.
  cmake --build "$dir" --parallel "${TA_BUILD_JOBS:-$(nproc)}"
  stage_end
}
