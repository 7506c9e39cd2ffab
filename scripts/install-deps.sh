#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Idempotent: prints nothing and touches nothing when every package is present
# and the comma-decimal locale the number-parsing tests use exists.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    libsdl2-dev libepoxy-dev liblua5.1-0-dev libtinyxml2-dev
    libpng-dev libjpeg-dev libogg-dev libtheora-dev zlib1g-dev libvorbis-dev libfreetype-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri locales
    clang libclang-rt-14-dev
)
test_locale=de_DE.UTF-8

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
has_locale() { locale -a 2>/dev/null | grep -qix "${test_locale/UTF-8/utf8}"; }
[[ ${#missing[@]} -eq 0 ]] && has_locale && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install packages" >&2; exit 1; }
    sudo=(sudo)
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! has_locale; then
    echo "Generating the $test_locale locale"
    "${sudo[@]}" localedef -i "${test_locale%%.*}" -f UTF-8 "$test_locale"
fi
