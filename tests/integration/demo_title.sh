#!/usr/bin/env bash
# The title screen's Quit ends the game: a new player typed in on the profile
# screen, then Quit (tests/content/demo/title_quit.input). Without the frame
# limit in reach, only the game closing itself ends the run in time; it must
# close cleanly (status 0, its shutdown trigger run last), keep the player
# just added and log no error or warning.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/demo"

XDG_DATA_HOME="$work/home" timeout 120 "$TARROW" --headless --frames 10000000 \
    --input "$content/title_quit.input" -C "$TARROW_SOURCE_DIR" >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "the game did not end by its Quit (status $rc): $(head -c 2000 "$work/err.txt")" \
    test "$rc" -eq 0
check "Quit was not the title's: $(grep '^demo: ' "$work/out.txt" | tail -n 3)" \
    grep -qx 'demo: quit from the title' "$work/out.txt"
check "the game did not close last: $(tail -n 1 "$work/out.txt")" \
    test "$(tail -n 1 "$work/out.txt")" = "demo: closing"
# The list keeps names base64-encoded: "QWRh" is Ada.
check "the player added before Quit was lost" \
    grep -q 'name="QWRh"' "$work/home/Brightfold/Tarrow Demo/profile_list.xml"
check "errors or warnings printed: $(grep -E 'Error|Warning' "$work/out.txt" "$work/err.txt")" \
    test "$(cat "$work/out.txt" "$work/err.txt" | grep -cE 'Error|Warning')" -eq 0
finish
