#!/bin/sh
# Renders the demo's vector art: every .svg under assets/ (or under the
# folders given) becomes a .png beside it, at the size the .svg declares.
# Needs rsvg-convert (Debian package librsvg2-bin) and python3 only when art
# changes; the rendered PNGs are committed.
#
#   tools/art/render.sh                 # everything under assets/
#   tools/art/render.sh assets/levels   # one folder
case "${1:-}" in --help | -h)
    sed -n '2,/^set -eu/p' "$0" | sed -n 's/^# \{0,1\}//p'
    exit 0
    ;;
esac
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 2
fi
[ "$#" -gt 0 ] || set -- assets
find "$@" -name '*.svg' | sort | while read -r svg; do
    png="${svg%.svg}.png"
    rsvg-convert --format=png --output="$png" "$svg"
    # The engine reads RGBA only; opaque pictures come out as RGB.
    python3 "$root/tools/art/force_rgba.py" "$png"
    echo "$png"
done
