# Sourced by the test and run scripts: one X display and one Wine server for the whole run.
# Starts Xvfb when there is no usable display, prepares the project's Wine prefix once and keeps
# `wineserver -p` alive so that each program does not pay Wine's start-up.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
siccora_started_xvfb=""

# True when DISPLAY names a local X server whose socket exists (remote displays are trusted).
display_usable() {
  [ -n "${DISPLAY:-}" ] || return 1
  case "$DISPLAY" in
    :*) local n=${DISPLAY#:}; n=${n%%.*}; [ -S "/tmp/.X11-unix/X$n" ] ;;
    *) return 0 ;;
  esac
}

wine_session_start() {
  if ! display_usable; then
    local n=99
    while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    siccora_started_xvfb=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    echo "No usable display found: started Xvfb on $DISPLAY"
  fi
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)"
    wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -p >/dev/null 2>&1 || true
  # Start Wine's services and the desktop process now, with no pipes attached: the first Wine
  # program would otherwise hand its stderr to them, and CTest would wait for that pipe to close
  # long after the test itself had passed.
  "$here/scripts/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null || true
  ("$here/scripts/wine-run.sh" explorer.exe /desktop >/dev/null 2>&1 </dev/null &)
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$siccora_started_xvfb" ]; then
    kill "$siccora_started_xvfb" 2>/dev/null || true
  fi
}
