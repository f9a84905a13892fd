# Shared by run.sh and screenshots.sh; sourced, not run.

# write_settings EDITION DEVICE: the settings beside the program point port 1 at DEVICE, with the
# background colours of the default skin.
write_settings() {
  cat > "build/$1/Pelnix_Conifg.ini" <<INI
[Main_Info]
Main_Bk_Color=233,237,242
Dialog_Bk_Color=244,246,249
[Com_Parameter]
Com_Port=1
[Com_Devices]
COM1=$2
INI
}

# start_emulator EDITION LINK [options]: starts the logger emulator at LINK in the background (its
# pid in sim_pid) and waits for the link. The English edition reads the logger's names in code page
# 1252, so it gets a logger with such names.
start_emulator() {
  local edition="$1" link="$2"
  shift 2
  local scenario=()
  [ "$edition" = en ] && scenario=(--scenario tools/logger-sim/scenarios/english-eight-channels.ini)
  rm -f "$link"
  build/tools/logger-sim/zorva-logger-sim --link "$link" "${scenario[@]}" "$@" &
  sim_pid=$!
  for _ in $(seq 1 50); do [ -e "$link" ] && break; sleep 0.1; done
}
