#!/bin/sh
# Builds soundgen and musicgen and writes the demo's sounds (effects and
# ambience) and its music loops into assets/sounds/. Needs a C compiler and
# libvorbis-dev (libvorbisenc) only when a sound changes; the .ogg files are
# committed.
#
#   tools/soundgen/make_sounds.sh
case "${1:-}" in --help | -h)
    sed -n '2,/^set -eu/p' "$0" | sed -n 's/^# \{0,1\}//p'
    exit 0
    ;;
esac
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in soundgen musicgen; do
    # shellcheck disable=SC2046
    cc -std=c99 -O2 -Wall -Wextra -o "$work/$program" "$root/tools/soundgen/$program.c" \
        "$root/tools/soundgen/synth.c" $(pkg-config --cflags --libs vorbisenc vorbis ogg) -lm
done
mkdir -p "$root/assets/sounds"
"$work/soundgen" "$root/assets/sounds"
"$work/musicgen" "$root/assets/sounds"
