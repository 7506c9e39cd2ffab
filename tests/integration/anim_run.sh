#!/usr/bin/env bash
# An animated sprite from a module plays its function from its attributes and
# queues its end code once when the function ends, stopped on the last frame;
# AnmPlay from that code plays again with a new end code, AnmPause freezes
# another sprite for good, and a looping function never ends. The cursor
# follows the scripted mouse: CursorPosX/Y read the truncated position.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"

# The module names its art relative to the source tree.
cd "$TARROW_SOURCE_DIR" || exit 1
"$TARROW" --headless --frames 60 --module tests/content/anim/anim_test \
    --input tests/content/anim/anim_test_input.txt >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "run exited $rc: $(cat "$work/err.txt")" test "$rc" -eq 0
check "module code did not run" test "$(count "$work/out.txt" "module loaded")" -eq 1
check "first end not reported once on the last frame" \
    test "$(count "$work/out.txt" "lamp out 1 from lamp on frame 1, playing false")" -eq 1
check "second play's end not reported once" \
    test "$(count "$work/out.txt" "lamp out 2 from lamp on frame 1, playing false")" -eq 1
check "ends out of order" \
    test "$(grep "^lamp out" "$work/out.txt" | head -n 1 | cut -c1-10)" = "lamp out 1"
check "the looping function did not start" test "$(count "$work/out.txt" "glow started")" -eq 1
check "a looping function ran its end code" test "$(grep -c "lamp out 3" "$work/out.txt")" -eq 0
check "the paused sprite ended" test "$(grep -c "from frozen" "$work/out.txt")" -eq 0
check "cursor position not read back truncated" \
    test "$(count "$work/out.txt" "cursor at 150 160")" -eq 1
check "errors logged: $(grep Error "$work/out.txt")" test "$(grep -c "Error" "$work/out.txt")" -eq 0

finish
