#!/usr/bin/env bash
# Makes the installer and the zip of a Windows build, checks the zip's names, then installs
# silently under Wine, checks the files, the Start-menu entry and the Add/Remove Programs entry,
# uninstalls silently and checks that nothing is left.
#
#   windows-package-test.sh BUILD_DIR WORK_DIR EMULATOR...
set -euo pipefail
build="$1" work="$2"
shift 2
emulator=("$@")
# Wine reads the Turkish arguments in the locale's encoding.
export LC_ALL=C.UTF-8

name="Zerkan Kütlesi"
vendor="Zerkan Kütlesi geliştiricileri"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
vendor_key="HKLM\\Software\\$vendor"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win() { "${emulator[@]}" "$@"; }

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
installer=$(find "$work" -maxdepth 1 -name '*-win64.exe')
zip=$(find "$work" -maxdepth 1 -name '*-win64.zip')
[ -n "$installer" ] && [ -n "$zip" ] || { echo "FAIL: cpack made no installer or zip"; exit 1; }

# The zip: the program under its Turkish name, flagged as UTF-8 (bit 11) in the local and the
# central header, or unzip tools show the name garbled.
python3 - "$zip" "$name.exe" <<'PY' || failures=$((failures + 1))
import struct, sys, zipfile
path, program = sys.argv[1], sys.argv[2]
ok = True
with zipfile.ZipFile(path) as archive, open(path, "rb") as raw:
    names = [entry.filename.split("/", 1)[-1] for entry in archive.infolist()]
    for wanted in (program, "benioku.rtf"):
        if wanted not in names:
            print(f"FAIL: zip lacks {wanted!r}: {names}")
            ok = False
    for entry in archive.infolist():
        raw.seek(entry.header_offset)
        local_flags = struct.unpack("<4sHH", raw.read(8))[2]
        if not entry.filename.isascii() and not (entry.flag_bits & local_flags & 0x800):
            print(f"FAIL: {entry.filename!r} is not flagged UTF-8")
            ok = False
sys.exit(0 if ok else 1)
PY

program_files=$(win cmd /c 'echo %ProgramW6432%' | tr -d '\r')
install_dir_win="$program_files\\$name"
install_dir=$(win winepath -u "$install_dir_win" | tr -d '\r')
start_menu=$(win winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' | tr -d '\r')

# What an earlier, interrupted run may have left.
rm -rf "$install_dir" "$start_menu/$name"
win reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
win reg delete "$vendor_key" /f >/dev/null 2>&1 || true

win "$installer" /S || fail "installer exited with $?"
for file in "$name.exe" benioku.rtf Uninstall.exe; do
    [ -f "$install_dir/$file" ] || fail "not installed: $file"
done
# The entry must start the program in its folder: the read-me command opens benioku.rtf from
# the current folder.
python3 - "$start_menu/$name/$name.lnk" "$install_dir_win" <<'PY' || fail "Start-menu entry"
import struct, sys
path, folder = sys.argv[1], sys.argv[2]
try:
    data = open(path, "rb").read()
except OSError as error:
    sys.exit(f"no shortcut: {error}")
flags = struct.unpack_from("<I", data, 0x14)[0]
at = 0x4C
if flags & 0x1:  # item id list
    at += 2 + struct.unpack_from("<H", data, at)[0]
target = None
if flags & 0x2:  # link info: the local base path
    size, header = struct.unpack_from("<II", data, at)[:2]
    base = struct.unpack_from("<I", data, at + 16)[0]
    if header >= 0x24:
        base = struct.unpack_from("<I", data, at + 28)[0]
        target = data[at + base:].decode("utf-16-le").split("\0")[0]
    else:
        target = data[at + base:].split(b"\0")[0].decode("cp1254")
    at += size
strings = {}
for bit, key in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        at += 2
        unicode = flags & 0x80
        raw = data[at:at + count * (2 if unicode else 1)]
        # Wine counts the terminating NUL in.
        strings[key] = raw.decode("utf-16-le" if unicode else "cp1254").rstrip("\0")
        at += len(raw)
program = folder + "\\Zerkan Kütlesi.exe"
if strings.get("workdir", "").lower() != folder.lower():
    sys.exit(f"starts in {strings.get('workdir')!r}, not {folder!r}")
if target is not None and target.lower() != program.lower():
    sys.exit(f"points at {target!r}, not {program!r}")
PY
win reg query "$uninstall_key" /v UninstallString >"$work/uninstall-key.txt" 2>&1 ||
    fail "no Add/Remove Programs entry"
grep -q "DisplayName\|UninstallString" "$work/uninstall-key.txt" ||
    fail "Add/Remove Programs entry without an uninstall command"

# The uninstaller copies itself away and returns at once; the copy does the work.
win "$install_dir/Uninstall.exe" /S || fail "uninstaller exited with $?"
for _ in $(seq 120); do
    [ -e "$install_dir" ] || break
    sleep 0.5
done
[ -e "$install_dir" ] && fail "left behind: $(find "$install_dir" | tr '\n' ' ')"
[ -e "$start_menu/$name" ] && fail "Start-menu folder left behind"
win reg query "$uninstall_key" >/dev/null 2>&1 && fail "Add/Remove Programs entry left behind"
win reg query "$vendor_key" >/dev/null 2>&1 && fail "registry key $vendor_key left behind"

[ $failures -eq 0 ] && echo "installed, checked and uninstalled: $(basename "$installer")"
exit $((failures > 0))
