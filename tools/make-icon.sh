#!/usr/bin/env bash
# Draws the program's icon (a telephone handset with a "blocked" sign) with ImageMagick at 256 px
# and writes src/app/Vantelmoor.ico with the sizes Windows asks for: 16 and 20 (the tray at 100 and
# 125 %), 24, 32 and 48 (the window, Explorer). Run it after changing the drawing; the .ico is
# committed.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 256x256 xc:none \
    -fill '#1d4e89' -stroke '#0f2c52' -strokewidth 6 -draw "roundrectangle 8,8 248,248 48,48" \
    -fill none -stroke white -strokewidth 36 -draw "ellipse 112,128 72,62 195,345" \
    -stroke none -fill white -draw "translate 44,140 rotate 18 roundrectangle -30,-26 30,34 14,14" \
    -draw "translate 180,140 rotate -18 roundrectangle -30,-26 30,34 14,14" \
    -fill '#d62828' -stroke white -strokewidth 10 -draw "circle 188,188 188,240" \
    -stroke white -strokewidth 16 -draw "line 158,218 218,158" \
    "$work/256.png"
sizes=(16 20 24 32 48)
for size in "${sizes[@]}"; do
    convert "$work/256.png" -filter Lanczos -resize "${size}x${size}" "$work/$size.png"
done
convert $(for size in "${sizes[@]}"; do echo "$work/$size.png"; done) src/app/Vantelmoor.ico
identify src/app/Vantelmoor.ico
