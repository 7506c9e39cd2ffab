#!/usr/bin/env bash
# The demo's music follows the room: a short walk without a window
# (tests/content/demo/music.input) from the profile screen through the study,
# the garden, the study again and the desk's hidden-object scene. The content
# prints "music: PIECE" each time a new piece starts (demo_sound.xml); the
# pieces must come in the order of the rooms, each starting before its room
# opens, the scene keeping the study's, with nothing logged as an error or a
# warning (a piece without its file would be). That every sound the scripts
# name exists is demo_content.sh's check.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/demo"

XDG_DATA_HOME="$work/home" timeout 240 "$TARROW" --headless --frames 1000000 \
    --input "$content/music.input" -C "$TARROW_SOURCE_DIR" >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "the walk exited $rc: $(head -c 2000 "$work/err.txt")" test "$rc" -eq 0

# The music and the rooms as they opened, in order.
grep -E '^music: |^demo: room [a-z_]+ open' "$work/out.txt" |
    sed -e 's/^music: assets\/sounds\//music /' -e 's/^demo: room \([a-z_]*\) open.*/room \1/' \
        >"$work/sequence.txt"
cat >"$work/expected.txt" <<'END'
music music_title
music music_study
room study
music music_garden
room garden
music music_study
room study
room desk
END
check "the music did not follow the rooms: $(diff "$work/expected.txt" "$work/sequence.txt")" \
    cmp -s "$work/expected.txt" "$work/sequence.txt"
check "errors or warnings printed: $(grep -E 'Error|Warning' "$work/out.txt" "$work/err.txt")" \
    test "$(cat "$work/out.txt" "$work/err.txt" | grep -cE 'Error|Warning')" -eq 0
finish
