#!/usr/bin/env bash
# The screenshot tour (tests/content/demo/playthrough.list, "shot" lines):
# the whole game played in a window through OpenGL under Xvfb (without any
# display it reports itself skipped, exit 77), a screenshot at every listed
# frame. Each is shrunk and held against tests/content/demo/tour/NAME.png
# with the manifest's tolerance; the window run must print what the headless
# run of the same input prints, and nothing may be printed or logged as an
# error or a warning. The screenshots stay in TARROW_TOUR_DIR (default: the
# build folder's tour/) for a reviewer, with compare.txt, the figures of
# every comparison. With TARROW_UPDATE_EXPECTED=1 the shrunk screenshots
# become the expected pictures.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/playthrough.sh"
window_server
tour="${TARROW_TOUR_DIR:-$(dirname "$TARROW_TOOLS")/tour}"
expected="$content/tour"
shotcompare="$TARROW_TOOLS/shotcompare"
shrink=$(manifest_value shrink)
read -r tolerance percent <<<"$(manifest_value tolerance)"
mkdir -p "$tour" "$expected"
rm -f "$tour"/*.png "$tour/compare.txt"

shots=()
last=0
while read -r frame name; do
    shots+=(--screenshot "$frame:$tour/$name.png")
    ((frame > last)) && last=$frame
done < <(manifest_values shot)
check "the manifest lists no shot" test "$last" -gt 0

XDG_DATA_HOME="$work/data" "${server[@]}" "$TARROW" --frames "$last" --input "$game_input" \
    "${shots[@]}" -C "$TARROW_SOURCE_DIR" >"$work/window.txt" 2>&1
rc=$?
check "the window run exited $rc: $(head -c 2000 "$work/window.txt")" test "$rc" -eq 0
quiet "the window run" "$work/window.txt" "$(user_folder "$work/data")/logfile.txt"
# Cut short at the last shot, the run ends with the game's closing lines.
transcript "$work/window.txt" >"$work/window.demo"
shown=$(grep -c '' "$work/window.demo")
check "the window run went otherwise than the headless one: $(diff <(head -n $((shown - 1)) \
    "$work/window.demo") <(head -n $((shown - 1)) "$game_expected") |
    head -n 6)" cmp -s <(head -n $((shown - 1)) "$work/window.demo") \
    <(head -n $((shown - 1)) "$game_expected")

while read -r frame name; do
    shot="$tour/$name.png"
    if [[ ! -f $shot ]]; then
        check "no screenshot of frame $frame ($name)" false
    elif [[ $updating == 1 ]]; then
        "$shotcompare" shrink "$shot" "$expected/$name.png" "$shrink" &&
            echo "$test_name: updated ${expected#"$TARROW_SOURCE_DIR"/}/$name.png"
    elif [[ ! -f $expected/$name.png ]]; then
        check "no expected picture $name.png" false
    else
        status=0
        "$shotcompare" compare "$shot" "$expected/$name.png" "$shrink" "$tolerance" "$percent" \
            >>"$tour/compare.txt" || status=$?
        check "frame $frame ($name) differs from the expected picture: $(tail -n 1 "$tour/compare.txt")" \
            test "$status" -eq 0
    fi
done < <(manifest_values shot)
finish
