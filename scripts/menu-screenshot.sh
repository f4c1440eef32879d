#!/usr/bin/env bash
# Pictures of the menus: each popup of the menu bar open with an entry highlighted (the
# help menu with its submenu open), and the context menu. Runs the menus under Wine on a
# virtual display of its own and takes the screen around the window; writes
# build/screenshots/menu-*.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_menu_shots 800x520
names=(file edit search view tool window help context)
for popup in 0 1 2 3 4 5 6 7; do
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$popup" 4 &
  program=$!
  sleep 3
  DISPLAY=$display import -window root -crop 700x320+20+20 +repage "$out/menu-${names[$popup]}.png"
  wait $program || true
  echo "$out/menu-${names[$popup]}.png"
done
