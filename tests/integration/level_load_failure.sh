#!/usr/bin/env bash
# A level whose module cannot be read stops the game with a message naming
# the module and a non-zero exit, instead of a loading screen for ever: at
# start (an unclosed tag) and on a level switch (a module that is missing).
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"

# FOLDER, then the module the stop must name.
expect_stop() {
    local game=$1 module=$2
    "$TARROW" --headless --frames 600 -C "$game" >"$work/out.txt" 2>"$work/err.txt"
    local rc=$?
    check "$module: exit status $rc, not 1" test "$rc" -eq 1
    check "$module: standard error does not name it: $(cat "$work/err.txt")" \
        grep -qF "level module $module.xml could not be loaded" "$work/err.txt"
    check "$module: the log does not say the game stops" \
        grep -qF "Error: the level module $module.xml could not be loaded" "$work/out.txt"
}

cp -r "$TARROW_SOURCE_DIR/tests/content/game" "$work/unclosed"
sed -i 's|</room>||; s|<room name="first_hall"/>|<room name="first_hall">|' \
    "$work/unclosed/assets/levels/first.xml"
expect_stop "$work/unclosed" assets/levels/first
check "the parse error and its line are not logged" \
    grep -qE "^Error while parsing xml file: assets/levels/first.xml\..*line: [0-9]+" "$work/out.txt"
check "the start trigger ran although the module did not load" \
    test "$(grep -c "first level started" "$work/out.txt")" -eq 0

cp -r "$TARROW_SOURCE_DIR/tests/content/game" "$work/missing"
rm "$work/missing/assets/levels/second.xml"
expect_stop "$work/missing" assets/levels/second
check "the first level did not run before the switch" \
    grep -qF "first level started in" "$work/out.txt"

finish
