#!/usr/bin/env bash
# Runs a Windows program under Wine with a quiet start and a prefix of the project's own.
# Used by CTest as the cross-compiling emulator and by the run script.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEARCH=win64
wine_bin=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
exec "$wine_bin" "$@"
