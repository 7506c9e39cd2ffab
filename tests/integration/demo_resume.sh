#!/usr/bin/env bash
# The whole game quit at the quit points of tests/content/demo/playthrough.list
# and resumed: each resumed game must print its expected transcript, end on
# the whole game's last lines and leave the whole game's saved progress.
# Neither run may print or log an error or a warning. The whole game is played
# once first, from a fresh user folder: its transcript must match the
# manifest's "whole" file; its ending and its progress are the resumes' measure.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/playthrough.sh"

play_headless "$work/whole" "$game_input" "$work/whole.txt"
rc=$?
check "the whole game exited $rc: $(head -c 2000 "$work/whole.txt.err")" test "$rc" -eq 0
transcript "$work/whole.txt" >"$work/whole.demo"
expect "$game_expected" "$work/whole.demo" "the whole game"
ending=$(progress "$work/whole")
check "the whole game left no saved progress" test -n "$ending"
tail_lines=$(manifest_value tail)
returning="$content/$(manifest_value returning).input"

points=0
while read -r quit_frame continue_frame at_frame; do
    points=$((points + 1))
    run="$work/quit_$quit_frame"
    until_frame "$game_input" "$quit_frame" >"$run.input"
    play_headless "$run" "$run.input" "$run.first.txt"
    rc=$?
    check "quit at $quit_frame: the first part exited $rc" test "$rc" -eq 0
    check "quit at $quit_frame: the first part left no saved progress" test -n "$(progress "$run")"

    { cat "$returning"; continue_from "$game_input" "$continue_frame" "$at_frame"; } >"$run.input"
    play_headless "$run" "$run.input" "$run.txt"
    rc=$?
    check "quit at $quit_frame: the resumed game exited $rc: $(head -c 2000 "$run.txt.err")" \
        test "$rc" -eq 0
    transcript "$run.txt" >"$run.demo"
    expect "$content/resume_$quit_frame.expected" "$run.demo" "the game resumed after $quit_frame"
    check "quit at $quit_frame: the resumed game ends otherwise than the whole game" \
        cmp -s <(tail -n "$tail_lines" "$work/whole.demo") <(tail -n "$tail_lines" "$run.demo")
    check "quit at $quit_frame: the resumed game saved other progress: $(diff <(echo "$ending") \
        <(progress "$run") | head -n 6)" test "$(progress "$run")" = "$ending"
    quiet "quit at $quit_frame" "$run.first.txt" "$run.first.txt.err" "$run.txt" "$run.txt.err" \
        "$(user_folder "$run")/logfile.txt"
done < <(manifest_values quit)
check "the manifest names no quit point" test "$points" -gt 0
quiet "the whole game" "$work/whole.txt" "$work/whole.txt.err" "$(user_folder "$work/whole")/logfile.txt"
finish
