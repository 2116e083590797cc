#!/usr/bin/env bash
# Builds the Windows edition and makes its installer and portable zip:
#   build/windows/zerkan-kutlesi-VERSION-win64.exe   (NSIS, installs for all users)
#   build/windows/zerkan-kutlesi-VERSION-win64.zip   ("Zerkan Kütlesi.exe" and benioku.rtf)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
cd build/windows
cpack >/dev/null
ls -1 "$PWD"/zerkan-kutlesi-*-win64.exe "$PWD"/zerkan-kutlesi-*-win64.zip
