#!/usr/bin/env bash
# Input dispatch end to end: a module under tests/content/input driven by a
# scripted input file. Checks which event code ran, in which order, through
# what the module's Lua code prints.
set -u
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
content="$TARROW_SOURCE_DIR/tests/content/input"

out=$("$TARROW" --headless -C "$content" --module dragdrop --input dragdrop.input 2>&1)
rc=$?
if [[ $rc -ne 0 ]]; then
    echo "input_dragdrop: tarrow exited $rc: $out"
    exit 1
fi

expected="mdown over
menter slider
mdown box
startdrag box
menter_drag slot
dragdrop box 1
waiter over
dragdrop box 2
menter slot"
# Only the lines the module's event code prints, in the order they ran.
got=$(grep -E '^(mdown|mup|menter|menter_drag|startdrag|dragdrop|waiter) ' <<<"$out")
if [[ "$got" != "$expected" ]]; then
    echo "input_dragdrop: event code ran as"
    echo "$got"
    echo "expected"
    echo "$expected"
    echo "full output:"
    echo "$out"
    exit 1
fi
echo "input_dragdrop: ok"
