#!/usr/bin/env bash
# Pictures of the tab bar with Japanese names, scrolled by one tab: without the pointer
# on it, with the balloon tooltip of a tab, and with the close button hot and its
# tooltip. Runs the bar under Wine on a virtual display of its own and takes the screen
# around the window; writes build/screenshots/tabs-*.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_tab_bar_shots 800x300
for pointer in none tab close; do
  DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$pointer" 6 &
  program=$!
  sleep 5
  # The balloon rises above the window and, at the close button, reaches past its right;
  # without the pointer the top of the window is enough.
  crop=780x165+10+40
  if [ "$pointer" = none ]; then crop=644x34+18+108; fi
  DISPLAY=$display import -window root -crop "$crop" +repage "$out/tabs-$pointer.png"
  wait $program || true
  echo "$out/tabs-$pointer.png"
done
