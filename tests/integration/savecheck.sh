#!/usr/bin/env bash
# savecheck on hand-made player files: a saved game edited by hand fails
# until --sign gives it a matching checksum line, then prints as a tree; a
# profile list prints its decoded names; bad arguments exit with 2.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}"
savecheck="$TARROW_TOOLS/savecheck"

printf '<!--1-->\n<profile><game_data><data><s_room v="garden"/><t_items><b_key v="1"/><n_1 v="2.5"/><s_ k="a key" v="x&lt;y"/></t_items></data></game_data></profile>' >"$work/p_000000.xml"
"$savecheck" "$work/p_000000.xml" >"$work/before.txt"
rc=$?
check "an unsigned edit passed (status $rc)" test "$rc" -eq 1
check "the wrong checksum was not named: $(cat "$work/before.txt")" grep -q 'wrong checksum' "$work/before.txt"

"$savecheck" --sign "$work/p_000000.xml" >/dev/null
"$savecheck" "$work/p_000000.xml" >"$work/after.txt"
rc=$?
check "the signed file failed (status $rc): $(cat "$work/after.txt")" test "$rc" -eq 0
expected="$work/p_000000.xml: ok
tp_global = {
  room = \"garden\"
  items = {
    key = true
    [1] = 2.5
    [\"a key\"] = \"x<y\"
  }
}"
check "the tree differs: $(cat "$work/after.txt")" test "$(cat "$work/after.txt")" = "$expected"
check "signing changed the document" \
    test "$(sed 1d "$work/p_000000.xml")" = '<profile><game_data><data><s_room v="garden"/><t_items><b_key v="1"/><n_1 v="2.5"/><s_ k="a key" v="x&lt;y"/></t_items></data></game_data></profile>'

printf '<profiles current="0">\n    <profile id="p_000000" name="QW5u"/>\n</profiles>\n' >"$work/profile_list.xml"
check "the list did not print its name" \
    grep -qxF '  p_000000 "Ann"' <("$savecheck" "$work/profile_list.xml")
"$savecheck" >/dev/null 2>&1
check "no file named did not exit with 2" test $? -eq 2
finish
