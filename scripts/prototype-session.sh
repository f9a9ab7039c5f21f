# Sourced by the soak and latency scripts: the prototype on an X display of its own, found and
# probed from outside, and cleaned up afterwards. Never uses the display of a running test.
proto_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
proto_build_dir=$proto_root/build/win64
export WINEPREFIX=${WINEPREFIX:-$proto_root/build/wineprefix}
proto_xvfb=""
proto_run=""
proto_probe=$proto_build_dir/bench/panel_probe_win32.exe

# Builds the programs and the probe (configures the win64 build first when needed).
proto_build() {
  cd "$proto_root"
  [ -f "$proto_build_dir/build.ninja" ] || cmake --preset win64 >/dev/null
  cmake --build "$proto_build_dir" --target siccora panel_probe_win32 >/dev/null
}

# Starts an Xvfb of our own on the first free display number from 150 on.
proto_display_start() {
  local n=150
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  proto_xvfb=$!
  export DISPLAY=:$n
  for _ in $(seq 100); do [ -S /tmp/.X11-unix/X$n ] && return 0; sleep 0.1; done
  echo "prototype: Xvfb on $DISPLAY did not start" >&2
  return 1
}

# Starts the prototype through the run script and waits (up to 90 s) until both windows answer.
proto_start() {
  bash "$proto_root/scripts/run.sh" >/dev/null 2>&1 </dev/null &
  proto_run=$!
  for _ in $(seq 90); do
    sleep 1
    proto_probe_run answer >/dev/null 2>&1 && return 0
    kill -0 "$proto_run" 2>/dev/null || break
  done
  echo "prototype: the windows did not appear" >&2
  return 1
}

proto_probe_run() { "$proto_root/scripts/wine-run.sh" "$proto_probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The Wine processes of our prefix (other sessions on the machine have their own), wineserver
# included; with a name, only the processes of that name.
proto_prefix_pids() {
  local d
  for d in /proc/[0-9]*; do
    [ -z "${1:-}" ] || [ "$(cat "$d/comm" 2>/dev/null)" = "$1" ] || continue
    tr '\0' '\n' 2>/dev/null <"$d/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "${d#/proc/}"
  done
}

# The Wine processes of siccora.exe in our prefix.
proto_pids() { proto_prefix_pids siccora.exe; }

# Resident memory of those processes together, in KiB.
proto_rss_kib() {
  local total=0 p v
  for p in $(proto_pids); do
    v=$(awk '/^VmRSS:/ {print $2}' "/proc/$p/status" 2>/dev/null)
    total=$((total + ${v:-0}))
  done
  echo "$total"
}

# CPU ticks (utime + stime) of the given processes together.
proto_cpu_ticks() {
  local total=0 p
  for p in "$@"; do
    total=$((total + $(awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}

# The panel's buttons from the layout table of the device picture, one a line: the client
# rectangle (left top right bottom), then the area name.
proto_buttons() {
  sed -n '/kButtons\[/,/^};/s/^ *{[0-9]*, "\([^"]*\)", "[^"]*", {\([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)},.*/\2 \3 \4 \5 \1/p' \
    "$proto_root/tools/rk52_layout.h"
}

# The scripts' options: "--NAME N" for each NAME of the list in $1 sets the variable NAME (whole
# numbers; the defaults are set before the call); -h or --help prints the script's opening
# comment.
proto_options() {
  local names=" $1 " name script
  script=$(basename "$0")
  shift
  while [ $# -gt 0 ]; do
    case "$1" in
      -h|--help) sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0"; exit 0 ;;
      --*) name=${1#--} ;;
      *) name="" ;;
    esac
    [ -n "$name" ] && [[ "$names" == *" $name "* ]] || { echo "$script: unknown argument $1" >&2; exit 2; }
    [ $# -ge 2 ] || { echo "$script: $1 needs a value" >&2; exit 2; }
    case "$2" in ''|*[!0-9]*) echo "$script: $1 takes a whole number" >&2; exit 2 ;; esac
    printf -v "$name" '%s' "$2"
    shift 2
  done
}

# The scripts' common start: the programs built, an Xvfb of our own, everything ended on exit.
proto_session_begin() {
  unset DISPLAY
  proto_build
  proto_display_start
  trap proto_stop EXIT
}

# Ends the prototype, our Wine server and our Xvfb.
proto_stop() {
  if [ -n "$proto_run" ] && kill -0 "$proto_run" 2>/dev/null; then
    "$proto_root/scripts/wine-run.sh" taskkill /im siccora.exe >/dev/null 2>&1 </dev/null || true
    for _ in $(seq 50); do kill -0 "$proto_run" 2>/dev/null || break; sleep 0.1; done
  fi
  wineserver -k >/dev/null 2>&1 || true
  [ -z "$proto_run" ] || { kill "$proto_run" 2>/dev/null || true; wait "$proto_run" 2>/dev/null || true; }
  [ -z "$proto_xvfb" ] || { kill "$proto_xvfb" 2>/dev/null || true; wait "$proto_xvfb" 2>/dev/null || true; }
  proto_run=""
  proto_xvfb=""
}
