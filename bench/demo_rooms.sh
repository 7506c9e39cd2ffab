#!/usr/bin/env bash
# Frames per second and CPU use of the demo's rooms in a window (Xvfb and
# Mesa's software renderer when there is no display), with every frame drawn
# whole (--redraw full) and with only what changed (--redraw changed; REDRAW
# names one of the two to run it alone). Each room runs twice,
# for WARMUP frames and for WARMUP + FRAMES frames, and the figures are the
# differences of the two runs, so loading and start-up fall out. CPU is the
# game process's user + system time (the rasteriser threads included) over
# wall time; 100 % is one core. CPU milliseconds per frame are the steadier
# figure on a loaded machine. The changed-only runs also print the mean share
# of the screen redrawn per frame ("area %"), the share of frames redrawn
# whole ("whole %") and the mean count of rectangles per frame, from the
# totals the renderer prints at exit over the frames after WARMUP
# (TARROW_REDRAW_STATS) of the longer run.
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
export TARROW_REDRAW_STATS=$warmup

# run GAME COUNT REDRAW: prints "wall cpu" in seconds for COUNT frames, then
# the redraw totals "frames whole pixels rects screen" (zeros when the run
# printed none: the full redraw).
run() {
    local out="$work/time.txt"
    "${server[@]}" /usr/bin/time -f "%e %U %S" -o "$out" \
        "$tarrow" --frames "$2" --redraw "$3" -C "$1" "${extra[@]}" >"$work/log.txt" 2>&1 || {
        echo "demo_rooms: tarrow failed: $(tail -c 1000 "$work/log.txt")" >&2
        exit 1
    }
    awk '{ printf "%s %.3f", $1, $2 + $3 }' "$out"
    awk '/^redraw totals:/ { t = $4 " " $6 " " $8 " " $10 " " $12 }
         END { print " " (t == "" ? "0 0 0 0 0" : t) }' "$work/log.txt"
}

for redraw in ${REDRAW:-full changed}; do
    echo "demo rooms: $frames frames after $warmup, --redraw $redraw ${extra[*]:-}"
    printf "%-10s %8s %8s %9s %12s %7s %7s %6s\n" room fps "CPU %" "wall ms/f" "CPU ms/frame" \
        "area %" "whole %" rects
    for room in study garden desk shed greenhouse attic; do
        game="$work/game_$room"
        [[ -d "$game" ]] || demo_room_game "$art" "$room" "$game"
        run "$game" "$warmup" "$redraw" >"$work/short.txt"
        run "$game" $((warmup + frames)) "$redraw" >"$work/long.txt"
        paste "$work/short.txt" "$work/long.txt" |
            awk -v r="$room" -v n="$frames" \
                'function share(part, whole) { return whole > 0 ? sprintf("%.1f", 100 * part / whole) : "-" }
                 { w = $8 - $1; if (w <= 0) w = 0.001
                   c = $9 - $2
                   printf "%-10s %8.1f %8.1f %9.2f %12.2f %7s %7s %6s\n", r, n / w, 100 * c / w,
                          1000 * w / n, 1000 * c / n, share($12, $10 * $14), share($11, $10),
                          ($10 > 0 ? sprintf("%.1f", $13 / $10) : "-") }'
    done
done
