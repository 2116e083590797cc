#!/usr/bin/env bash
# Builds the Debian package, installs it with apt as a user would, starts the installed program
# through its launcher without a display, then removes the package and checks that nothing of
# it is left. Runs as root, or through sudo.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/package"
package=zerkan-kutlesi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

step() { printf '\n== %s\n' "$*"; }
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    fail "$package is already installed; remove it first (apt-get remove --purge $package)"
fi

"$root/scripts/install-deps.sh"

step "Building the package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZERKAN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target zerkan
rm -f "$build"/"$package"_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/"$package"_*.deb)
dpkg-deb --field "$deb" Package Version Maintainer Depends Recommends

step "Checking the package with lintian"
# Root may run it: the package is only read, never built by lintian.
lintian --allow-root --fail-on error "$deb" || fail "lintian reports errors"

step "Installing $deb"
before=$(mktemp)
# The package comes off again even when a check below fails.
cleanup() {
    rm -f "$before"
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        $sudo apt-get remove --purge -y -qq "$package" >/dev/null || true
    fi
}
trap cleanup EXIT
dpkg-query -W -f='${Package}\n' | sort >"$before"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb"
pulled_in=$(dpkg-query -W -f='${Package}\n' | sort | comm -13 "$before" - | grep -vx "$package" || true)
if [ -n "$pulled_in" ]; then echo "apt also installed: ${pulled_in//$'\n'/ }"; fi

# What the package put on the machine, files and links only (directories may be shared).
mapfile -t installed < <(dpkg -L "$package" | while read -r p; do
    if [ -L "$p" ] || [ ! -d "$p" ]; then echo "$p"; fi
done)
printf '  %s\n' "${installed[@]}"
launcher=$(command -v "$package") || fail "$package is not on PATH"
[ "$launcher" = "/usr/bin/$package" ] || fail "launcher found at $launcher"
[ -f "/usr/share/$package/benioku.rtf" ] || fail "read-me not installed"

step "Starting the installed program (offscreen)"
cd /
QT_QPA_PLATFORM=offscreen timeout 3 "$package" &
guard=$!
program=""
for _ in $(seq 1 40); do
    program=$(pgrep -P "$guard" || true)
    if [ -n "$program" ] && [ "$(readlink "/proc/$program/exe" || true)" = "/usr/libexec/$package/$package" ]; then
        break
    fi
    sleep 0.05
done
[ -n "$program" ] || fail "the launcher started no program"
cwd=$(readlink "/proc/$program/cwd")
exe=$(readlink "/proc/$program/exe")
name=$(tr '\0' '\n' <"/proc/$program/cmdline" | head -n 1)
echo "program $program: $exe, started as '$name', in $cwd"
[ "$exe" = "/usr/libexec/$package/$package" ] || fail "unexpected program $exe"
[ "$cwd" = "/usr/share/$package" ] || fail "the program does not run beside its read-me"
[ "$(basename "$name")" = "Zerkan Kütlesi" ] || fail "the program is not started as 'Zerkan Kütlesi'"
status=0
wait "$guard" || status=$?
# timeout's 124 means the program was still running after three seconds: it started fine.
[ "$status" -eq 124 ] || fail "the program ended by itself with status $status"
echo "still running after 3 s, as a started window should be"

step "Removing the package"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove --purge -y -qq "$package" >/dev/null
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "installed"; then
    fail "dpkg still knows $package"
fi
left=0
for p in "${installed[@]}" "/usr/libexec/$package" "/usr/share/$package"; do
    if [ -e "$p" ] || [ -L "$p" ]; then
        echo "left behind: $p"
        left=1
    fi
done
[ "$left" -eq 0 ] || fail "files left behind after removal"
echo "nothing left behind"
if [ -n "$pulled_in" ]; then
    # Other packages may use them meanwhile, so they stay; apt-get autoremove takes them.
    echo "recommended packages that apt brought in stay, marked automatic: ${pulled_in//$'\n'/ }"
fi
echo
echo "package test passed: $(basename "$deb")"
