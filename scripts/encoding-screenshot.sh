#!/usr/bin/env bash
# Pictures of the encoding choices: dialog 160 (reopening in an encoding), the Open dialog
# with its encoding list dropped down, the Save As dialog with its encoding list, mark box
# and line-ending list, and status bars with the encoding labels. Runs each under Wine on a
# virtual display and takes the screen around the window (and its dropped list) that the
# program says it showed;
# writes build/screenshots/encoding-*.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_encoding_shots 1024x768
folder="$out/encoding-files"
mkdir -p "$folder"
windows_folder="Z:$(printf '%s' "$folder" | tr '/' '\\')\\"
for which in choice open save status; do
  log="$out/encoding-$which.log"
  rm -f "$log"
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$which" "$windows_folder" 3 >"$log" 2>&1 &
  program=$!
  for _ in $(seq 1 120); do
    grep -q '^shown' "$log" 2>/dev/null && break
    sleep 0.5
  done
  sleep 1
  read -r _ x y w h < <(grep '^shown' "$log" | tr -d '\r')
  # A margin of two pixels where the screen has room (a dialog may sit at its corner).
  left=$((x > 2 ? x - 2 : 0)); top=$((y > 2 ? y - 2 : 0))
  DISPLAY=$display import -window root -crop "$((x + w + 2 - left))x$((y + h + 2 - top))+$left+$top" +repage "$out/encoding-$which.png"
  wait $program || true
  echo "$out/encoding-$which.png"
done
