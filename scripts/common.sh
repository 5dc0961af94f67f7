# Shared by run-tests.sh and run-demo.sh: installs missing Debian packages and builds.
# Source it; it sets ROOT and BUILD.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VORDA_BUILD_DIR:-$ROOT/build}"

BUILD_PACKAGES=(g++ cmake ninja-build pkg-config locales qt6-base-dev qt6-serialport-dev qt6-svg-dev
                libqcustomplot-dev libgtest-dev libgmock-dev libbenchmark-dev
                libgl-dev)
BUILD_PACKAGES+=(qt6-translations-l10n poppler-utils)  # Qt's Polish dialog texts; the print test renders PDF pages
BUILD_PACKAGES+=(qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools)  # lupdate and lrelease for the English catalogues

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the given packages that are missing.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() {
  ensure_packages "${BUILD_PACKAGES[@]}"
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$BUILD" "$@"
}
