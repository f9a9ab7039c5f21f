#!/usr/bin/env bash
# CTest's emulator for the Windows tests: runs the program through wine-run.sh and relays its
# output, so that CTest never waits on a pipe that outlives the test.
#
# Wine starts its server, its services and the desktop process on demand, and a process started
# that way inherits the standard handles of the program that caused it. Should the prefix's
# session have gone (its server ended or was restarted), the first test program under it would
# pass CTest's output pipe on to explorer.exe /desktop and the services, which live on while the
# server does: the test ends, but CTest keeps waiting for the end of that pipe and reports a
# timeout. Here the program writes to a file of its own instead, which `tail` copies to CTest as
# it grows and closes once the program has ended.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
log=$(mktemp "${TMPDIR:-/tmp}/siccora-wine-test.XXXXXX")
"$here/scripts/wine-run.sh" "$@" <&0 >"$log" 2>&1 &
program=$!
trap 'kill "$program" 2>/dev/null; rm -f "$log"' INT TERM
tail -n +1 -s 0.1 -f --pid="$program" "$log"
wait "$program"
status=$?
rm -f "$log"
exit "$status"
