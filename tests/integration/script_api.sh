#!/usr/bin/env bash
# The engine's script functions from module code in a headless run: version,
# relations, the intersection corner rule, an alpha fade whose end trigger
# reads the faded object, an animation without end code naming no trigger,
# a refused deletion of the display root, TrgExecute without code, ModLoad
# with a Windows-style path and ObjCreate parking under the storage root.
set -u
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
content="$TARROW_SOURCE_DIR/tests/content/script_api"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
export SDL_AUDIODRIVER=dummy
fail=0
expect_once() { # LINE
    local n
    n=$(grep -cxF -- "$1" "$work/out.txt")
    if [[ "$n" -ne 1 ]]; then
        echo "script_api: expected once, found $n times: $1"
        fail=1
    fi
}

"$TARROW" --headless --frames 45 -C "$content" --module api_tour >"$work/out.txt" 2>"$work/err.txt"
rc=$?
if [[ $rc -ne 0 ]]; then
    echo "script_api: run exited $rc: $(cat "$work/err.txt")"
    fail=1
fi
expect_once "version 0.5"
expect_once "parent tr_origin children fader,crossed_wide,crossed_tall,silent"
expect_once "crossed false"
expect_once "overlap true"
expect_once "Warning: ObjDelete refused for reserved object \"tr_origin\""
expect_once "Error: TrgExecute try execute with null code!"
expect_once "extra loaded under tr_storage at x 7"
expect_once "made in tr_storage"
expect_once "faded to 0 by fader"
expect_once "Error: object silent try to call trigger   - no such trigger"
# Module code runs before the first frame; the fade ends half a second later.
if [[ "$(grep -n "faded to" "$work/out.txt" | cut -d: -f1)" -le \
      "$(grep -n "made in" "$work/out.txt" | cut -d: -f1)" ]]; then
    echo "script_api: the fade ended before the module code finished"
    fail=1
fi

if [[ $fail -eq 0 ]]; then echo "script_api: ok"; fi
exit $fail
