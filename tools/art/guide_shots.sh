#!/bin/bash
# Remakes the strategy guide's screenshots from the game: each SHOT,
# ROOM[/SUBROOM]=NAME, starts the demo level in ROOM (and opens SUBROOM),
# draws it in a window (under Xvfb when there is no display) with a fixed
# frame time, takes frame FRAME and saves it, scaled to 320x180, as
# assets/shared/interface/guide/screens/NAME.jpg. The player's folder is a
# fresh one, so the game runs as it does for a new player (a room's first
# greeting included: an input script can click it away).
# Needs rsvg-convert (librsvg2-bin), cjpeg (libjpeg-turbo-progs) and python3.
#
#   tools/art/guide_shots.sh [--tarrow PATH] [--frame N] [--input FILE] SHOT...
#
#   --tarrow PATH  the game (default: build/release/apps/tarrow/tarrow, else
#                  build/test/apps/tarrow/tarrow)
#   --frame N      the frame to take (default 150: the room has faded in and
#                  its animations are under way)
#   --input FILE   scripted input for every shot (tarrow --input), e.g. to
#                  skip a greeting or to open a dialog first
#
# Examples:
#   tools/art/guide_shots.sh study=study study/drawer_closeup=closeup desk=desk shed=shed
#   tools/art/guide_shots.sh greenhouse=greenhouse greenhouse/potting_closeup=potting
case "${1:-}" in --help | -h | "")
    sed -n '2,/^set -u/p' "$0" | sed -n 's/^# \{0,1\}//p'
    exit 0
    ;;
esac
set -u

root=$(cd "$(dirname "$0")/../.." && pwd)
tarrow=""
frame=150
input=()
while [[ $# -gt 0 && $1 == --* ]]; do
    case $1 in
    --tarrow) tarrow=$(realpath "$2") ;;
    --frame) frame=$2 ;;
    --input) input=(--input "$(realpath "$2")") ;;
    *)
        echo "guide_shots.sh: unknown option $1 (--help lists them)" >&2
        exit 2
        ;;
    esac
    shift 2
done
if [[ -z $tarrow ]]; then
    for candidate in build/release build/test; do
        [[ -x $root/$candidate/apps/tarrow/tarrow ]] && tarrow=$root/$candidate/apps/tarrow/tarrow && break
    done
fi
if [[ ! -x $tarrow ]]; then
    echo "guide_shots.sh: no tarrow built (build/release or build/test; or --tarrow PATH)" >&2
    exit 2
fi
if ! [[ $frame =~ ^[0-9]+$ ]]; then
    echo "guide_shots.sh: --frame takes a frame number, not \"$frame\"" >&2
    exit 2
fi
for tool in rsvg-convert cjpeg python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "guide_shots.sh: $tool not found (apt-get install librsvg2-bin libjpeg-turbo-progs python3)" >&2
        exit 2
    fi
done
server=()
if [[ -z ${DISPLAY:-} ]]; then
    server=(xvfb-run -a -s "-screen 0 1920x1080x24")
fi

screens=$root/assets/shared/interface/guide/screens
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for shot in "$@"; do
    place=${shot%%=*} name=${shot#*=}
    if [[ $shot != *=* || -z $place || ! $name =~ ^[A-Za-z0-9_-]+$ ]]; then
        echo "guide_shots.sh: \"$shot\" is not ROOM[/SUBROOM]=NAME" >&2
        status=2
        continue
    fi
    rm -rf "$work/data"
    if ! XDG_DATA_HOME="$work/data" ASAN_OPTIONS=detect_leaks=0 "${server[@]}" "$tarrow" \
        --level assets/levels/demo/demo:trg_demo_start --room "$place" "${input[@]}" \
        --fixed-dt 0.0166667 --frames $((frame + 1)) --screenshot "$frame:$work/$name.png" \
        -C "$root" >"$work/$name.log" 2>&1 || [[ ! -s $work/$name.png ]]; then
        echo "guide_shots.sh: $place could not be drawn: $(tail -n 3 "$work/$name.log")" >&2
        status=1
        continue
    fi
    # rsvg-convert scales the picture smoothly; cjpeg reads the PPM.
    printf '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="320" height="180"><image width="320" height="180" preserveAspectRatio="none" xlink:href="%s"/></svg>\n' \
        "$name.png" >"$work/$name.svg"
    if (cd "$work" && rsvg-convert --format=png --output="$name.small.png" "$name.svg") &&
        python3 "$root/tools/art/png_to_ppm.py" "$work/$name.small.png" "$work/$name.ppm" &&
        cjpeg -quality 85 -outfile "$screens/$name.jpg" "$work/$name.ppm"; then
        echo "$screens/$name.jpg"
    else
        echo "guide_shots.sh: $name.jpg could not be made" >&2
        status=1
    fi
done
exit $status
