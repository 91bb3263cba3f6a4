#!/usr/bin/env bash
# End to end: the real program on an X server (xvfb-run), driven by real key events
# (xdotool). It types an L-shaped polygon from the "0, 0" the window starts with,
# closes it with C, saves it through File / Save As and the file dialog, leaves
# through File / Exit, and checks the saved file's properties with
# `kelvarin-cli report --json`.
#
# Usage: save_as_e2e.sh KELVARIN KELVARIN_CLI
# Exit 77 (skipped) only when xvfb-run is missing; tools/install-deps.sh installs it.
set -euo pipefail
kelvarin=$1
cli=$2

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed (tools/install-deps.sh installs it): skipped"
  exit 77
fi
command -v xdotool >/dev/null || { echo "xdotool is missing: run tools/install-deps.sh"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
saved="$work/l-shape.sec"

# The session on the X server: everything the user does, with real key events.
cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
kelvarin=$1; saved=$2; log=$3
"$kelvarin" > "$log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Kelvarin$' | head -1)
xdotool windowfocus --sync "$window"
sleep 0.3
keys() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.15; }
line() { xdotool type --delay 30 "$1"; keys Return; }

keys Return                     # node 1 at the "0, 0" already in the line
for node in "40, 0" "40, 10" "10, 10" "10, 30" "0, 30"; do line "$node"; done
keys c                          # closes the polygon
keys alt+f a                    # File / Save&As
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Save File$' | head -1)
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 20 "$saved"
keys Return                     # the file dialog takes the name
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.2; done
# Without a window manager nothing gives the main window back its activation when
# the dialog goes: the user's click on it, here.
xdotool windowfocus --sync "$window"
sleep 0.3
keys alt+f x                    # File / E&xit: nothing changed since the save
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not end after File / Exit"; kill "$pid"; exit 1
fi
wait "$pid"
SESSION

# The real window system, whatever the test suite's default platform is.
export QT_QPA_PLATFORM=xcb
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/session.sh" "$kelvarin" "$saved" "$work/log" || {
  echo "the session failed; the program said:"; cat "$work/log"; exit 1; }

[ -s "$saved" ] || { echo "nothing was saved to $saved"; cat "$work/log"; exit 1; }
json=$("$cli" report --json "$saved")
echo "$json"
# Each value against its closed form: the L of a 40 x 10 and a 10 x 20 rectangle.
check() {
  local name=$1 want=$2
  local got
  got=$(printf '%s' "$json" | sed -n "s/.*\"$name\": *\([-0-9.e+]*\).*/\1/p")
  awk -v g="$got" -v w="$want" -v n="$name" 'BEGIN {
    d = g - w; if (d < 0) d = -d; s = w < 0 ? -w : w; if (s < 1) s = 1;
    if (g == "" || d > 1e-6 * s) { printf "%s is %s, expected %s\n", n, g, w; exit 1 } }'
}
check A 600
check xBar 15
check yBar 10
check Ixx 40000
check Iyy 85000
check Ixy -30000
echo "e2e: the saved L-shape has the expected properties"
