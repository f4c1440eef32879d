#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, inside a virtual X display unless one
# is given (DISPLAY set), in the project's own Wine prefix (build/wineprefix). The first
# run creates the prefix and waits for it to be complete; it also maps the Japanese
# default font names to the installed IPA fonts so that Japanese text renders.
# Wine's own diagnostics are kept out of the output.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8

prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.kvte-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local key='HKCU\Software\Wine\Fonts\Replacements'
    for name in "ＭＳ ゴシック" "MS Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
      wine reg add "$key" /v "$name" /d "IPAGothic" /f >/dev/null 2>&1
    done
    for name in "ＭＳ 明朝" "MS Mincho"; do
      wine reg add "$key" /v "$name" /d "IPAMincho" /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.kvte-ready"
  fi
  flock -u 9
}

prepare_prefix
if [ "${1:-}" = "--prepare-only" ]; then exit 0; fi

# Under our own Xvfb there is no window manager: Wine then draws title bars and frames
# itself. On a desktop the window manager does it. Switched only when it changes.
window_manager() {
  local want=$1 state="$WINEPREFIX/.kvte-managed"
  if [ "$(cat "$state" 2>/dev/null)" != "$want" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$want" /f >/dev/null 2>&1 || true
    echo "$want" > "$state"
  fi
}

if [ -z "${DISPLAY:-}" ]; then
  export KVTE_OWN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
if [ -n "${KVTE_OWN_DISPLAY:-}" ]; then window_manager N; else window_manager Y; fi
# Wine prints its own complaints on stderr; the program's output is stdout.
wine "$@" 2> >(grep --line-buffered -v -E '^(wine:|fixme:|err:|warn:|[0-9a-f]{4}:|X connection to )' >&2)
