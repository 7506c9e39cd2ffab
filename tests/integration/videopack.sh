#!/usr/bin/env bash
# videopack turns PNG frames into a video the engine plays: three 16 x 8
# frames at 10 fps make "clip.ogg" and "clip.zalpha" (one record a frame), and
# a module playing the clip sees it end once, on its last frame. Frames of
# different sizes or an unreadable frame fail with status 1 and leave no
# output behind; bad arguments are usage errors (status 2).
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/videopack"
videopack="$TARROW_TOOLS/videopack"
export XDG_DATA_HOME="$work/data"

"$videopack" -f 10 "$work/clip" "$content"/frame_0.png "$content"/frame_1.png \
    "$content"/frame_2.png 2>"$work/err.txt"
rc=$?
check "packing exited $rc: $(cat "$work/err.txt")" test "$rc" -eq 0
check "the video is not an Ogg file" test "$(head -c 4 "$work/clip.ogg")" = "OggS"

# Walk the alpha records: a 32-bit little-endian length, then that many bytes.
records=0
at=0
size=$(stat -c %s "$work/clip.zalpha")
while [[ $at -lt $size ]]; do
    length=$(od -A n -t u4 --endian=little -j "$at" -N 4 "$work/clip.zalpha" | tr -d ' ')
    at=$((at + 4 + length))
    records=$((records + 1))
done
check "the alpha file has $records records, not one per frame" test "$records" -eq 3
check "the alpha records run past the file" test "$at" -eq "$size"

"$TARROW" --headless --frames 40 -C "$work" --module "$content/play_clip" \
    >"$work/out.txt" 2>"$work/run_err.txt"
rc=$?
check "playing exited $rc: $(cat "$work/run_err.txt")" test "$rc" -eq 0
check "the clip did not end once on its last frame: $(cat "$work/out.txt")" \
    test "$(count "$work/out.txt" "clip ended on frame 2")" -eq 1

"$videopack" "$work/mixed" "$content"/frame_0.png "$content"/other_size.png 2>"$work/err.txt"
rc=$?
check "frames of two sizes exited $rc" test "$rc" -eq 1
check "frames of two sizes not reported" grep -q "other_size.png is 10x8" "$work/err.txt"
check "frames of two sizes left output" test ! -e "$work/mixed.ogg" -a ! -e "$work/mixed.zalpha"

printf 'not a png' >"$work/broken.png"
"$videopack" "$work/cut" "$content"/frame_0.png "$work/broken.png" 2>/dev/null
rc=$?
check "an unreadable frame exited $rc" test "$rc" -eq 1
check "an unreadable frame left output" test ! -e "$work/cut.ogg" -a ! -e "$work/cut.zalpha"

"$videopack" -f 0 "$work/rate" "$content"/frame_0.png 2>/dev/null
check "a zero frame rate was not a usage error" test "$?" -eq 2
"$videopack" "$work/none" 2>/dev/null
check "no frames was not a usage error" test "$?" -eq 2
check "a usage error wrote output" test ! -e "$work/rate.ogg" -a ! -e "$work/none.ogg"
finish
