#!/usr/bin/env bash
# The Wine test bench: brings up a private Wine prefix, Xvfb, PulseAudio with a null sink and
# the ja_JP.UTF-8 locale for one run, runs a command inside it, and stops everything it started.
#
#   scripts/winebench.sh run [--display] [--prefix DIR] -- COMMAND [ARGS...]
#   scripts/winebench.sh can-run     exit 0 when this machine can run Wine, else say why
#
# --display      use the caller's $DISPLAY and sound server instead of Xvfb and the null sink
# --prefix DIR   keep the Wine prefix in DIR across runs (made from the template when missing)
#
# Inside COMMAND: WINEPREFIX, DISPLAY, HOME, XDG_RUNTIME_DIR, LANG/LC_ALL, MX_BENCH_ROOT (the
# run's private folder) and MX_BENCH_PULSE_SINK (the null sink, whose monitor a test can
# capture) are set. MX_KEEP_BENCH=1 keeps the run folder for inspection.
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache_dir=${MX_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/melodrix}
mkdir -p "$cache_dir"

log() { echo "winebench: $*" >&2; }

# The Japanese face names the program asks for, mapped onto the IPA fonts. Debian's Wine does
# not load its own Marlett either, so caption buttons would draw letters without the copy below.
registry_setup() {
    cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"標準ゴシック"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ 明朝"="IPAMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"
"MS UI Gothic"="IPAPGothic"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"d:"="cdrom"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
}

wine_environment() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# The template prefix is made once and reused while its inputs (this script's registry setup,
# the Wine version) are unchanged; every run works on a copy, because wineserver rewrites the
# registry files in place.
template_dir() {
    local key
    key=$( { registry_setup; wine --version; echo template-v2; } | sha1sum | cut -c1-12)
    echo "$cache_dir/wine-template-$key"
}

make_template() {
    local template=$1 work
    work=$(mktemp -d "$cache_dir/template-build.XXXXXX")
    log "creating the Wine template prefix (about 20 s, once)"
    local status=0
    (
        wine_environment
        export WINEPREFIX=$work/prefix HOME=$work/home
        mkdir -p "$HOME"
        xvfb_display=$(free_display)
        Xvfb ":$xvfb_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
        export DISPLAY=":$xvfb_display"
        wait_for_file "/tmp/.X11-unix/X$xvfb_display" 100
        # This runs inside a command substitution, where set -e is off: every step checks itself.
        wineboot -i >/dev/null 2>&1 </dev/null || exit 1
        wineserver -w || exit 1
        registry_setup | sed 's/$/\r/' | iconv -f utf-8 -t utf-16 >"$work/setup.reg"
        wine reg import "$(winepath_of "$work/setup.reg")" >/dev/null 2>&1 </dev/null || exit 1
        local marlett
        marlett=$(dpkg -L fonts-wine 2>/dev/null | grep -i '/marlett.ttf$' | head -1 || true)
        [ -n "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
        mkdir -p "$WINEPREFIX/cdrom"
        ln -sfn ../cdrom "$WINEPREFIX/dosdevices/d:"
        wineserver -w || exit 1
        # wineboot links the user's shell folders (Desktop, Documents, ...) into this build's
        # temporary HOME, which is deleted below; dangling links break the shell's namespace
        # (folder pickers, special folders), so they become real folders of the prefix.
        local link
        for link in "$WINEPREFIX"/drive_c/users/*/*; do
            if [ -L "$link" ]; then
                rm -f "$link"
                mkdir -p "$link"
            fi
        done
    ) || status=$?
    if [ "$status" -ne 0 ] || ! template_is_whole "$work/prefix"; then
        # A half-made template would be reused by every later run: keep none.
        log "could not create the Wine template prefix"
        rm -rf "$work"
        return 1
    fi
    rm -rf "$template"
    mv "$work/prefix" "$template"
    rm -rf "$work"
}

# A prefix that wineboot finished: its registry files and system folder are there.
template_is_whole() {
    [ -f "$1/system.reg" ] && [ -f "$1/user.reg" ] && [ -d "$1/drive_c/windows/system32" ]
}

winepath_of() {
    # Wine maps the Unix root to Z:, so an absolute path needs no lookup.
    echo "Z:${1//\//\\}"
}

free_display() {
    local n
    for n in $(seq 90 190); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return
        fi
    done
    log "no free X display number"
    return 1
}

wait_for_file() {
    local path=$1 tries=$2
    while [ ! -e "$path" ] && [ "$tries" -gt 0 ]; do
        sleep 0.05
        tries=$((tries - 1))
    done
    [ -e "$path" ]
}

ensure_template() {
    local template
    template=$(template_dir)
    exec 9>"$cache_dir/template.lock"
    flock 9
    if ! template_is_whole "$template"; then
        make_template "$template" || { flock -u 9; return 1; }
    fi
    flock -u 9
    echo "$template"
}

started_pids=()
bench_root=

stop_bench() {
    set +e
    if [ -n "${WINEPREFIX:-}" ]; then
        WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
    fi
    local pulse_pid
    if [ -n "${bench_root:-}" ] && [ -f "$bench_root/xdg/pulse/pid" ]; then
        pulse_pid=$(cat "$bench_root/xdg/pulse/pid")
        started_pids+=("$pulse_pid")
    fi
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${started_pids[@]}"; do
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
    done
    if [ -n "${bench_root:-}" ]; then
        if [ "${MX_KEEP_BENCH:-0}" = 1 ]; then
            log "kept $bench_root"
        else
            rm -rf "$bench_root"
        fi
    fi
}

start_bench() {
    local use_display=$1 prefix=$2 template
    # Debian's Wine is 32-bit only; a machine that cannot run 32-bit programs fails here, clearly.
    local problem
    if ! problem=$(wine --version 2>&1); then
        log "wine does not run here: ${problem##*$'\n'}"
        return 1
    fi
    template=$(ensure_template) || return 1
    bench_root=$(mktemp -d /tmp/mxbench.XXXXXX)
    trap stop_bench EXIT
    trap 'exit 130' INT TERM
    wine_environment
    export MX_BENCH_ROOT=$bench_root

    if [ -z "$prefix" ]; then
        prefix=$bench_root/prefix
    fi
    if [ ! -d "$prefix" ]; then
        mkdir -p "$(dirname "$prefix")"
        cp -a "$template" "$prefix"
    fi
    # The template's drive links point into the template: point them at this copy.
    mkdir -p "$prefix/cdrom"
    ln -sfn ../cdrom "$prefix/dosdevices/d:"
    export WINEPREFIX=$prefix

    if [ "$use_display" = 1 ]; then
        [ -n "${DISPLAY:-}" ] || { log "--display given but DISPLAY is empty"; return 1; }
    else
        export HOME=$bench_root/home XDG_RUNTIME_DIR=$bench_root/xdg
        mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
        chmod 700 "$XDG_RUNTIME_DIR"
        local display
        display=$(free_display)
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$bench_root/xvfb.log" 2>&1 &
        started_pids+=($!)
        export DISPLAY=":$display"
        wait_for_file "/tmp/.X11-unix/X$display" 200 || { log "Xvfb did not start"; return 1; }

        # Started under LANG=C with a description, the sink gets stable ASCII device names.
        LANG=C LC_ALL=C pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
            --load="module-null-sink sink_name=nul sink_properties=device.description=NullOut" \
            --load="module-native-protocol-unix" >"$bench_root/pulse.log" 2>&1 \
            || { log "PulseAudio did not start (see $bench_root/pulse.log)"; return 1; }
        wait_for_file "$XDG_RUNTIME_DIR/pulse/pid" 100 || true
        # Keeps the null sink at low latency, so a recording's first buffers are not lost.
        parec -d nul.monitor --raw --latency-msec=20 >/dev/null 2>&1 &
        started_pids+=($!)
        export MX_BENCH_PULSE_SINK=nul
    fi

    # A persistent server, warmed once with its stderr detached: the system processes it
    # starts would otherwise inherit a pipe of ours and keep it open.
    wineserver -p || { log "wineserver did not start"; return 1; }
    wine wineboot >/dev/null 2>&1 </dev/null
}

# Debian's Wine runs Windows programs as 32-bit Linux processes. A kernel whose 32-bit emulation
# is switched off (ia32_emulation=off) refuses every one of them with "Exec format error".
can_run_wine() {
    if ! command -v wine >/dev/null 2>&1; then
        echo "Wine is not installed" >&2
        return 1
    fi
    if ! timeout 60 wine --version >/dev/null 2>&1; then
        echo "this machine cannot run 32-bit programs (the kernel's 32-bit emulation is off), so Wine cannot start" >&2
        return 1
    fi
}

main() {
    local command=${1:-}
    shift || true
    case "$command" in
        run)
            local use_display=0 prefix=
            while [ $# -gt 0 ]; do
                case "$1" in
                    --display) use_display=1 ;;
                    --prefix) prefix=$2; shift ;;
                    --) shift; break ;;
                    *) break ;;
                esac
                shift
            done
            [ $# -gt 0 ] || { log "run: no command given"; exit 2; }
            start_bench "$use_display" "$prefix"
            local status=0
            "$@" || status=$?
            exit "$status"
            ;;
        template)
            ensure_template
            ;;
        can-run)
            can_run_wine
            ;;
        *)
            sed -n '2,14p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
            exit 2
            ;;
    esac
}

main "$@"
