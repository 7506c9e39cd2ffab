#!/bin/sh
# Builds soundgen and writes the demo's sounds into assets/sounds/. Needs a C
# compiler and libvorbis-dev (libvorbisenc) only when a sound changes; the
# .ogg files are committed.
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
# shellcheck disable=SC2046
cc -std=c99 -O2 -Wall -Wextra -o "$work/soundgen" "$root/tools/soundgen/soundgen.c" \
    $(pkg-config --cflags --libs vorbisenc vorbis ogg) -lm
mkdir -p "$root/assets/sounds"
"$work/soundgen" "$root/assets/sounds"
