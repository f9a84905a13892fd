#!/usr/bin/env bash
# Renews the screenshots in docs/: both editions connected to the logger emulator, with the property
# panel filled, after a history download (chart), and the data list. Needs a built tree
# (scripts/build.sh); runs the programs under xvfb and clicks with xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/lib.sh
command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool
out="$PWD/docs"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

for edition in zh en; do
  start_emulator "$edition" "$work/ttyZorva" --die-with-parent > /dev/null 2>&1
  write_settings "$edition" "$work/ttyZorva"
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    set -e
    build/$edition/Zorva_Record & app=\$!
    sleep 6
    import -window root '$out/screenshot-$edition.png'
    if [ $edition = zh ]; then
      xdotool mousemove 398 30 click 1    # DeviceReset: the window menu
      sleep 1
      import -window root '$out/screenshot-zh-menu.png'
      xdotool key Escape
      sleep 0.5
    fi
    xdotool mousemove 290 30 click 1      # HisdataDownload
    sleep 14
    xdotool mousemove 800 400             # cursor line and value box over the curves
    sleep 1
    import -window root '$out/screenshot-$edition-history.png'
    kill \$app; wait \$app 2>/dev/null || true"
  kill $sim_pid; wait $sim_pid 2>/dev/null || true
done
echo "screenshots written to $out"
