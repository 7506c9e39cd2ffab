#!/bin/sh
# Makes the demo's videos (the fountain's splash loop and its film): draws the frames (SVG), renders them with
# rsvg-convert and packs them with the project's videopack into an Ogg Theora
# video with a .zalpha alpha file. Needed only when a video changes; the
# results are committed.
#
#   tools/videoart/make_videos.sh PATH/TO/videopack
case "${1:-}" in --help | -h)
    sed -n '2,/^set -eu/p' "$0" | sed -n 's/^# \{0,1\}//p'
    exit 0
    ;;
esac
set -eu

if [ "$#" -ne 1 ]; then
    echo "usage: make_videos.sh PATH/TO/videopack" >&2
    exit 2
fi
videopack=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$root/tools/videoart/fountain_splash.py" "$work"
for svg in "$work"/frame_*.svg; do
    rsvg-convert --format=png --output="${svg%.svg}.png" "$svg"
done
"$videopack" -f 12 -q 48 "$root/assets/levels/demo/garden/fountain_splash" "$work"/frame_*.png
# The film the fountain shows in the video dialog: the same loop three times
# over (six seconds, played once); its subtitles are fountain_film.srt.
"$videopack" -f 12 -q 48 "$root/assets/levels/demo/garden/fountain_film" \
    "$work"/frame_*.png "$work"/frame_*.png "$work"/frame_*.png
ls -l "$root/assets/levels/demo/garden/fountain_splash".* "$root/assets/levels/demo/garden/fountain_film".*
