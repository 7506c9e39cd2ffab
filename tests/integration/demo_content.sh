#!/usr/bin/env bash
# The demo's content is complete and sound before anyone plays it: modcheck
# finds no problem in its game folder beyond the known ones (types, names, files with their exact case,
# string ids, triggers called, Lua that compiles), every sound and module its
# scripts name exists, and the media are what the engine reads (Ogg Vorbis
# sounds, Ogg Theora videos with their alpha files, subtitles naming string
# ids of the table). modcheck itself must find each mistake planted in
# tests/content/demo/flawed_level.xml.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
modcheck="$TARROW_TOOLS/modcheck"
cd "$TARROW_SOURCE_DIR" || exit 1

modules=(assets/levels/profiles/profiles.xml assets/levels/demo/*.xml
    assets/shared/interface/int_*.xml)
# The whole game folder: what modcheck finds is exactly the list of known
# findings the demo still has (empty once the demo is mended).
"$modcheck" assets >"$work/demo.txt" 2>&1
grep -E '^assets/[^:]+:[0-9]+: ' "$work/demo.txt" >"$work/findings.txt"
check "modcheck's findings in the demo differ from the known ones: $(cat "$work/demo.txt")" \
    diff -u tests/content/demo/known_findings.txt "$work/findings.txt"

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
for video in assets/levels/demo/garden/fountain_splash assets/levels/demo/garden/fountain_film; do
    check "$video is not Ogg Theora" grep -qa 'theora' <(head -c 64 "$video.ogg")
    check "$video has no alpha file" test -s "$video.zalpha"
done
# Subtitles name string ids (the line after each time line); the video dialog
# shows whatever the table holds for them, so each must be in the table.
while read -r srt; do
    ids=$(awk 'shown { sub(/\r$/, ""); print; shown = 0 } / --> / { shown = 1 }' "$srt")
    check "$srt names no subtitle" test -n "$ids"
    for id in $ids; do
        check "$srt names the string id $id, which assets/strings.xml lacks" \
            grep -qF ">$id</Data>" assets/strings.xml
    done
done < <(find assets -name '*.srt')
check "no video has subtitles" test -n "$(find assets -name '*.srt')"

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
    test "$(grep -cE '^tests/content/demo/flawed_level.xml:[0-9]+: ' "$work/flawed.txt")" -eq "${#expected[@]}"

"$modcheck" >/dev/null 2>&1
check "modcheck without modules did not exit 2" test $? -eq 2
"$modcheck" -s >/dev/null 2>&1
check "modcheck -s without a table did not exit 2" test $? -eq 2

finish
