#!/usr/bin/env bash
# Starts the dryer prototype under Wine: siccora.exe, which loads the panel library
# siccorae.dll, from the folder of the programs, after writing the panel's settings key into the
# project's Wine prefix (the data set's file names and WrkDir = that folder, as an installation
# writes them). Builds the Windows x86_64 programs first when needed.
#
#   scripts/run.sh                          run until the application window is closed
#   scripts/run.sh --screenshot FILE        wait a few seconds, save a screenshot of the whole
#                                           screen to FILE (PNG, JPEG, ... by its extension),
#                                           then end the program
#   options: --wait SECONDS (before the screenshot, default 6)
#            --build-dir DIR (default build/win64, configured with the win64 preset)
#            --record FILE (the session as a siccora-sim scenario: siccora.exe --record)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$root/build/win64
screenshot=""
wait_seconds=6
record=""

usage() {
  sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
  exit "${1:-0}"
}

while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) [ $# -ge 2 ] || usage 2; screenshot=$2; shift 2 ;;
    --wait) [ $# -ge 2 ] || usage 2; wait_seconds=$2; shift 2 ;;
    --build-dir) [ $# -ge 2 ] || usage 2; build_dir=$2; shift 2 ;;
    --record) [ $# -ge 2 ] || usage 2; record=$2; shift 2 ;;
    -h|--help) usage 0 ;;
    *) echo "run.sh: unknown argument $1" >&2; usage 2 ;;
  esac
done
case "$wait_seconds" in
  ''|*[!0-9]*) echo "run.sh: --wait needs a whole number of seconds" >&2; exit 2 ;;
esac
if [ -n "$screenshot" ]; then
  # The program runs in its own folder; keep the screenshot where the caller meant it.
  case "$screenshot" in /*) ;; *) screenshot=$PWD/$screenshot ;; esac
  mkdir -p "$(dirname "$screenshot")"
fi
program_args=()
if [ -n "$record" ]; then
  # Wine's drive Z: is the root of the Linux file system.
  case "$record" in /*) ;; *) record=$PWD/$record ;; esac
  program_args=(--record "Z:${record//\//\\}")
fi
case "$build_dir" in /*) ;; *) build_dir=$PWD/$build_dir ;; esac

cd "$root"
bash "$root/scripts/bootstrap.sh"
if [ ! -f "$build_dir/build.ninja" ]; then
  if [ "$build_dir" = "$root/build/win64" ]; then
    cmake --preset win64 >/dev/null
  else
    cmake -S "$root" -B "$build_dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
fi
echo "Building siccora.exe and siccorae.dll in $build_dir"
cmake --build "$build_dir" --target siccora >/dev/null

program_dir=$build_dir/bin
for f in siccora.exe siccorae.dll rk52.bmp; do
  [ -f "$program_dir/$f" ] || { echo "run.sh: $program_dir/$f is missing" >&2; exit 1; }
done

source "$root/scripts/wine-session.sh"
wine_session_start
trap wine_session_stop EXIT

# The panel library's settings key, as an installation writes it (installer/registry_settings.txt),
# with WrkDir = the programs' folder. Written afresh on every start, so the panel always finds
# the data set of this build.
settings_reg=$build_dir/run-settings.reg
mapfile -t windows_paths < <("$root/scripts/wine-run.sh" winepath -w "$program_dir" "$settings_reg" 2>/dev/null)
[ ${#windows_paths[@]} -eq 2 ] || { echo "run.sh: winepath failed" >&2; exit 1; }
cmake -DTABLE="$root/installer/registry_settings.txt" -DMODE=reg \
      -DWRKDIR="${windows_paths[0]%$'\r'}" -DOUTPUT="$settings_reg" \
      -P "$root/installer/settings_files.cmake"
"$root/scripts/wine-run.sh" regedit /S "${windows_paths[1]%$'\r'}" </dev/null >/dev/null 2>&1 ||
  { echo "run.sh: the settings could not be written into the Wine prefix" >&2; exit 1; }

cd "$program_dir"
# The panel library reports every list operation on standard output; keep that out of the way.
log=$program_dir/siccora.log
echo "Starting the prototype in $program_dir (display $DISPLAY, output in $log)"
if [ -z "$screenshot" ]; then
  "$root/scripts/wine-run.sh" siccora.exe "${program_args[@]}" >"$log" 2>&1
  exit 0
fi

"$root/scripts/wine-run.sh" siccora.exe "${program_args[@]}" >"$log" 2>&1 &
program=$!
sleep "$wait_seconds"
if ! kill -0 "$program" 2>/dev/null; then
  echo "run.sh: the program ended before the screenshot" >&2
  exit 1
fi
import -display "$DISPLAY" -window root "$screenshot"
echo "Screenshot written to $screenshot"
# End the program as a user would: close its application window (File/Quit has the same effect).
"$root/scripts/wine-run.sh" taskkill /im siccora.exe >/dev/null 2>&1 || true
for _ in $(seq 50); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  "$root/scripts/wine-run.sh" taskkill /f /im siccora.exe >/dev/null 2>&1 || true
fi
wait "$program" 2>/dev/null || true
