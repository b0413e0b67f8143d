#!/usr/bin/env bash
# Imports every FIXER registry script with Wine's own registry editor into a
# scratch prefix and reads back the value the checks list names for it; then
# runs the two batch files under Wine's command interpreter and fails on any
# complaint of the interpreter itself (syntax errors, unknown commands). The
# network tools' own answers are not judged: Wine's ipconfig and netsh do not
# implement the reset and flush options.
#
#   check_fixer_scripts.sh FIXER_DIR CHECKS_FILE
#
# The prefix is VELOTUNE_WINEPREFIX (created by scripts/wine.sh prefix).
set -uo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
fixer="$(cd "$1" && pwd)"
checks="$2"
: "${VELOTUNE_WINEPREFIX:?set VELOTUNE_WINEPREFIX to a scratch prefix}"
"$here/scripts/wine.sh" prefix || exit 1
export WINEPREFIX="$VELOTUNE_WINEPREFIX" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY  # the registry editor's silent import and reg.exe need no screen
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

winpath() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

imported=0
while IFS='|' read -r script key name type data; do
  case "$script" in ''|'#'*) continue ;; esac
  file="$fixer/${script//\\//}"
  [ -f "$file" ] || { fail "$script: missing"; continue; }
  if [ "$name" = "@" ]; then which=(/ve); else which=(/v "$name"); fi
  # Start from a registry without the value, so only the import can put it there.
  wine reg delete "$key" "${which[@]}" /f >/dev/null 2>&1
  if [ "$type" = ABSENT ]; then
    wine reg add "$key" "${which[@]}" /t REG_MULTI_SZ /d PxHlpa64 /f >/dev/null 2>&1 ||
      fail "$script: could not seed $key $name"
  fi
  errors="$(wine regedit /s "$(winpath "$file")" 2>&1 >/dev/null)"
  [ -z "$errors" ] || fail "$script: the registry editor complained: $errors"
  imported=$((imported + 1))
  shown="$(wine reg query "$key" "${which[@]}" 2>/dev/null | tr -d '\r')"
  if [ "$type" = ABSENT ]; then
    [ -z "$(printf '%s\n' "$shown" | grep -E "^    ")" ] || fail "$script: $name still there"
    continue
  fi
  line="$(printf '%s\n' "$shown" | grep -E "^    " | head -n 1)"
  # "    <name>    <type>    <data>"
  got_type="$(printf '%s' "$line" | awk -F'    ' '{print $3}')"
  got_data="$(printf '%s' "$line" | awk -F'    ' '{ s = $4; for (i = 5; i <= NF; i++) s = s "    " $i; print s }')"
  if [ "$got_type" != "$type" ] || [ "$got_data" != "$data" ]; then
    fail "$script: $key [$name] is '$got_type' '$got_data', expected '$type' '$data'"
  fi
done < "$checks"
echo "imported and checked $imported registry scripts"

for bat in "$fixer"/Networking/*.bat; do
  out="$(wine cmd /c "$(winpath "$bat")" 2>&1 | tr -d '\r')"
  if printf '%s\n' "$out" | grep -qiE "syntax error|can't recognize|not recognized"; then
    fail "$(basename "$bat"): $out"
  fi
  echo "ran $(basename "$bat") under cmd"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all FIXER files pass"
