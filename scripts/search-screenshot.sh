#!/usr/bin/env bash
# Pictures of the find and the replace dialog over an editing view, with the search
# history's list dropped down, and as they open with every control in sight. Runs each
# under Wine on a virtual display of its own and takes the screen around the view; writes
# build/screenshots/{find,replace}-dialog.png and {find,replace}-dialog-controls.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_search_shots 800x480
for picture in find-dialog replace-dialog find-dialog-controls replace-dialog-controls; do
  which=${picture%%-*}
  mode=list
  [ "${picture##*-}" = controls ] && mode=controls
  log="$out/$picture.log"
  rm -f "$log"
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$which" 3 "$mode" >"$log" 2>&1 &
  program=$!
  # The program says when the history's list is open.
  for _ in $(seq 1 120); do
    grep -q dropped "$log" 2>/dev/null && break
    sleep 0.5
  done
  sleep 1
  # The view's frame sits at (20, 20), 640 by 360.
  DISPLAY=$display import -window root -crop 644x364+18+18 +repage "$out/$picture.png"
  wait $program || true
  echo "$out/$picture.png"
done
