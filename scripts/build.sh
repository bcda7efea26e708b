#!/usr/bin/env bash
# Configures and builds both configurations: build/native (Linux, sanitizers, tests,
# benchmarks, fuzzers) and build/win (MinGW i686: Melodrix.exe, mxtool.exe, Windows tests).
#   scripts/build.sh [native|win|all] [ninja targets...]
set -euo pipefail
cd "$(dirname "$0")/.."

which=${1:-all}
shift || true
jobs=${MX_JOBS:-2}

# ccache, where installed, lets several checkouts of the project share compiled objects.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(cd .. && pwd)} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi

configure() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >"$dir.configure.log" 2>&1 \
            || { cat "$dir.configure.log" >&2; return 1; }
    fi
}

mkdir -p build
if [ "$which" = native ] || [ "$which" = all ]; then
    configure build/native
    ninja -C build/native -j "$jobs" "$@"
fi
if [ "$which" = win ] || [ "$which" = all ]; then
    configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake
    ninja -C build/win -j "$jobs" "$@"
fi
