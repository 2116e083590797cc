#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the folder that holds its
# read-me, benioku.rtf.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zerkan
cd build/default/bin
exec "./Zerkan Kütlesi" "$@"
