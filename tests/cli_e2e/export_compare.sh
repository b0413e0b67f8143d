#!/usr/bin/env bash
# 1-Click Tweak deployed by its export against 1-Click Tweak applied, each on
# a fresh Wine prefix of its own: on the first, velotune-cli exports the
# action as a registry script and the registry editor imports it ("regedit
# /s"); on the second, velotune-cli applies the action. The two registries,
# as the registry editor exports them, must be the same but for what the
# export lists as left out and what every prefix makes for itself (see
# volatile below). velotune-cli status then finds the action held on the
# second prefix, and on the first exactly what was left out missing.
#
#   export_compare.sh BIN_DIR WORK_DIR
set -uo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
bin="$(cd "$1" && pwd)"
work="$2"
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY  # the command line, the registry editor's import and export need no screen
winpath() { printf 'Z:%s' "${1//\//\\}"; }
cli="$bin/velotune-cli.exe"
stop() { for p in "$work"/prefix-*/; do WINEPREFIX="$p" wineserver -k >/dev/null 2>&1; done; }
trap stop EXIT

fail() { echo "FAIL: $*"; exit 1; }

in_prefix() {  # NAME, then the command; a fresh prefix the first time
  local prefix="$work/prefix-$1"
  shift
  if [ ! -d "$prefix" ]; then
    VELOTUNE_WINEPREFIX="$prefix" "$here/scripts/wine.sh" prefix || fail "cannot make $prefix"
  fi
  WINEPREFIX="$prefix" "$@"
  local rc=$?
  WINEPREFIX="$prefix" wineserver -w
  return $rc
}

# Both prefixes first hold the same values that 1-Click Tweak overwrites with
# other types or deletes, and keys it deletes with sub-keys and names in
# Cyrillic, so that the export's deletions have something to do.
iconv -f UTF-8 -t UTF-16 >"$work/seed.reg" <<'SEED'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer]
"DisableCurrentUserRun"=hex(b):01,00,00,00,00,00,00,00
"NoRun"="текст вместо числа"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"MenuShowDelay"=hex(2):25,00,44,00,45,00,4c,00,41,00,59,00,25,00,00,00

[HKEY_CURRENT_USER\Software\Microsoft\Windows\ShellNoRoam\BagMRU]
@="default"
"NodeSlots"=hex:02,02,02
"Привет"=hex(7):61,00,00,00,62,00,00,00,00,00

[HKEY_CURRENT_USER\Software\Microsoft\Windows\ShellNoRoam\Bags\Ключ\Shell]
"Mode"=dword:00000004

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon\SpecialAccounts\UserList]
"Administrator"=dword:00000000

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\RemoteComputer\NameSpace\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]
@="Scheduled Tasks"
SEED
for name in exported applied; do
  in_prefix $name wine regedit /s "$(winpath "$work/seed.reg")" || fail "cannot seed the $name prefix"
done

in_prefix exported wine "$cli" export one-click --format reg --out "$(winpath "$work/out")" \
  --json >"$work/export.json"
rc=$?
[ "$rc" = 1 ] || fail "export one-click exited with $rc, not 1 (something is left out): $(cat "$work/export.json")"
[ -f "$work/out/one-click.reg" ] && [ -f "$work/out/README.txt" ] || fail "no one-click.reg and README.txt"
in_prefix exported wine regedit /s "$(winpath "$work/out/one-click.reg")" || fail "regedit /s failed"
in_prefix exported wine regedit /e "$(winpath "$work/exported.reg")" || fail "regedit /e failed"
in_prefix exported wine "$cli" status one-click --json >"$work/status-exported.json"
[ $? = 1 ] || fail "status one-click after the import should find the left-out values missing"

in_prefix applied wine "$cli" apply one-click >"$work/apply.txt" || fail "apply one-click: $(cat "$work/apply.txt")"
in_prefix applied wine regedit /e "$(winpath "$work/applied.reg")" || fail "regedit /e failed"
in_prefix applied wine "$cli" status one-click >"$work/status-applied.txt" ||
  fail "status one-click after apply: $(cat "$work/status-applied.txt")"

python3 - "$work" <<'EOF'
import json, re, sys
work = sys.argv[1]

# What every prefix makes for itself, whatever runs in it: the volatile
# hardware tree, the devices the system enumerates and the display adapter's
# entries that Wine makes again (under new identifiers, with the time) as
# programs start, the count of services started, the prefix's own machine
# identifier, and the settings Wine's debugger leaves when one of Wine's own
# services falls over under load.
volatile = re.compile(r"^(HKEY_LOCAL_MACHINE\\(Hardware"
                      r"|System\\(CurrentControlSet|ControlSet\d+)\\(Enum|Control\\Video|Hardware Profiles"
                      r"|Control\\Class\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}))"
                      r"|HKEY_USERS\\[^\\]+\\Software\\Wine\\WineDbg)(\\|$)", re.I)
volatile_values = {("hkey_local_machine\\software\\microsoft\\cryptography", '"machineguid"'),
                   ("hkey_local_machine\\system\\currentcontrolset\\control\\servicecurrent", "@")}

def sections(path):
    text = open(path, encoding="utf-16").read()
    keys, key, lines = {}, None, text.split("\n")
    i = 0
    while i < len(lines):
        line = lines[i].rstrip("\r")
        while line.endswith("\\") and "=" in line and i + 1 < len(lines):
            i += 1
            line = line[:-1] + lines[i].rstrip("\r").strip()
        i += 1
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            keys[key.lower()] = (key, {})
        elif key is not None and line and "=" in line:
            name = line[:line.index('"=', 1) + 1] if line.startswith('"') else line.split("=")[0]
            keys[key.lower()][1][name.lower()] = line
    return keys

exported = json.load(open(work + "/export.json"))
readme = open(work + "/out/README.txt", encoding="utf-8-sig").read()
left = []
for item in exported["leftOut"]:
    if item["what"] not in readme:
        sys.exit("FAIL: README.txt does not list " + item["what"])
    if item["kind"] == "registry":
        name = '"%s"' % item["name"] if item.get("name") else ("@" if "name" in item else None)
        left.append((item["key"].lower(), None if name is None else name.lower()))
if not any("TcpAckFrequency" in item["what"] for item in exported["leftOut"]):
    sys.exit("FAIL: the latency values are not listed as left out")

def comparable(path):
    keys = sections(path)
    for key, name in left:
        if key in keys and name is not None:
            keys[key][1].pop(name, None)
    for key, name in left:
        if key in keys and name is None and not keys[key][1]:
            del keys[key]
    for key, name in volatile_values:
        if key in keys:
            keys[key][1].pop(name, None)
    return {k: v for k, v in keys.items() if not volatile.match(v[0])}

a, b = comparable(work + "/exported.reg"), comparable(work + "/applied.reg")
problems = []
for key in sorted(set(a) | set(b)):
    if key not in b:
        problems.append("only after the import: [%s] %s" % (a[key][0], list(a[key][1].values())[:3]))
    elif key not in a:
        problems.append("only after apply: [%s] %s" % (b[key][0], list(b[key][1].values())[:3]))
    elif a[key][1] != b[key][1]:
        for name in sorted(set(a[key][1]) | set(b[key][1])):
            if a[key][1].get(name) != b[key][1].get(name):
                problems.append("[%s] import: %s, apply: %s" % (a[key][0], a[key][1].get(name), b[key][1].get(name)))
if problems:
    print("\n".join(problems[:40]))
    sys.exit("FAIL: %d differences between the imported export and the applied action" % len(problems))
print("the imported export and the applied action agree on %d keys; %d registry items left out, as README.txt says"
      % (len(a), len(left)))
EOF
[ $? = 0 ] || exit 1

# On the imported prefix, status finds missing exactly the registry items the
# export left out.
python3 - "$work" <<'EOF' || exit 1
import json, sys
work = sys.argv[1]
left = {(i["key"].lower(), i.get("name", "").lower()) for i in json.load(open(work + "/export.json"))["leftOut"]
        if i["kind"] == "registry"}
different = {(d["key"].lower(), d.get("name", "").lower()) for d in json.load(open(work + "/status-exported.json"))["different"]}
if different != left:
    sys.exit("FAIL: status after the import finds %s missing, the export left out %s"
             % (sorted(different - left)[:5], sorted(left - different)[:5]))
print("status after the import finds missing exactly the %d items left out" % len(left))
EOF
echo "export, import and apply agree"
