#!/usr/bin/env bash
# Installs what the build, the tests, the browser page and the prototype need, and only what is
# missing.
# Safe to run again and again.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 xvfb x11-apps imagemagick xdotool procps nsis socat
  libyaml-cpp-dev libstb-dev
  emscripten node-acorn chromium
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=""

# Installs the given packages that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "bootstrap: installing ${missing[*]}"
  if [ -z "$updated" ]; then
    $sudo apt-get update -qq
    updated=yes
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}"
# Node.js and npm for playwright-core: Debian's, unless the machine already has a node with its
# npm (a nodejs package of another origin brings npm itself and conflicts with Debian's npm).
command -v npm >/dev/null 2>&1 || install_missing nodejs npm

# libFuzzer and the sanitizer runtimes of clang come in the compiler-runtime package of the
# installed clang's own major version (libclang-rt-14-dev for clang 14, and so on).
clang_major=$(clang --version | sed -nE 's/.*clang version ([0-9]+)\..*/\1/p' | head -n 1)
if [ -z "$clang_major" ]; then
  echo "bootstrap: cannot tell the version of the installed clang" >&2
  exit 1
fi
install_missing "libclang-rt-$clang_major-dev"

# The browser page's tests and the manual's check drive Debian's Chromium with playwright-core,
# pinned in package-lock.json; playwright never downloads a browser of its own.
here=$(cd "$(dirname "$0")/.." && pwd)
lock_stamp="$here/node_modules/.package-lock.json"
if [ ! -f "$lock_stamp" ] || [ "$here/package-lock.json" -nt "$lock_stamp" ]; then
  echo "bootstrap: npm ci"
  (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
