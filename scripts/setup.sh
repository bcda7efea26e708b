#!/usr/bin/env bash
# Installs everything the two builds, the demo run and the tests need on Debian 12.
# Idempotent: when every package is present it only checks and returns (well under a second).
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    wine wine32:i386 fonts-wine
    xvfb xdotool pulseaudio pulseaudio-utils
    fonts-ipafont fonts-ipafont-gothic fonts-ipafont-mincho locales
    imagemagick sox lame mpg123 midicsv
    fp-utils libchm-bin
)

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed'; then
            echo "$p"
        fi
    done
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A mirror that is being synced answers some index files with the wrong size; apt-get update then
# fails although the other indexes are fine. Retry a few times and go on with what was fetched:
# the install step says clearly if a package really cannot be found.
apt_update() {
    local attempt
    for attempt in 1 2 3; do
        as_root apt-get update -qq && return 0
        echo "setup: apt-get update failed (attempt $attempt), retrying" >&2
        sleep 5
    done
    return 0
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    apt_update
fi

missing=$(missing_packages)
if [ -n "$missing" ]; then
    echo "setup: installing: $(echo $missing | tr '\n' ' ')"
    export DEBIAN_FRONTEND=noninteractive
    apt_update
    # shellcheck disable=SC2086
    if ! as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null; then
        # Multiarch packages need the same version for amd64 and i386. When one architecture's
        # security index could not be fetched, the two disagree and nothing installs; the main
        # suite alone is consistent, so install from it (security updates come with the next run).
        echo "setup: retrying the install from the main suite only" >&2
        parts=$(mktemp -d)
        awk 'BEGIN { RS = ""; ORS = "\n\n" } !/debian-security/' /etc/apt/sources.list.d/*.sources \
            > "$parts/main.sources" 2>/dev/null || true
        # shellcheck disable=SC2086
        as_root apt-get install -y -qq --no-install-recommends \
            -o Dir::Etc::SourceParts="$parts" -o Dir::Etc::SourceList=/dev/null $missing >/dev/null
        rm -rf "$parts"
    fi
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# The posix-thread variant is what the Windows build uses; make sure it is really there.
command -v i686-w64-mingw32-g++-posix >/dev/null || { echo "setup: i686-w64-mingw32-g++-posix missing" >&2; exit 1; }
command -v wine >/dev/null || { echo "setup: wine missing" >&2; exit 1; }
