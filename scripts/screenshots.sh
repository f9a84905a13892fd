#!/usr/bin/env bash
# Renews the screenshots in docs/: both editions connected to the logger emulator, with the property
# panel filled, after a history download (chart), and the data list. Needs a built tree
# (scripts/build.sh); runs the programs under xvfb and clicks with xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool
out="$PWD/docs"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

for edition in zh en; do
  # The English edition reads the logger's names in code page 1252: give it such a logger.
  scenario=()
  [ "$edition" = en ] && scenario=(--scenario tools/logger-sim/scenarios/english-eight-channels.ini)
  rm -f "$work/ttyZorva"
  build/tools/logger-sim/zorva-logger-sim --link "$work/ttyZorva" --die-with-parent "${scenario[@]}" \
    > /dev/null 2>&1 & sim=$!
  for _ in $(seq 1 50); do [ -e "$work/ttyZorva" ] && break; sleep 0.1; done
  cat > "build/$edition/Pelnix_Conifg.ini" <<INI
[Main_Info]
Main_Bk_Color=233,237,242
Dialog_Bk_Color=244,246,249
[Com_Parameter]
Com_Port=1
[Com_Devices]
COM1=$work/ttyZorva
INI
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
  kill $sim; wait $sim 2>/dev/null || true
done
echo "screenshots written to $out"
