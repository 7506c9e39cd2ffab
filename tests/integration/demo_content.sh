#!/usr/bin/env bash
# The demo's content is complete and sound before anyone plays it: modcheck
# finds no problem in its modules (types, names, files with their exact case,
# string ids, triggers called, Lua that compiles), every sound and module its
# scripts name exists, and the media are what the engine reads (Ogg Vorbis
# sounds, an Ogg Theora video with its alpha file). modcheck itself must find
# each mistake planted in tests/content/demo/flawed_level.xml.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
modcheck="$TARROW_TOOLS/modcheck"
cd "$TARROW_SOURCE_DIR" || exit 1

modules=(assets/levels/profiles/profiles.xml assets/levels/demo/*.xml
    assets/shared/interface/int_*.xml)
"$modcheck" -s assets/strings.xml -s assets/strings_profiles.xml -s assets/strings_interface.xml \
    "${modules[@]}" \
    >"$work/demo.txt" 2>&1
rc=$?
check "modcheck found problems in the demo ($rc): $(cat "$work/demo.txt")" test "$rc" -eq 0

# Paths in the scripts' strings (an argument or a table value, unlike the
# res="..." attributes modcheck has seen): sounds, modules of widgets. A path
# ending in "_" is the start of a name the script completes (below).
grep -ho '[( ]"assets/[A-Za-z0-9_/]*"' "${modules[@]}" | cut -d'"' -f2 | sort -u >"$work/paths.txt"
check "the scripts name no content path" test -s "$work/paths.txt"
while read -r path; do
    [[ "$path" == *_ ]] && continue
    check "scripts name $path, which has no .ogg or .xml file" \
        test -f "$path.ogg" -o -f "$path.xml"
done <"$work/paths.txt"
# Each room plays its ambience "assets/sounds/amb_" .. room name.
for room in $(grep -o '<room name="[^"]*"' assets/levels/demo/demo.xml | cut -d'"' -f2); do
    check "room $room has no ambience loop" test -f "assets/sounds/amb_$room.ogg"
done

for sound in assets/sounds/*.ogg; do
    check "$sound is not Ogg Vorbis" grep -qa 'vorbis' <(head -c 64 "$sound")
    check "$sound does not start an Ogg stream" test "$(head -c 4 "$sound")" = "OggS"
done
video=assets/levels/demo/garden/fountain_splash
check "the fountain video is not Ogg Theora" grep -qa 'theora' <(head -c 64 "$video.ogg")
check "the fountain video has no alpha file" test -s "$video.zalpha"

# Every planted mistake is found, and only those.
"$modcheck" -s assets/strings.xml tests/content/demo/flawed_level.xml >"$work/flawed.txt" 2>&1
rc=$?
check "modcheck passed the flawed module ($rc)" test "$rc" -eq 1
expected=(
    'object "no_picture": no file for res "assets/levels/demo/study/no_such_picture"'
    'object "wrong_case": "assets/levels/demo/study/Drawer.png" is found only with other letter case'
    'object "unknown_type" has the unknown type "sprite"'
    'text "unknown_id" shows the id "no_such_string", which no string table holds'
    'a second object named "wrong_case"'
    'trigger "trg_broken" does not compile'
    'trigger "trg_fine" is defined again'
    'module code does not compile'
    'object "calls_nothing" event_mdown calls "trg_not_defined", which no module defines'
    'object "unclosed_call" event_mup has no closing parenthesis'
    'object "bad_inline" event_menter does not compile'
)
for line in "${expected[@]}"; do
    check "modcheck missed: $line" grep -qF -- "$line" "$work/flawed.txt"
done
check "modcheck reported more than the planted mistakes: $(cat "$work/flawed.txt")" \
    test "$(grep -c '^modcheck: ' "$work/flawed.txt")" -eq "${#expected[@]}"

"$modcheck" >/dev/null 2>&1
check "modcheck without modules did not exit 2" test $? -eq 2
"$modcheck" -s >/dev/null 2>&1
check "modcheck -s without a table did not exit 2" test $? -eq 2

finish
