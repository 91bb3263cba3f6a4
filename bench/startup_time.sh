#!/usr/bin/env bash
# Start-up and shut-down time of the desktop program. KELVARIN_EXIT_AFTER_PAINT=1
# makes it close its main window (through the close protocol, as the close box does)
# as soon as the window has been painted for the first time; the script gives the
# median wall-clock time from launching `kelvarin` to that first paint, and the
# median and longest time from the window's close to the end of the process, over
# RUNS runs. Runs on the X server in DISPLAY, or on its own Xvfb when there is none.
#
# Usage: bench/startup_time.sh [PROGRAM] [RUNS]   (default build/release/kelvarin, 10)
set -euo pipefail
program=${1:-build/release/kelvarin}
runs=${2:-10}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$program" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

times=()
inside=()
lingers=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  out=$(KELVARIN_EXIT_AFTER_PAINT=1 "$program" 2>/dev/null)
  end=$(date +%s%N)
  closed=$(printf '%s' "$out" | sed -n 's/window closed at \([0-9]*\) ns/\1/p')
  [ -n "$closed" ] || { echo "run $i: the program did not report its close"; exit 1; }
  times+=($(( (closed - start) / 1000000 )))
  lingers+=($(( (end - closed) / 1000000 )))
  inside+=("$(printf '%s' "$out" | sed -n 's/first paint after \([0-9]*\) ms/\1/p')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
  print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
longest() { printf '%s\n' "$@" | sort -n | tail -1; }
echo "runs: ${times[*]} ms (launch to first paint, wall clock)"
echo "median start-up: $(median "${times[@]}") ms over $runs runs" \
     "(of which from main to first paint: $(median "${inside[@]}") ms)"
echo "close to exit: ${lingers[*]} ms"
echo "median close to exit: $(median "${lingers[@]}") ms, longest $(longest "${lingers[@]}") ms"
