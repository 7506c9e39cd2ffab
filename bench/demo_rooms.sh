#!/usr/bin/env bash
# Frames per second and CPU use of the demo's rooms in a window (Xvfb and
# Mesa's software renderer when there is no display), with every frame drawn
# whole (--redraw full) and with only what changed (--redraw changed; REDRAW
# names one of the two to run it alone). Each room runs twice,
# for WARMUP frames and for WARMUP + FRAMES frames, and the figures are the
# differences of the two runs, so loading and start-up fall out. CPU is the
# game process's user + system time (the rasteriser threads included) over
# wall time; 100 % is one core. CPU milliseconds per frame are the steadier
# figure on a loaded machine.
#
# Usage: bench/demo_rooms.sh TARROW [FRAMES=600] [WARMUP=120] [-- TARROW ARGS...]
# Arguments after "--" go to every tarrow run unchanged.
set -euo pipefail
if [[ $# -lt 1 ]]; then
    echo "usage: $0 TARROW [FRAMES] [WARMUP] [-- TARROW ARGS...]" >&2
    exit 2
fi
tarrow=$(realpath "$1")
shift
frames=600
warmup=120
if [[ $# -gt 0 && $1 != "--" ]]; then frames=$1; shift; fi
if [[ $# -gt 0 && $1 != "--" ]]; then warmup=$1; shift; fi
if [[ $# -gt 0 && $1 == "--" ]]; then shift; fi
extra=("$@")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/integration/lib/demo_room.sh
source "$source_dir/tests/integration/lib/demo_room.sh"
art="$source_dir/assets"

server=()
if [[ -z "${DISPLAY:-}" ]]; then
    server=(xvfb-run -a -s "-screen 0 1920x1080x24")
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$work/data"

# run GAME COUNT REDRAW: prints "wall cpu" in seconds for COUNT frames.
run() {
    local out="$work/time.txt"
    "${server[@]}" /usr/bin/time -f "%e %U %S" -o "$out" \
        "$tarrow" --frames "$2" --redraw "$3" -C "$1" "${extra[@]}" >"$work/log.txt" 2>&1 || {
        echo "demo_rooms: tarrow failed: $(tail -c 1000 "$work/log.txt")" >&2
        exit 1
    }
    awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$out"
}

for redraw in ${REDRAW:-full changed}; do
    echo "demo rooms: $frames frames after $warmup, --redraw $redraw ${extra[*]:-}"
    printf "%-8s %8s %8s %9s %12s\n" room fps "CPU %" "wall ms/f" "CPU ms/frame"
    for room in study garden desk shed; do
        game="$work/game_$room"
        [[ -d "$game" ]] || demo_room_game "$art" "$room" "$game"
        run "$game" "$warmup" "$redraw" >"$work/short.txt"
        run "$game" $((warmup + frames)) "$redraw" >"$work/long.txt"
        read -r wall0 cpu0 <"$work/short.txt"
        read -r wall1 cpu1 <"$work/long.txt"
        awk -v r="$room" -v n="$frames" -v w0="$wall0" -v w1="$wall1" -v c0="$cpu0" -v c1="$cpu1" \
            'BEGIN { w = w1 - w0; if (w <= 0) w = 0.001
                     printf "%-8s %8.1f %8.1f %9.2f %12.2f\n", r, n / w, 100 * (c1 - c0) / w,
                            1000 * w / n, 1000 * (c1 - c0) / n }'
    done
done
