#!/usr/bin/env bash
# The demo's cut-out and mesh animations answer clicks: in the study the cat
# on the windowsill is startled and its end trigger returns it to its idle
# loop, and the curtain sways once and hangs still again; in the garden the
# bird on the bench flies off with the letter, once, however often it is
# clicked. Nothing is logged as an error or a warning.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"

# Pixel (x, y) is design point (x - 171, y) in the demo's wide window.
cat >"$work/input.txt" <<'INPUT'
# the profile screen: type the name Ada, Enter, Play; the level is ready by 140
50 char 65
51 char 100
52 char 97
54 key 13
54 char 13
60 move 591 580
62 click 591 580
# the cat (design 560, 350), whose click also ends the new player's
# tutorial, and once that has gone the curtain (design 352, 300)
145 move 731 350
150 click 731 350
180 move 523 300
182 click 523 300
# through the door into the garden, past the gardener's greeting (Skip,
# design 517, 708), then the bird (design 800, 590), twice
300 move 1120 397
305 click 1120 397
380 move 688 708
382 click 688 708
420 move 971 592
422 click 971 592
426 click 971 592
INPUT
timeout 240 "$TARROW" --headless --frames 620 --input "$work/input.txt" -C "$TARROW_SOURCE_DIR" \
    >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "the run exited $rc: $(head -c 2000 "$work/err.txt")" test "$rc" -eq 0
check "errors or warnings: $(grep -E 'Error|Warning' "$work/out.txt" "$work/err.txt")" \
    test "$(cat "$work/out.txt" "$work/err.txt" | grep -cE 'Error|Warning')" -eq 0
for line in "demo: the cat settles back to its idle loop" "demo: the curtain hangs still again" \
    "demo: the bird flew off with the letter"; do
    check "'$line' not printed once: $(grep '^demo: ' "$work/out.txt")" \
        test "$(count "$work/out.txt" "$line")" -eq 1
done
finish
