#!/usr/bin/env bash
# Pictures of a C, an HTML, a Perl, a Markdown, a batch and an ini file coloured by the
# shipped environments, each in the default and the dark colour scheme side by side.
# Writes build/screenshots/emphasis-{c,html,perl,markdown,bat,ini}.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_emphasis_shots 800x600
# Wine sees the Linux root as drive Z:.
windows() { printf 'Z:%s' "$1" | tr '/' '\\'; }
rm -f "$out"/emphasis-*.bmp
DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" "$(windows "$out")" \
  "$(windows "$here/data/")"
for language in c html perl markdown bat ini; do
  convert "$out/emphasis-$language-default.bmp" "$out/emphasis-$language-dark.bmp" +append \
    "$out/emphasis-$language.png"
  rm -f "$out/emphasis-$language-default.bmp" "$out/emphasis-$language-dark.bmp"
  echo "$out/emphasis-$language.png"
done
