#!/usr/bin/env bash
# The development options on the command line: malformed --room and --level
# values and --dev with --module are refused with exit status 2 before
# anything runs; --new makes a starter game only in a new or empty folder;
# --room and --level choose where a game starts, and --dev shows its errors.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"

# ARGUMENTS...: must be refused with status 2 and a message naming the option.
refused() {
    "$TARROW" "$@" >"$work/out.txt" 2>"$work/err.txt"
    local rc=$?
    check "'$*' exited $rc, not 2" test "$rc" -eq 2
    check "'$*' did not say why: $(cat "$work/err.txt")" grep -q -- "^tarrow: " "$work/err.txt"
}
refused --headless --room ""
refused --headless --room hall/
refused --headless --room /sub
refused --headless --level :trg_start
refused --headless --dev --module tests/content/modules/anything
refused --headless --room

"$TARROW" --new "$work/game" >"$work/new.txt" 2>&1
check "--new failed: $(cat "$work/new.txt")" test -f "$work/game/assets/levels/start/start.xml"
check "--new left links to the source tree" test -z "$(find "$work/game" -type l)"
refused --new "$work/game"
touch "$work/file"
refused --new "$work/file"
mkdir "$work/empty"
"$TARROW" --new "$work/empty" >/dev/null 2>&1
check "--new refused an empty folder" test -f "$work/empty/assets/config.xml"

# A start level and room of the game's own choosing: the tiny start-up game
# has a room the demo-like start trigger never switches to.
cp -r "$TARROW_SOURCE_DIR/tests/content/game" "$work/tiny"
"$TARROW" --headless --frames 60 --room nowhere -C "$work/game" >"$work/room.txt" 2>&1
check "an unknown --room was not reported" \
    grep -qxF "Warning: SwitchRoom: level assets/levels/start/start has no room nowhere" \
    "$work/room.txt"
"$TARROW" --headless --frames 60 --level assets/levels/second:trg_second_start -C "$work/tiny" \
    >"$work/level.txt" 2>&1
check "--level did not start the second level" grep -qxF "second level started" "$work/level.txt"
check "--level ran the configured start trigger too" \
    test "$(grep -c "first level started" "$work/level.txt")" -eq 0

finish
