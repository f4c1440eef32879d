#!/usr/bin/env bash
# Pictures of the options dialog: one per page (the dialog at (20, 20) with the page chosen
# in the tree) and one of the extension dialog over the file-type page. Writes
# build/screenshots/options-<page>.png, the names of the pictures in docs/.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_options_shots 900x520
names=(general confirm tools save editor marks clickable file-types tabs extension)
pages=(0 1 2 3 4 5 6 7 8 entry)
for i in "${!pages[@]}"; do
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "${pages[$i]}" 6 &
  program=$!
  sleep 5
  DISPLAY=$display import -window root -crop 680x400+14+14 +repage "$out/options-${names[$i]}.png"
  wait $program || true
  echo "$out/options-${names[$i]}.png"
done
