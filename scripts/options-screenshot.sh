#!/usr/bin/env bash
# Pictures of the options dialog: one per page (the dialog at (20, 20) with the page chosen
# in the tree) and one of the extension dialog over the file-type page. Writes
# build/screenshots/options-<n>.png for the pages 0-7 and options-entry.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_options_shots 900x520
for page in 0 1 2 3 4 5 6 7 entry; do
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$page" 6 &
  program=$!
  sleep 5
  DISPLAY=$display import -window root -crop 680x400+14+14 +repage "$out/options-$page.png"
  wait $program || true
  echo "$out/options-$page.png"
done
