#!/usr/bin/env bash
# Prepares a Wine prefix so that the program is drawn as Windows draws it: Wine's own Tahoma comes
# from Debian's fonts-wine, Courier New (which Wine lacks) is mapped to Liberation Mono, which has
# its metrics. Makes the prefix first when it does not exist.
#   tools/wine-prefix.sh PREFIX
set -euo pipefail
prefix=${1:?"usage: tools/wine-prefix.sh PREFIX"}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$prefix"
[ -f "$prefix/system.reg" ] || wineboot --init >/dev/null 2>&1
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Courier New"="Liberation Mono"\r\n' >"$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
