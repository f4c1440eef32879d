#!/usr/bin/env bash
# Pictures of the menus: each popup of the menu bar open with an entry highlighted (the
# help menu with its submenu open), and the context menu. Runs the menus under Wine on a
# virtual display of its own and takes the screen around the window; writes
# build/screenshots/menu-*.png.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/screenshots"
exe="$here/build/win/tests/win/kvte_menu_shots.exe"
if [ ! -f "$exe" ]; then
  cmake --build "$here/build/win" --target kvte_menu_shots
fi
mkdir -p "$out"
bash "$here/scripts/wine-run.sh" --prepare-only
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x520x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
names=(file edit search view tool window help context)
for popup in 0 1 2 3 4 5 6 7; do
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$popup" 4 &
  program=$!
  sleep 3
  DISPLAY=$display import -window root -crop 700x320+20+20 +repage "$out/menu-${names[$popup]}.png"
  wait $program || true
  echo "$out/menu-${names[$popup]}.png"
done
