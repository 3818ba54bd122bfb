#!/usr/bin/env bash
# Builds crepuscule.exe and runs it under Wine, on a private Xvfb display when
# there is no desktop. Saves a screenshot of the main window to
# build/screenshots/run.png and prints its path, then keeps the program running
# until it ends (in CI or without a terminal it is ended at once).
#   scripts/run.sh [switches of the program...]
# CREP_WINVER picks the Windows version Wine reports (default winxp).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CREP_BUILD="${CREP_BUILD:-$root/build}"
# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" win64

exe="$CREP_BUILD/win64/crepuscule.exe"
wintool="$CREP_BUILD/win64/wintool.exe"
prefix="$CREP_BUILD/wine/run"
shots="$CREP_BUILD/screenshots"
mkdir -p "$shots"

own_display=0
if [ -z "${DISPLAY:-}" ]; then
  crep_xvfb_start
  own_display=1
fi
program=""
cleanup() {
  if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then crep_prefix_end "$prefix"; fi
  crep_xvfb_stop
}
trap cleanup EXIT

crep_template "$CREP_BUILD/wine/template"
# One prefix kept between runs, like a real machine (the settings file stays);
# a new run replaces a previous one still going.
crep_prefix_end "$prefix"
[ -f "$prefix/user.reg" ] || crep_prefix_copy "$CREP_BUILD/wine/template" "$prefix"
crep_prefix_version "$prefix" "${CREP_WINVER:-winxp}"
# A real desktop's window manager may manage the windows; Xvfb has none.
crep_reg_set "$prefix/user.reg" 'Software\\Wine\\X11 Driver' Managed "\"$([ $own_display = 1 ] && echo N || echo Y)\""
crep_prefix_warmup "$prefix"

wine_run() { WINEDEBUG=-all crep_wine "$prefix" "$@"; }

wine_run "$exe" "$@" </dev/null &
program=$!
echo "crepuscule.exe started (display $DISPLAY, prefix $prefix)"

# The main window: caption "Crepuscule", not a message box, not the hidden window. (No grep
# -q: under pipefail the early exit would fail the pipe.)
main_window_shown() {
  wine_run "$wintool" list 2>/dev/null | grep -v -e '^{"hwnd": [0-9]*, "class": "ThunderRT6Main"' \
    -e '^{"hwnd": [0-9]*, "class": "#32770"' | grep '"caption": "Crepuscule", "visible": true' >/dev/null
}
shown=0
for _ in $(seq 1 40); do
  if main_window_shown; then shown=1; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
sleep 0.5
import -display "$DISPLAY" -window root "$shots/run.png"
if [ $shown = 1 ]; then echo "main window shown"; else echo "no main window seen (the program may have ended or be in the tray)"; fi
echo "screenshot: $shots/run.png"

if [ "${CI:-}" = true ] || [ ! -t 0 ]; then
  crep_prefix_end "$prefix"
  wait "$program" 2>/dev/null || true
  program=""
else
  echo "the program runs; close it (or press Ctrl+C) to end"
  wait "$program" || true
  program=""
fi
