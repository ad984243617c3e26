#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the program under Wine and the tests need.
#   tools/install-deps.sh              install (or bring up to date) all of it
#   tools/install-deps.sh --if-missing install only when something is missing
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev python3
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    mingw-w64 wine wine64 xvfb x11-utils imagemagick
    fonts-wine fonts-liberation
    cups printer-driver-cups-pdf poppler-utils
    nsis
)

have_everything() {
    local tool
    for tool in cmake ninja g++ clang++ python3 x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix \
                wine wineserver Xvfb import makensis; do
        command -v "$tool" >/dev/null 2>&1 || return 1
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] && [ -f /usr/include/benchmark/benchmark.h ] \
        && [ -f /usr/lib/x86_64-linux-gnu/libgtest.a ] && [ -f /usr/share/wine/fonts/tahoma.ttf ] \
        && [ -f /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf ] \
        && [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd ] && command -v pdftotext >/dev/null
}

if [ "${1:-}" = "--if-missing" ] && have_everything; then
    exit 0
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing build and test tools: ${packages[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
