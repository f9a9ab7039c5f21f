#!/usr/bin/env bash
# Performance figures of the running dryer prototype (not part of the test command), on an Xvfb
# display of its own:
#  - idle CPU: utime + stime of the siccora.exe processes over --idle SECONDS (default 60) with no
#    input, as % of one core (and of all the prefix's Wine processes, wineserver included);
#  - click-to-LCD latency: --clicks N (default 50) clicks injected with xdotool, in turn on
#    WASHING and OFF (each changes the LCD text), from the click's launch to the first changed
#    pixel of the LCD rectangle on the screen (polled by a Wine-side probe), median and worst.
#
#   scripts/latency.sh [--clicks N] [--idle SECONDS]
set -euo pipefail
clicks=50
idle=60
while [ $# -gt 0 ]; do
  case "$1" in
    --clicks) [ $# -ge 2 ] || exit 2; clicks=$2; shift 2 ;;
    --idle) [ $# -ge 2 ] || exit 2; idle=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "latency.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
case "$clicks$idle" in *[!0-9]*) echo "latency.sh: whole numbers please" >&2; exit 2 ;; esac

source "$(dirname "$0")/prototype-session.sh"
unset DISPLAY
proto_build
proto_display_start
trap proto_stop EXIT
proto_start || { echo "latency.sh: the prototype did not start" >&2; exit 1; }

# Centres of the two buttons, from the button table of the device picture.
centre() {
  sed -n "/kButtons\\[/,/^};/s/^ *{[0-9]*, \"$1\", \"[^\"]*\", {\\([0-9]*\\), \\([0-9]*\\), \\([0-9]*\\), \\([0-9]*\\)},.*/\\1 \\2 \\3 \\4/p" \
    "$proto_root/tools/rk52_layout.h" | awk '{print int(($1 + $3) / 2), int(($2 + $4) / 2)}'
}
washing=$(centre "Clothes washing")
off=$(centre "Off")
[ -n "$washing" ] && [ -n "$off" ] || { echo "latency.sh: buttons not found in the layout table" >&2; exit 1; }

# The Wine processes of our prefix, wineserver included; taken once, so that the two readings
# cover the same processes.
prefix_pids() {
  local d
  for d in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$d/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "${d#/proc/}"
  done
}
ticks_of() {
  local total=0 p
  for p in "$@"; do total=$((total + $(awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null || echo 0))); done
  echo "$total"
}

sleep 5  # let the start-up settle
hz=$(getconf CLK_TCK)
own=$(proto_pids | tr '\n' ' ')
all=$(prefix_pids | tr '\n' ' ')
own0=$(ticks_of $own) all0=$(ticks_of $all) t0=$(date +%s.%N)
sleep "$idle"
own1=$(ticks_of $own) all1=$(ticks_of $all) t1=$(date +%s.%N)
awk -v a="$own0" -v b="$own1" -v c="$all0" -v d="$all1" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
  -v pids="$own" -v n="$(echo $all | wc -w)" 'BEGIN {
  s = t1 - t0
  printf "idle CPU over %.1f s: siccora.exe (pids %s) %.2f %% of one core; all %d Wine processes of the prefix %.2f %%\n",
         s, pids, 100 * (b - a) / hz / s, n, 100 * (d - c) / hz / s }'
echo "clicks: $clicks, in turn at WASHING ($washing) and OFF ($off), panel client pixels"
proto_probe_run latency "$clicks" $washing $off
