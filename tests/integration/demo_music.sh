#!/usr/bin/env bash
# The demo's music follows the room: a short walk without a window
# (tests/content/demo/music.input) from the profile screen through the study,
# the garden, the study again and the desk's hidden-object scene, where Ada
# quits; then a second start resumes her game in that scene
# (music_resume.input). The content prints "music: PIECE" each time a new
# piece starts (demo_sound.xml); the pieces must come in the order of the
# rooms, each starting before its room opens, the scene going on with the
# study's and the resumed scene starting it, with nothing logged as an error
# or a warning (a piece without its file would be). That every sound the
# scripts name exists is demo_content.sh's check.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/demo"

# walk INPUT NAME: one start in the shared folder; stdout in $work/NAME.txt.
walk() {
    XDG_DATA_HOME="$work/home" timeout 240 "$TARROW" --headless --frames 1000000 \
        --input "$content/$1.input" -C "$TARROW_SOURCE_DIR" >"$work/$2.txt" 2>"$work/$2.err"
    local rc=$?
    check "the $2 walk exited $rc: $(head -c 2000 "$work/$2.err")" test "$rc" -eq 0
    check "errors or warnings printed in the $2 walk: $(grep -E 'Error|Warning' "$work/$2.txt" "$work/$2.err")" \
        test "$(cat "$work/$2.txt" "$work/$2.err" | grep -cE 'Error|Warning')" -eq 0
    # The music and the rooms as they opened, in order.
    grep -E '^music: |^demo: room [a-z_]+ open' "$work/$2.txt" |
        sed -e 's/^music: assets\/sounds\//music /' -e 's/^demo: room \([a-z_]*\) open.*/room \1/' \
            >"$work/$2.sequence"
}

walk music first
printf '%s\n' "music music_title" "music music_study" "room study" "music music_garden" \
    "room garden" "music music_study" "room study" "room desk" >"$work/first.expected"
check "the music did not follow the rooms: $(diff "$work/first.expected" "$work/first.sequence")" \
    cmp -s "$work/first.expected" "$work/first.sequence"

# Ada quit inside the desk scene; her game resumes there, with the study's
# music although the study never opened.
walk music_resume resumed
printf '%s\n' "music music_title" "music music_study" "room desk" >"$work/resumed.expected"
check "the resumed scene's music: $(diff "$work/resumed.expected" "$work/resumed.sequence")" \
    cmp -s "$work/resumed.expected" "$work/resumed.sequence"
finish
