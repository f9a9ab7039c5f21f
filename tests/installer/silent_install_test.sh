#!/usr/bin/env bash
# Installs the 64-bit installer silently (/S) into a fresh Wine prefix, checks that every packed
# file, the Start menu entry, the uninstaller and the settings key with its values are there,
# starts the installed program and checks that its panel loaded the areas of the data set
# (installed_panel_probe.exe), then uninstalls silently and checks that none of them is left.
#
#   silent_install_test.sh INSTALLER BIN_DIR INSTALLED_FILES SETTINGS_TABLE PREFIX PROBE
#
# INSTALLED_FILES lists the packed names (written when the installer was built); BIN_DIR holds
# the originals they are compared with. PREFIX is made afresh and removed after a passing run.
# PROBE is the Windows program that starts the installed program and checks its panel.
set -euo pipefail
[ $# -eq 6 ] || { sed -n '2,12p' "$0"; exit 2; }
installer=$(realpath "$1") bin_dir=$2 installed_files=$3 table=$4 prefix=$5 probe=$6
here=$(cd "$(dirname "$0")/../.." && pwd)
for f in "$1" "$installed_files" "$table" "$probe"; do
  [ -f "$f" ] || { echo "FAIL: $f is missing (build the target installer first)"; exit 1; }
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine)
wine_quiet() { "$wine" "$@" </dev/null 2>/dev/null; }
# Waits until every program of this prefix has ended and its server has gone (an uninstaller
# copies itself away and returns at once; the registry reaches the prefix's files then too).
wine_settle() { wineserver -w 2>/dev/null || true; }

rm -rf "$prefix"
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)  # Wine wants an absolute prefix
export WINEPREFIX=$prefix
echo "-- preparing a fresh Wine prefix in $prefix"
wineboot -i >/dev/null 2>&1 </dev/null || true
wine_settle

install_dir='C:\SiccoraTest'  # /D= takes no quotes, so no blank
install_unix=$prefix/drive_c/SiccoraTest
key=$(sed -n 's/^\[\(.*\)\]$/\1/p' "$table" | head -n 1)
settings_key="HKCU\\$key"

# Every value of the table as it must read after installation, as "name=value" lines.
expected=$(mktemp)
trap 'rm -f "$expected"' EXIT
cmake -DTABLE="$table" -DMODE=list -DWRKDIR="$install_dir" -DOUTPUT="$expected" \
      -P "$here/installer/settings_files.cmake"

# The Start menu folder of the current user, whatever Wine calls the user.
menu_entries() {
  find "$prefix/drive_c/users" -path '*/Start Menu/Programs/Siccora-super/*.lnk' 2>/dev/null | sort
}

echo "-- installing silently into $install_dir"
wine_quiet "$installer" /S "/D=$install_dir" || fail "the installer ended with status $?"
wine_settle

while read -r name; do
  [ -n "$name" ] || continue
  if [ ! -f "$install_unix/$name" ]; then
    fail "$name was not installed"
  elif ! cmp -s "$install_unix/$name" "$bin_dir/$name"; then
    fail "$name differs from the built $bin_dir/$name"
  fi
done <"$installed_files"
# The help command opens the installed manual: its panel pictures travel inside it.
grep -q 'src="data:image/png;base64,' "$install_unix/rk52.htm" 2>/dev/null ||
  fail "the installed manual rk52.htm has no embedded pictures"
[ -f "$install_unix/uninstall.exe" ] || fail "no uninstaller in the install folder"
entries=$(menu_entries)
grep -q '/Siccora-super\.lnk$' <<<"$entries" || fail "no Start menu entry for the program"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Siccora-super'
wine_quiet reg query "$uninstall_key" /v UninstallString >/dev/null ||
  fail "the uninstaller is not registered under $uninstall_key"

# `reg query` lists each value as "    name    REG_SZ    value".
listing=$(wine_quiet reg query "$settings_key" | tr -d '\r') || fail "the key $settings_key is missing"
while IFS='=' read -r name value; do
  line=$(grep -E "^ {4}$name {4}" <<<"$listing" || true)
  if [ -z "$line" ]; then
    fail "value \"$name\" is missing"
    continue
  fi
  rest=${line#"    $name    "}
  type=${rest%%    *}
  data=${rest#"$type"}
  data=${data#"    "}
  [ "$type" = REG_SZ ] || fail "value \"$name\" is $type, not REG_SZ"
  [ "$data" = "$value" ] || fail "value \"$name\" is \"$data\", not \"$value\""
done < <(tail -n +2 "$expected")

echo "-- starting the installed program"
# From another working directory: the panel finds its data set through the key's WrkDir alone.
if ! "$wine" "$probe" "$install_dir\\siccora.exe" </dev/null 2>/dev/null | tr -d '\r'; then
  fail "the installed program's panel did not load its areas"
fi
wine_settle

echo "-- uninstalling silently"
wine_quiet "$install_dir\\uninstall.exe" /S || fail "the uninstaller ended with status $?"
wine_settle

if [ -d "$install_unix" ]; then
  fail "the install folder is left, holding: $(ls -A "$install_unix" | tr '\n' ' ')"
fi
[ -z "$(menu_entries)" ] || fail "Start menu entries are left: $(menu_entries)"
if wine_quiet reg query "$settings_key" >/dev/null; then
  fail "the key $settings_key is left"
fi
if wine_quiet reg query "$uninstall_key" >/dev/null; then
  fail "the uninstaller's registration $uninstall_key is left"
fi
vendor_key="HKCU\\${key%%\\*}\\$(cut -d'\' -f2 <<<"$key")"
if wine_quiet reg query "$vendor_key" >/dev/null; then
  fail "the emptied key $vendor_key is left"
fi
wine_settle

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed; the prefix is kept in $prefix"
  exit 1
fi
rm -rf "$prefix"
echo "installed, checked and uninstalled: $(grep -c . "$installed_files") files, $(($(wc -l <"$expected") - 1)) values"
