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
source "$(dirname "$0")/prototype-session.sh"
clicks=50
idle=60
proto_options "clicks idle" "$@"
proto_session_begin
proto_start || { echo "latency.sh: the prototype did not start" >&2; exit 1; }

# Centres of the two buttons, from the button table of the device picture.
centre() {
  proto_buttons | awk -v name="$1" '{ n = $5; for (i = 6; i <= NF; ++i) n = n " " $i }
    n == name { print int(($1 + $3) / 2), int(($2 + $4) / 2) }'
}
washing=$(centre "Clothes washing")
off=$(centre "Off")
[ -n "$washing" ] && [ -n "$off" ] || { echo "latency.sh: buttons not found in the layout table" >&2; exit 1; }

sleep 5  # let the start-up settle
hz=$(getconf CLK_TCK)
# The processes are taken once, so that the two readings cover the same ones.
own=$(proto_pids | tr '\n' ' ')
all=$(proto_prefix_pids | tr '\n' ' ')
own0=$(proto_cpu_ticks $own) all0=$(proto_cpu_ticks $all) t0=$(date +%s.%N)
sleep "$idle"
own1=$(proto_cpu_ticks $own) all1=$(proto_cpu_ticks $all) t1=$(date +%s.%N)
awk -v a="$own0" -v b="$own1" -v c="$all0" -v d="$all1" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
  -v pids="$own" -v n="$(echo $all | wc -w)" 'BEGIN {
  s = t1 - t0
  printf "idle CPU over %.1f s: siccora.exe (pids %s) %.2f %% of one core; all %d Wine processes of the prefix %.2f %%\n",
         s, pids, 100 * (b - a) / hz / s, n, 100 * (d - c) / hz / s }'
echo "clicks: $clicks, in turn at WASHING ($washing) and OFF ($off), panel client pixels"
proto_probe_run latency "$clicks" $washing $off
