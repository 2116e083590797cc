#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build, the tests and the tools need. Quiet and quick
# when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config file dpkg-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    xvfb xauth x11-utils imagemagick fonts-dejavu-core openbox xdotool libxcb1-dev
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0 locales
    hyperfine valgrind clang-format lcov
    desktop-file-utils appstream lintian man-db
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    wine wine64 nsis fonts-wine xdotool
    emscripten chromium
)
# The browser edition's tools run on the machine's node where it has one, else on Debian's.
if ! command -v node >/dev/null; then packages+=(nodejs); fi
if ! command -v npm >/dev/null; then packages+=(npm); fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
# Some window tests run under a Turkish locale as well.
has_turkish_locale() { locale -a 2>/dev/null | grep -qix 'tr_TR[.]utf-\?8'; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
if ! has_turkish_locale; then
    echo "Generating the tr_TR.UTF-8 locale"
    grep -qx 'tr_TR.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'tr_TR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi

# Google Benchmark for the Windows build: Debian ships it built for Linux only, so its source
# package is unpacked beside GoogleTest's sources, which Debian does ship. The source index is
# read through a private list folder, leaving the system's own apt sources as they are.
benchmark_src=/usr/src/benchmark
if [ ! -f "$benchmark_src/CMakeLists.txt" ]; then
    echo "Fetching the Google Benchmark sources (Debian source package benchmark)"
    apt=$(mktemp -d)
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/src"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/parts/sources.list"
    fi
    options=(-qq -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/parts"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
    chmod -R a+rwX "$apt"
    # A third-party source without sources must not stop Debian's from being read.
    apt-get "${options[@]}" update || true
    (cd "$apt/src" && apt-get "${options[@]}" source benchmark >/dev/null)
    $sudo rm -rf "$benchmark_src"
    $sudo cp -r "$apt"/src/benchmark-*/ "$benchmark_src"
    rm -rf "$apt"
fi
