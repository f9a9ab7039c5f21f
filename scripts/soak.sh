#!/usr/bin/env bash
# Soak run of the dryer prototype (not part of the test command): starts it on an Xvfb display of
# its own and for the given time operates it at random as a person might: clicks on the panel's
# buttons (also pressed on one button and released elsewhere), Ctrl-held combinations, key
# presses, and slider moves by mouse and keyboard on the simulation window. Every minute it
# reports crashes (process gone; the prototype is started again), hangs (a window not answering
# a message within 5 s) and the resident memory of the siccora.exe processes; at the end one
# summary line. Exit code 0 when there was neither a crash nor a hang.
#
#   scripts/soak.sh [--minutes N] [--seed S]      defaults: 10 minutes, seed from the clock
set -euo pipefail
source "$(dirname "$0")/prototype-session.sh"
minutes=10
seed=$(date +%s)
proto_options "minutes seed" "$@"
proto_session_begin
log=$proto_build_dir/soak-actions.log
: >"$log"

# Where to click: the button table of the device picture (client pixels) and, from the probe,
# the panel's client origin and the sliders' screen rectangles.
mapfile -t buttons < <(proto_buttons | cut -d' ' -f1-4)
[ ${#buttons[@]} -eq 5 ] || { echo "soak.sh: found ${#buttons[@]} buttons in the layout table" >&2; exit 1; }
panel_x=0 panel_y=0 sliders=()
read_places() {
  local line
  sliders=()
  while read -r line; do
    set -- $line
    case "$1" in
      panel) panel_x=$2 panel_y=$3 ;;
      slider) sliders+=("$2 $3 $4 $5") ;;
    esac
  done < <(proto_probe_run places)
}

start_prototype() {
  proto_start || return 1
  read_places
  echo "$(date -u +%T) started: panel client at $panel_x,$panel_y, ${#sliders[@]} sliders, pids $(proto_pids | tr '\n' ' ')" | tee -a "$log"
}

RANDOM=$seed
xdo() { echo "$(date -u +%T.%N | cut -c1-12) xdotool $*" >>"$log"; xdotool "$@" >/dev/null 2>&1 || true; }
# A random point inside the button with the given index, on the screen.
button_point() {
  set -- ${buttons[$1]}
  echo "$((panel_x + $1 + 4 + RANDOM % ($3 - $1 - 8))) $((panel_y + $2 + 4 + RANDOM % ($4 - $2 - 8)))"
}
click_button() { xdo mousemove $(button_point "$1") click 1; }
keys=(F1 Return Escape space Tab Up Down Left Right plus minus a 1)
slider_keys=(Left Right Up Down Prior Next Home End)

random_action() {
  case $((RANDOM % 10)) in
    0|1|2|3) click_button $((RANDOM % 5)) ;;
    4) # Ctrl held over two or three buttons, released at the end
      xdo keydown Control_L
      for _ in $(seq $((2 + RANDOM % 2))); do click_button $((RANDOM % 5)); sleep 0.1; done
      xdo keyup Control_L ;;
    5) # pressed on a button, released elsewhere on the panel
      xdo mousemove $(button_point $((RANDOM % 5))) mousedown 1
      sleep 0.2
      xdo mousemove $((panel_x + 20 + RANDOM % 700)) $((panel_y + 20 + RANDOM % 80)) mouseup 1 ;;
    6|7) xdo key "${keys[RANDOM % ${#keys[@]}]}" ;;
    8|9) # a slider: a click on it, then a few keys
      [ ${#sliders[@]} -gt 0 ] || return 0
      set -- ${sliders[RANDOM % ${#sliders[@]}]}
      xdo mousemove $((($1 + $3) / 2)) $(($2 + 2 + RANDOM % ($4 - $2 - 4))) click 1
      for _ in $(seq $((1 + RANDOM % 4))); do xdo key "${slider_keys[RANDOM % ${#slider_keys[@]}]}"; done ;;
  esac
}

crashes=0 hangs=0 actions=0 mem_first="" mem_last=0 mem_max=0
echo "soak: $minutes min, seed $seed, display $DISPLAY, action log $log"
start_prototype || { echo "soak.sh: the prototype did not start" >&2; exit 1; }
end=$((SECONDS + minutes * 60))
for minute in $(seq "$minutes"); do
  minute_end=$((SECONDS + 60))
  [ "$minute_end" -le "$end" ] || minute_end=$end
  minute_crashes=0 minute_hangs=0 minute_actions=0 next_probe=$((SECONDS + 10))
  while [ "$SECONDS" -lt "$minute_end" ]; do
    random_action
    minute_actions=$((minute_actions + 1))
    sleep "0.$((1 + RANDOM % 3))"
    [ "$SECONDS" -ge "$next_probe" ] || continue
    next_probe=$((SECONDS + 10))
    if [ -z "$(proto_pids)" ]; then
      minute_crashes=$((minute_crashes + 1))
      echo "$(date -u +%T) CRASH: siccora.exe is gone; last actions:" | tee -a "$log"
      grep xdotool "$log" | tail -8 | sed 's/^/  /'
      tail -5 "$proto_build_dir/bin/siccora.log" 2>/dev/null | sed 's/^/  log: /'
      proto_stop; proto_display_start; start_prototype || break
      continue
    fi
    answer=$(proto_probe_run answer) && status=0 || status=$?
    if [ "$status" -ne 0 ]; then
      if [ -z "$(proto_pids)" ]; then continue; fi  # counted as a crash at the next probe
      minute_hangs=$((minute_hangs + 1))
      echo "$(date -u +%T) HANG: $(echo "$answer" | tr '\n' ';') last actions:" | tee -a "$log"
      grep xdotool "$log" | tail -8 | sed 's/^/  /'
    fi
  done
  mem=$(proto_rss_kib)
  [ -n "$mem_first" ] || mem_first=$mem
  mem_last=$mem
  [ "$mem" -le "$mem_max" ] || mem_max=$mem
  crashes=$((crashes + minute_crashes)) hangs=$((hangs + minute_hangs)) actions=$((actions + minute_actions))
  echo "minute $minute: $minute_actions actions, crashes $minute_crashes, hangs $minute_hangs, RSS $mem KiB (pids $(proto_pids | tr '\n' ' '))"
  [ "$SECONDS" -lt "$end" ] || break
done
echo "soak summary: $minutes min, seed $seed, $actions actions, crashes $crashes, hangs $hangs, memory first $mem_first KiB, last $mem_last KiB, max $mem_max KiB"
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ]
