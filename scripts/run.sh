#!/usr/bin/env bash
# The main job on a fresh machine: build, start the bundled logger emulator (unless a logger is
# named), print the connected logger's properties, and start the window program connected to it.
#
#   bash scripts/run.sh            Chinese edition
#   bash scripts/run.sh en         English edition
#   ZORVA_DEVICE=/dev/ttyUSB0 bash scripts/run.sh    use a real logger instead of the emulator
#
# Without a display the program runs under xvfb-run for a few seconds and a screenshot is saved
# to build/run/screenshot-<edition>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
edition="${1:-zh}"
case "$edition" in zh|en) ;; *) echo "usage: scripts/run.sh [zh|en]" >&2; exit 2 ;; esac

bash scripts/build.sh
source scripts/lib.sh
run_dir="$PWD/build/run"
mkdir -p "$run_dir"

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

device="${ZORVA_DEVICE:-}"
if [ -z "$device" ]; then
  device="$run_dir/ttyZorva"
  start_emulator "$edition" "$device" > "$run_dir/logger-sim.log" 2>&1
  echo "Logger emulator running at $device"
fi

build/tools/cli/zorva-cli info --device "$device" --edition "$edition"

program="build/$edition/Zorva_Record"
if [ ! -x "$program" ]; then
  echo "(window program not built: $program)"
  exit 0
fi
# The program reads its settings beside the executable: point port 1 at the logger.
write_settings "$edition" "$device"

if [ -n "${DISPLAY:-}" ]; then
  "$program"
else
  shot="$run_dir/screenshot-$edition.png"
  xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
    '$program' & app=\$!
    sleep 8
    import -window root '$shot'
    kill \$app 2>/dev/null; wait \$app 2>/dev/null || true"
  echo "No display: ran under xvfb-run; screenshot saved to $shot"
fi
