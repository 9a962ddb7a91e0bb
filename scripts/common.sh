# Shared by the two set-up commands: install what is missing, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${NUMERELLE_BUILD_DIR:-$ROOT/build}"
JOBS="${NUMERELLE_JOBS:-$(nproc)}"

# Debian packages that building and running the program need (libxcb1-dev:
# the window takes the close button itself while a box is open; the Qt
# translations put the toolkit's own buttons and menus in Chinese).
RUN_PACKAGES=(
  cmake ninja-build g++
  qt6-base-dev libxcb1-dev librsvg2-bin
  fonts-wqy-microhei qt6-translations-l10n
)
# What the tests add: GoogleTest, a virtual screen, the package and desktop
# file checkers, the benchmarks with the peers they are measured against, and
# clang with its libFuzzer runtime (for the fuzz targets and a second
# compiler's build) and ccache.
TEST_PACKAGES=(
  libgtest-dev xvfb xauth clang ccache
  dpkg-dev lintian desktop-file-utils appstream
  pkg-config libbenchmark-dev libmuparser-dev libgmp-dev
  locales
  clang libclang-rt-14-dev
)

# install_missing_packages PACKAGE...
install_missing_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "== Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# configure DIR CMAKE-ARGUMENT...: a Release tree in which warnings fail the build.
configure() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@"
}

configure_and_build() {
  configure "$@"
  cmake --build "$1" -j "$JOBS"
}
