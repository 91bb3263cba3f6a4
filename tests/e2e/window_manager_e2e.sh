#!/usr/bin/env bash
# End to end under a window manager (openbox on xvfb-run), driven by real key events
# (xdotool), checked against what the X server holds: the main window's outer height,
# the start-up "File not found" centred on the window, an input dialog's caption and
# place, every question, dialog and file dialog stacked above the always-on-top
# report window, and the process gone at once after File / Exit.
#
# Usage: window_manager_e2e.sh KELVARIN
# Exit 77 (skipped) only when xvfb-run is missing; tools/install-deps.sh installs it.
set -euo pipefail
kelvarin=$1

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed (tools/install-deps.sh installs it): skipped"
  exit 77
fi
for tool in xdotool openbox xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/install-deps.sh"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
kelvarin=$1; work=$2
openbox > "$work/openbox.log" 2>&1 &
# The window manager is ready once it has published the work area.
ready=""
for _ in $(seq 100); do
  if xprop -root _NET_WORKAREA 2>/dev/null | grep -q '='; then ready=yes; break; fi
  sleep 0.1
done
[ -n "$ready" ] || { echo "openbox did not start:"; cat "$work/openbox.log"; exit 1; }
sleep 0.3

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
keys() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.3; }
line() { xdotool type --delay 20 -- "$1"; keys Return; }
named() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
activate() { xdotool windowactivate --sync "$1" 2>/dev/null || true; sleep 0.3; }
# "x y width height" of a window's frame, from its client area and frame extents.
frame() {
  local l r t b extents=""
  for _ in $(seq 50); do
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | grep '=' || true)
    [ -n "$extents" ] && break
    sleep 0.05
  done
  read -r l r t b < <(echo "${extents:-= 0, 0, 0, 0}" | sed 's/.*= //; s/,//g')
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo $((X - l)) $((Y - t)) $((WIDTH + l + r)) $((HEIGHT + t + b))
}
# Whether window $1 is stacked above window $2.
above() {
  local order a b
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,/ /g')
  a=$(printf '0x%x' "$1"); b=$(printf '0x%x' "$2")
  local i=0 ia=-1 ib=-1
  for w in $order; do
    [ "$((w))" -eq "$((a))" ] && ia=$i
    [ "$((w))" -eq "$((b))" ] && ib=$i
    i=$((i + 1))
  done
  [ "$ia" -gt "$ib" ] && [ "$ib" -ge 0 ]
}
near() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; }

"$kelvarin" "$work/missing.sec" > "$work/log" 2>&1 &
pid=$!

# Start-up with a file that is not there: the message centred on the framed window,
# which is 0.9 of the work area tall, frame included.
box=$(named '^File spec: ')
main=$(named '^Kelvarin$')
sleep 0.5
read -r mx my mw mh < <(frame "$main")
read -r bx by bw bh < <(frame "$box")
area=$(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{ print $4 }')
want=$(awk -v h="$area" 'BEGIN { printf "%d", 0.9 * h + 0.5 }')
[ "$mh" -eq "$want" ] || fail "the window is $mh pixels tall with its frame, not $want"
near $((bx + bw / 2)) $((mx + mw / 2)) 2 && near $((by + bh / 2)) $((my + mh / 2)) 2 ||
  fail "File not found at $bx,$by ${bw}x$bh is not centred on the window at $mx,$my ${mw}x$mh"
activate "$box"
keys Return

# View / Magnify: an input dialog without a caption, a quarter down the window and
# centred across it, clear of the BuildPanel.
activate "$main"
keys alt+v m
dialog=$(xdotool getactivewindow)
name=$(xdotool getwindowname "$dialog")
[ "$name" = "Kelvarin" ] || [ -z "$name" ] || fail "the caption-less input dialog is called \"$name\""
read -r dx dy dw dh < <(frame "$dialog")
eval "$(xdotool getwindowgeometry --shell "$main")"
near "$dy" $((my + mh / 4)) 2 || fail "the input dialog's top is at $dy, not a quarter down the window ($((my + mh / 4)))"
[ "$dx" -ge $((X + 150)) ] || fail "the input dialog at x = $dx covers the BuildPanel (window at $X)"
keys Escape

# A square, closed, and its report: the output window stays on top.
activate "$main"
keys Return
for node in "10, 0" "10, 10" "0, 10"; do line "$node"; done
keys c
keys F3
sleep 0.5
output=""
for w in $(xdotool search --onlyvisible --name '^Kelvarin$'); do [ "$w" != "$main" ] && output=$w; done
[ -n "$output" ] || { fail "the report window did not open"; output=$main; }

# Questions and dialogs opened while the report is up are above it.
activate "$main"
keys alt+f x                               # File / Exit: "Save the file?"
question=$(named '^Save File$')
above "$question" "$output" || fail "the Save File question opened under the report window"
keys Escape                                # Cancel: the program stays
activate "$main"
keys alt+c l                               # Calculate / Line Properties
ask=$(named '^Line Properties$')
above "$ask" "$output" || fail "the Line Properties input dialog opened under the report window"
line "1-9"                                 # there is no node 9
error=$(named '^Input Error$')
above "$error" "$output" || fail "Input Error opened under the report window"
keys Return
activate "$main"
keys alt+f a                               # File / Save As: the file dialog
files=$(named '^Save File$')
above "$files" "$output" || fail "the file dialog opened under the report window"
keys Escape
activate "$output"
keys alt+t                                 # the report's "&To Printer "
print=$(named '^Print')
above "$print" "$output" || fail "the print dialog opened under the report window"
keys Escape
keys Return                                # "Printer connection failed"

# File / Exit, No: the process ends with its window.
activate "$main"
keys alt+f x
named '^Save File$' > /dev/null
keys n
gone=""
for _ in $(seq 10); do kill -0 "$pid" 2>/dev/null || { gone=yes; break; }; sleep 0.1; done
if [ -z "$gone" ]; then
  fail "the process was still there a second after its window closed"
  kill "$pid" 2>/dev/null || true
fi
wait "$pid" || true
[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
SESSION

export QT_QPA_PLATFORM=xcb
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/session.sh" "$kelvarin" "$work" || {
  echo "the program said:"; cat "$work/log"; exit 1; }
echo "e2e: under a window manager every dialog is placed, named and stacked as it should be"
