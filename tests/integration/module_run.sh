#!/usr/bin/env bash
# tarrow --module runs a module with the engine alone: its code attaches a
# button to tr_origin, a scripted click presses it, and the button's trigger
# prints what it received (sender, a plain and an evaluated argument, the
# parameters restored after a nested call). The log shows the call of a
# missing trigger; a broken module logs its parse error and applies nothing;
# a missing module file is a usage error.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/modules"
export XDG_DATA_HOME="$work/data"

"$TARROW" --headless --frames 8 --module "$content/click_test" \
    --input "$content/click_test_input.txt" >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "click run exited $rc: $(cat "$work/err.txt")" test "$rc" -eq 0
check "module code did not run once" test "$(count "$work/out.txt" "module loaded")" -eq 1
check "the button's trigger did not print its parameters once" \
    test "$(count "$work/out.txt" "clicked by button with left and 42 (number)")" -eq 1
check "the nested call did not see its own parameters" \
    test "$(count "$work/out.txt" "nested call from tr_undef with inner")" -eq 1
check "the outer parameters were not restored after the nested call" \
    test "$(count "$work/out.txt" "after nested call param_0 is left")" -eq 1
check "an object left in the storage root took a click" \
    test "$(grep -c "parked" "$work/out.txt")" -eq 0
# The module code runs before the first frame, the click's trigger after it.
check "output order" test "$(head -n 1 "$work/out.txt")" = "module loaded"

missing="Error: object button try to call trigger trg_not_there - no such trigger"
check "missing trigger not reported on stdout" test "$(count "$work/out.txt" "$missing")" -eq 1
logfile=$(find "$work/data" -name logfile.txt | head -n 1)
check "no log file written" test -n "$logfile"
if [[ -n "$logfile" ]]; then
    check "missing trigger not in the log file" test "$(count "$logfile" "$missing")" -eq 1
    check "Lua print did not reach the log file" test "$(grep -c "clicked by" "$logfile")" -eq 1
fi

"$TARROW" --headless --frames 2 --module "$content/broken" >"$work/broken.txt" 2>&1
rc=$?
check "broken module stopped the run ($rc)" test "$rc" -eq 0
check "parse error not logged with file, line and column" \
    grep -qE "^Error while parsing xml file: $content/broken.xml\. Description: .*, line: [0-9]+, pos: [0-9]+$" \
    "$work/broken.txt"
check "broken module's code ran" test "$(grep -c "must not run" "$work/broken.txt")" -eq 0

"$TARROW" --headless --frames 2 --module "$content/no_such_module" >/dev/null 2>"$work/none.txt"
rc=$?
check "missing module exited $rc, expected 2" test "$rc" -eq 2
check "missing module not named" grep -q "no_such_module.xml" "$work/none.txt"

"$TARROW" --headless --module >/dev/null 2>"$work/novalue.txt"
rc=$?
check "--module without a path exited $rc, expected 2" test "$rc" -eq 2
check "--module without a path not named" grep -q -- "--module" "$work/novalue.txt"

# Windows-style separators name the same file.
"$TARROW" --headless --frames 1 --module "${content//\//\\}\\click_test" >"$work/back.txt" 2>&1
check "backslash module path did not load" test "$(count "$work/back.txt" "module loaded")" -eq 1

finish
