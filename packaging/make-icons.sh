#!/usr/bin/env bash
# Draws the PNG icons from icons/zeb7.svg; the PNGs are kept in the repository, so the build needs no
# SVG renderer. Run again after changing the SVG (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 256 128 64 48; do
  rsvg-convert --width "$size" --height "$size" zeb7.svg --output "zeb7-$size.png"
done
