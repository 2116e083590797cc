#!/usr/bin/env bash
# Lists the DLLs a Windows executable imports and fails when one is not part of Windows itself
# (a MinGW runtime DLL, for instance, which a user's Windows does not have).
#
#   windows-imports.sh OBJDUMP EXE
set -euo pipefail
objdump="$1" exe="$2"

system_dlls=" kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll advapi32.dll "
system_dlls+="ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll version.dll msvcrt.dll winmm.dll psapi.dll "
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r')
[ -n "$imports" ] || { echo "FAIL: no imports read from $exe"; exit 1; }
status=0
for dll in $imports; do
    lower=$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')
    case "$system_dlls" in
        *" $lower "*) echo "$dll" ;;
        *) case "$lower" in
               api-ms-win-*) echo "$dll" ;;
               *) echo "FAIL: $dll is not a Windows DLL"; status=1 ;;
           esac ;;
    esac
done
exit $status
