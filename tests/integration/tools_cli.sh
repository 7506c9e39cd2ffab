#!/usr/bin/env bash
# The content tools behave like command-line tools: each answers --help on
# standard output with exit 0, a usage line and an example, and is reachable
# beside tarrow; a missing argument is a usage error (2) on standard error.
# fontscramble refuses what is not a font; pngpixel reads any PNG and names
# its columns.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
beside=$(dirname "$TARROW")

for tool in modcheck pngpixel fontscramble videopack savecheck gridmesh; do
    "$beside/$tool" --help >"$work/help.txt" 2>"$work/help.err"
    rc=$?
    check "$tool --help exited $rc" test "$rc" -eq 0
    check "$tool --help wrote to standard error: $(cat "$work/help.err")" test ! -s "$work/help.err"
    check "$tool --help has no usage line" grep -q "^usage: $tool " "$work/help.txt"
    check "$tool --help shows no example" grep -qE "^  +$tool " <(sed -n '/^Examples*:/,$p' "$work/help.txt")
    "$TARROW_TOOLS/$tool" >"$work/bare.txt" 2>"$work/bare.err"
    rc=$?
    check "$tool without arguments exited $rc, not 2" test "$rc" -eq 2
    check "$tool without arguments did not say how to use it" grep -q "usage" "$work/bare.err"
done
for script in art/render.sh videoart/make_videos.sh soundgen/make_sounds.sh; do
    check "$script --help failed or showed no way to run it" \
        grep -qF "tools/$script" <(sh "$TARROW_SOURCE_DIR/tools/$script" --help)
done

check "art/guide_shots.sh --help failed or showed no way to run it" \
    grep -qF "tools/art/guide_shots.sh" <(bash "$TARROW_SOURCE_DIR/tools/art/guide_shots.sh" --help)
bash "$TARROW_SOURCE_DIR/tools/art/guide_shots.sh" --tarrow "$TARROW" garden >/dev/null 2>"$work/shots.err"
check "guide_shots.sh took \"garden\" without a picture name ($?)" test $? -eq 2
check "guide_shots.sh did not say what a shot is: $(cat "$work/shots.err")" \
    grep -qF "is not ROOM[/SUBROOM]=NAME" "$work/shots.err"

# png_to_ppm.py: the PPM holds the PNG's colours, its alpha dropped.
icon="$TARROW_SOURCE_DIR/assets/icon.png"
python3 "$TARROW_SOURCE_DIR/tools/art/png_to_ppm.py" "$icon" "$work/icon.ppm"
check "png_to_ppm.py failed on the icon" test $? -eq 0
read -r _ _ red green blue _ < <("$TARROW_TOOLS/pngpixel" "$icon" 20 30 | tail -n 1)
size=$(head -n 2 "$work/icon.ppm" | tail -n 1)
width=${size%% *}
header=$(head -n 3 "$work/icon.ppm" | wc -c)
ppm_pixel=$(od -An -tu1 -j $((header + (30 * width + 20) * 3)) -N 3 "$work/icon.ppm" | xargs)
check "png_to_ppm.py: pixel 20 30 is \"$ppm_pixel\", the PNG's is \"$red $green $blue\"" \
    test "$ppm_pixel" = "$red $green $blue"

# fontscramble: a file that is no font is refused and nothing is written.
printf 'these are not glyphs' >"$work/notafont.ttf"
"$TARROW_TOOLS/fontscramble" "$work/notafont.ttf" "$work/out.trfnt" 2>"$work/font.err"
rc=$?
check "fontscramble took a text file as a font ($rc)" test "$rc" -eq 1
check "fontscramble wrote output for a text file" test ! -e "$work/out.trfnt"
check "fontscramble did not say why: $(cat "$work/font.err")" grep -q "not a font" "$work/font.err"

# pngpixel: a palette picture is read, the columns are named first.
palette="$TARROW_SOURCE_DIR/tests/content/mistakes/formats/palette.png"
"$TARROW_TOOLS/pngpixel" "$palette" 0 0 7 11 >"$work/pixels.txt" 2>"$work/pixels.err"
check "pngpixel failed on a palette picture: $(cat "$work/pixels.err")" test $? -eq 0
check "pngpixel printed other than the labelled colours: $(cat "$work/pixels.txt")" \
    test "$(cat "$work/pixels.txt")" = "# x y r g b a
0 0 51 102 204 255
7 11 51 102 204 255"
check "pngpixel did not name the format: $(cat "$work/pixels.err")" \
    grep -qF "8x12, 8-bit palette" "$work/pixels.err"
"$TARROW_TOOLS/pngpixel" "$palette" 8 0 >/dev/null 2>&1
check "pngpixel read outside the picture" test $? -eq 1
finish
