#!/usr/bin/env bash
# Screenshots of the desktop program for a look at it: a filleted I-section and an
# arc segment typed through real key events, then the report, the log listing, the
# About box and Preferences. Writes main.png, report.png, log.png, about.png and
# preferences.png into OUT. Uses the X server in DISPLAY, or its own Xvfb with the
# openbox window manager (so that the windows have their frames and captions).
#
# Usage: tools/screenshots.sh [PROGRAM] [OUT]   (default build/release/kelvarin, shots)
set -euo pipefail
program=$(realpath "${1:-build/release/kelvarin}")
out=${2:-shots}
if [ -z "${DISPLAY:-}" ]; then
  KELVARIN_SHOTS_OWN_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program" "$out"
fi
mkdir -p "$out"
work=$(mktemp -d)
if [ -n "${KELVARIN_SHOTS_OWN_X:-}" ] && command -v openbox >/dev/null; then
  openbox > /dev/null 2>&1 &
  sleep 0.5
fi
export QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
"$program" > "$work/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvarin$' | head -1)
# Activation through the window manager when there is one, plain focus otherwise.
focus() { xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"; sleep 0.3; }
focus
keys() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.2; }
line() { xdotool type --delay 15 -- "$1"; keys Return; }
shot() { sleep 0.5; /usr/bin/import -window root "$out/$1.png"; }

# I-section 200 x 300, flanges 15, web 10, root fillets 12; then an arc segment.
for node in "-100, 0" "100, 0" "100, 15" "5, 15" "5, 285" "100, 285" "100, 300" \
            "-100, 300" "-100, 285" "-5, 285" "-5, 15" "-100, 15"; do line "$node"; done
keys c
keys f && line "12, 4, 5, 10, 11"
keys a && line "250, 150, 60" && line "30, 150, 15"
shot main
keys F3 && shot report
keys Escape
keys ctrl+l && shot log
keys Escape
focus
keys alt+h a && shot about
keys Escape
focus
keys alt+f r && shot preferences
keys Escape
echo "screenshots in $out/"
