#!/bin/sh
# Renders every vector source here into the PNG of the same name.
# Needs rsvg-convert (Debian: librsvg2-bin); run it after changing the art.
set -e
cd "$(dirname "$0")"
for svg in *.svg; do
    rsvg-convert --format=png --output="${svg%.svg}.png" "$svg"
done
