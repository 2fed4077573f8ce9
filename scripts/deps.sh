#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, or tells how to.
# Sourced by test.sh and play.sh.

TAMBLO_PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev fonts-liberation2
  libsdl2-dev
  xvfb xauth xdotool openbox imagemagick x11-apps
)

tamblo_missing_packages() {
  local p missing=()
  for p in "${TAMBLO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]}"
}

tamblo_install_deps() {
  local missing
  missing=$(tamblo_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
  else
    echo "Missing Debian packages. Run:"
    echo "  sudo apt-get install -y $missing"
    return 1
  fi
}

tamblo_build() {
  local dir=${1:-build}
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBLO_WERROR=ON >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
