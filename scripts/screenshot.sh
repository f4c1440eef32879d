#!/usr/bin/env bash
# Renders editing views with sample texts (Japanese prose with JIS X 0213 characters, a
# C source with emphasis rules, links, a bookmark, a selection, every mark, wrapping on
# and off) under Wine in a virtual display, and writes them as PNG pictures to
# build/screenshots. The Windows build must exist (make screenshot builds it first).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/screenshots"
exe="$here/build/win/scripts/kvte_view_shots.exe"
if [ ! -f "$exe" ]; then
  cmake --build "$here/build/win" --target kvte_view_shots
fi
mkdir -p "$out"
rm -f "$out"/*.bmp
# Wine sees the Linux root as drive Z:.
windows_out="Z:$(printf '%s' "$out" | tr '/' '\\')"
bash "$here/scripts/wine-run.sh" "$exe" "$windows_out"
# The long file with line numbers on a screen of 144 DPI.
KVTE_WINE_DPI=144 bash "$here/scripts/wine-run.sh" "$exe" "$windows_out" huge
shopt -s nullglob
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
  echo "${bmp%.bmp}.png"
done
