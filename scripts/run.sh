#!/usr/bin/env bash
# Installs what is missing, builds the player and starts it. With a display it opens the
# window there; without one it runs on a virtual display, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" = --inside-bench ]; then
    # Headless: start the player, wait for its window, take the screenshot, close it.
    exe=$2 shot=$3
    shift 3
    wine "$exe" "$@" >/dev/null 2>&1 &
    for _ in $(seq 1 100); do
        xdotool search --name '^Melodrix' >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 1
    import -window root "$shot"
    wineserver -k >/dev/null 2>&1 || true
    exit 0
fi

bash scripts/setup.sh
bash scripts/build.sh win Melodrix
exe=$root/build/win/bin/Melodrix.exe
if ! scripts/winebench.sh can-run; then
    echo "run: built $exe, but it cannot be started here" >&2
    exit 1
fi
demo=()
if [ -d "$root/build/win/bin/demo" ]; then
    mapfile -t demo < <(find "$root/build/win/bin/demo" -maxdepth 1 -name '*.rpl' | sort | head -1)
fi
# The player takes Windows paths (a leading "/" would read as an option): Wine shows the Linux
# root as drive Z:.
for i in "${!demo[@]}"; do
    demo[i]="Z:${demo[i]//\//\\}"
done

display_socket=/tmp/.X11-unix/X$(echo "${DISPLAY:-}" | sed -E 's/^[^:]*:([0-9]+).*/\1/')
if [ -n "${DISPLAY:-}" ] && [ -S "$display_socket" ]; then
    # The player's settings live in a prefix of its own that is kept between runs.
    prefix=${XDG_CACHE_HOME:-$HOME/.cache}/melodrix/player-prefix
    exec scripts/winebench.sh run --display --prefix "$prefix" -- wine "$exe" "${demo[@]}"
fi

mkdir -p build/screenshots
shot=$root/build/screenshots/melodrix.png
scripts/winebench.sh run -- bash "$0" --inside-bench "$exe" "$shot" "${demo[@]}"
echo "screenshot: $shot"
