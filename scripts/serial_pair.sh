#!/usr/bin/env bash
# A pseudo-terminal pair for the serial tests and the serial benchmark: socat joins two ptys, and
# the Wine prefix's COM1 leads to one end (the panel's port) and COM2 to the other (the target's
# end). socat runs under a loop that starts it again should it end (when an end is closed while
# data is under way), so a case that closes the target's end leaves a working pair behind.
# COM7 leads to /dev/null: a port that opens but is no serial line (its configuration cannot be
# read or written), as an adapter that went away.
#
#   scripts/serial_pair.sh start STATE_DIR   # links made, pair running
#   scripts/serial_pair.sh stop STATE_DIR    # pair ended, COM1, COM2 and COM7 as they were before
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${WINEPREFIX:-$here/build/wineprefix}
action=${1:?start or stop}
state=${2:?state folder}
mkdir -p "$state"
state=$(cd "$state" && pwd)  # the prefix's links must not depend on the current folder
dosdevices=$prefix/dosdevices
ports=(com1 com2 com7)
ends=(panel-end target-end)
no_line=/dev/null

start() {
  mkdir -p "$state" "$dosdevices"
  stop_pair
  for i in 0 1 2; do
    local link=$dosdevices/${ports[$i]}
    # Remember what the prefix had, to put it back afterwards.
    if [ -L "$link" ] && [ ! -e "$state/${ports[$i]}.before" ]; then
      readlink "$link" > "$state/${ports[$i]}.before"
    fi
  done
  setsid bash -c '
    while true; do
      socat pty,raw,echo=0,link="$1/panel-end" pty,raw,echo=0,link="$1/target-end" || true
      sleep 0.1
    done' serial-pair "$state" </dev/null >"$state/socat.log" 2>&1 &
  echo $! > "$state/pair.pid"
  for _ in $(seq 50); do
    [ -e "$state/panel-end" ] && [ -e "$state/target-end" ] && break
    sleep 0.1
  done
  [ -e "$state/panel-end" ] || { echo "serial_pair: socat did not start" >&2; exit 1; }
  for i in 0 1; do ln -sfn "$state/${ends[$i]}" "$dosdevices/${ports[$i]}"; done
  ln -sfn "$no_line" "$dosdevices/${ports[2]}"
}

stop_pair() {
  if [ -f "$state/pair.pid" ]; then
    kill -- -"$(cat "$state/pair.pid")" 2>/dev/null || true
    rm -f "$state/pair.pid"
  fi
}

stop() {
  stop_pair
  for i in 0 1 2; do
    local link=$dosdevices/${ports[$i]}
    rm -f "$link"
    if [ -f "$state/${ports[$i]}.before" ]; then
      ln -sfn "$(cat "$state/${ports[$i]}.before")" "$link"
      rm -f "$state/${ports[$i]}.before"
    fi
  done
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
