# Shared by the two set-up commands: install what is missing, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${NUMERELLE_BUILD_DIR:-$ROOT/build}"
JOBS="${NUMERELLE_JOBS:-$(nproc)}"

# Debian packages the build, the tests and the benchmarks need.
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev
  libgtest-dev libbenchmark-dev
  libmuparser-dev libgmp-dev
  xvfb xauth fonts-wqy-microhei
  locales
)

install_missing_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
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

configure_and_build() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" -j "$JOBS"
}
