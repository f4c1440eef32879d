#!/usr/bin/env bash
# Pictures of the main window's toolbar and status bar: the toolbar with the balloon
# tooltip of a button, and the status bar with its six parts filled. Runs the bars under
# Wine on a virtual display of its own and takes the screen around the window; writes
# build/screenshots/toolbar-tooltip.png and build/screenshots/statusbar-parts.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_bars_shots 800x400
DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" button 6 &
program=$!
sleep 5
# The frame sits at (20, 110), 640 by 200; the balloon rises above the toolbar.
DISPLAY=$display import -window root -crop 660x150+10+20 +repage "$out/toolbar-tooltip.png"
DISPLAY=$display import -window root -crop 644x40+18+272 +repage "$out/statusbar-parts.png"
wait $program || true
echo "$out/toolbar-tooltip.png"
echo "$out/statusbar-parts.png"
