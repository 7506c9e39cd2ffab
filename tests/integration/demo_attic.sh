#!/usr/bin/env bash
# The attic's part of the demo, played headless from the study to the title:
# tests/content/demo/attic.segment.input (the piece of the whole walkthrough
# that follows the greenhouse) started by the test level
# tests/content/demo/attic_start.xml, which gives the player Ada the progress
# and the inventory the segment starts from. Three runs:
# - the whole segment in a fresh user folder: its transcript must match
#   tests/content/demo/attic.expected, nothing may be printed or logged as an
#   error or a warning, and the progress left must be a finished game (only
#   "finished" and "tutorial_seen" kept);
# - the segment quit in the attic after the trunk opened, then resumed: the
#   restart must find the hatch and the trunk open, and the inventory rebuilt
#   with the winding key alone (dragged from the first slot it winds the
#   box), and reach the same ending and the same progress; quit again while
#   the wound box plays, the restart tells its words when it is clicked;
#   the box's tune, the ending's music, starts as the box plays (resumed too);
# - the finished player choosing Play on the title again: a fresh game in the
#   study, the hatch shut, the tutorial not shown again.
# With TARROW_UPDATE_EXPECTED=1 the first run rewrites attic.expected.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/playthrough.sh"

segment="$content/attic.segment.input"
start=(--level tests/content/demo/attic_start:trg_attic_test_start)
# The test level has shown the study by this frame: segment frame 0.
offset=150

# run DATA_HOME INPUT OUTPUT [START...]: a headless run from INPUT; the
# transcript goes to OUTPUT.demo. Without START the game starts as
# configured (the title).
run() {
    local home=$1 input=$2 output=$3
    shift 3
    XDG_DATA_HOME="$home" timeout 240 "$TARROW" --headless --frames 100000 "$@" \
        --input "$input" -C "$TARROW_SOURCE_DIR" >"$output" 2>"$output.err"
    local rc=$?
    check "$(basename "$output") exited $rc: $(head -c 2000 "$output.err")" test "$rc" -eq 0
    transcript "$output" >"$output.demo"
    quiet "$(basename "$output")" "$output" "$output.err" "$(user_folder "$home")/logfile.txt"
}

# tune OUTPUT: the music box playing, the ending's music and the
# grandfather's first words, in the order OUTPUT printed them.
tune() {
    grep -E "^(demo: the music box plays|music: assets/sounds/music_ending|demo: the grandfather's words, page 1 )" \
        "$1" | sed 's/, page.*//'
}

# The whole segment.
continue_from "$segment" 0 "$offset" >"$work/whole.input"
run "$work/a" "$work/whole.input" "$work/whole.txt" "${start[@]}"
expect "$content/attic.expected" "$work/whole.txt.demo" "the attic's segment"
check "the segment did not end on the title: $(tail -n 3 "$work/whole.txt.demo")" \
    test "$(tail -n 3 "$work/whole.txt.demo" | head -n 1)" = "demo: profile screen"
check "the ending's music did not start with the music box: $(tune "$work/whole.txt")" \
    test "$(tune "$work/whole.txt" | tr '\n' '|')" = \
    "demo: the music box plays|music: assets/sounds/music_ending|demo: the grandfather's words|"
finished=$(progress "$work/a")
check "the finished game's progress is not a fresh start: $finished" \
    test "$(echo "$finished" | tr -d ' \n')" = "tp_global={finished=1tutorial_seen=true}"

# Quit in the attic once the trunk is open, then back again: the restart opens
# the attic and the events go on from the click on the music box.
until_frame "$segment" 280 | continue_from /dev/stdin 0 "$offset" >"$work/quit.input"
run "$work/b" "$work/quit.input" "$work/quit.txt" "${start[@]}"
continue_from "$segment" 290 200 >"$work/resumed.input"
run "$work/b" "$work/resumed.input" "$work/resumed.txt" "${start[@]}"
for line in "demo: progress of Ada restored: room attic, key taken, drawer seen" \
    "demo: the hatch is open, the trunk open, the music box still" \
    "demo: room attic open, current room attic" \
    "demo: the winding key winds the music box"; do
    check "the resumed game lacks '$line'" grep -qxF -- "$line" "$work/resumed.txt.demo"
done
check "the resumed game ends otherwise than the whole segment" \
    cmp -s <(tail -n 14 "$work/whole.txt.demo") <(tail -n 14 "$work/resumed.txt.demo")
check "the resumed game's progress differs: $(progress "$work/b")" \
    test "$(progress "$work/b")" = "$finished"

# Quit while the wound box plays, before its words: back in the attic the
# box, clicked, plays on and its words lead to the same ending.
until_frame "$segment" 700 | continue_from /dev/stdin 0 "$offset" >"$work/quit2.input"
run "$work/c" "$work/quit2.input" "$work/quit2.txt" "${start[@]}"
cat >"$work/resumed2.input" <<'EOF'
200 move 683 541
205 click 683 541
330 move 798 548
335 click 798 548
365 click 798 548
480 move 683 500
485 click 683 500
800 quit
EOF
run "$work/c" "$work/resumed2.input" "$work/resumed2.txt" "${start[@]}"
check "the game resumed while the box played forgot it was wound" grep -qxF \
    "demo: the hatch is open, the trunk open, the music box wound" "$work/resumed2.txt.demo"
check "the box resumed while playing did not play its tune: $(tune "$work/resumed2.txt")" \
    test "$(tune "$work/resumed2.txt" | tr '\n' '|')" = \
    "music: assets/sounds/music_ending|demo: the grandfather's words|"
check "the game resumed while the box played ends otherwise than the whole segment" \
    cmp -s <(tail -n 12 "$work/whole.txt.demo") <(tail -n 12 "$work/resumed2.txt.demo")
check "the game resumed while the box played left other progress: $(progress "$work/c")" \
    test "$(progress "$work/c")" = "$finished"

# The finished player plays again from the title: Play (design 420, 580),
# then a click on the hatch, which is shut again.
cat >"$work/again.input" <<'EOF'
60 move 591 580
62 click 591 580
250 move 350 40
255 click 350 40
300 quit
EOF
run "$work/a" "$work/again.input" "$work/again.txt"
check "Play after the ending did not open the study" \
    grep -qxF "demo: room study open, current room study" "$work/again.txt.demo"
check "Play after the ending restored the old game" \
    test "$(grep -c 'restored\|hatch is open\|tutorial step' "$work/again.txt.demo")" -eq 0
check "the hatch is not shut in the new game" grep -qxF \
    "demo: remark A hatch in the ceiling. Its iron ring hangs far out of reach." "$work/again.txt.demo"
check "the new game's progress lost the finished game: $(progress "$work/a")" \
    grep -qx ' *finished = 1' <(progress "$work/a")

finish
