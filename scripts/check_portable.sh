#!/usr/bin/env bash
# Checks that portable sources stay portable: no C or C++ source in any folder of the project
# includes a Windows header, directly or through one of the project's own *_win32.h headers.
#
# Exempt are
#   - files named *_win32.* (the thin Windows layer beside each portable file), and
#   - Win32-only folders, listed below. tests/win32 is one: CMake builds it only in the Windows
#     builds, and its programs exist to drive siccorae.dll, its windows and the shell under Wine
#     (the loader and screen-capture helpers and every suite that uses them). Portable tests
#     belong in the native suites beside it, which this check covers.
# Prints each offending line and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

win32_only_folders=(tests/win32)
# Windows SDK headers (case-insensitive: MinGW accepts <Windows.h> too).
windows_header='(windows|win[a-z0-9]*|ws2[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|shlwapi|mmsystem|objbase|ole2|richedit|htmlhelp|tchar)\.h'
project_win32_header='[^>"]*_win32\.h'
pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($windows_header|$project_win32_header)[>\"]"

prune=(-path ./build -o -path ./.git)
for folder in "${win32_only_folders[@]}"; do prune+=(-o -path "./$folder"); done

mapfile -t sources < <(find . \( "${prune[@]}" \) -prune -o -type f \
  \( -name '*.cpp' -o -name '*.cc' -o -name '*.c' -o -name '*.h' -o -name '*.hpp' \) \
  ! -name '*_win32.*' -print | sort)

if [ ${#sources[@]} -eq 0 ]; then
  echo "check_portable: no portable source found (run from the project's tree)" >&2
  exit 1
fi
if offending=$(grep -nHiE "$pattern" "${sources[@]}"); then
  echo "$offending"
  echo "check_portable: these portable files include Windows headers (only *_win32 files and" \
       "the folders ${win32_only_folders[*]} may)" >&2
  exit 1
fi
echo "check_portable: ${#sources[@]} portable sources include no Windows header"
