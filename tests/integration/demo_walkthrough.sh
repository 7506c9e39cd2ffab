#!/usr/bin/env bash
# Plays the demo in assets/ without a window, from a scripted mouse and
# keyboard: the profile screen (the name Ada typed, Play), the loading
# screen, the new player's three-step tutorial, the study, the drawer's
# close-up (opened from the drawer, its key taken and its letter read, closed
# by a click beside it), the garden through the door (the gardener's greeting
# in the character dialog, the fountain's film with its subtitles in the
# video dialog) and back, the key dragged out of the inventory onto nothing
# (it goes back) and onto the clock (it opens it), the clock's lock (its
# caption strip, a hint, two turns, a skip that solves it, the story dialog),
# the desk's task-list scene (a hint refused in a message box while the
# button refills, finds, a hint, a skip, the closing dialog), the garden
# shed's item-panel scene (a hint, a tool dropped wrong, tools in order, a
# skip for the last, the closing dialog), the film again closed by its Skip,
# the greenhouse (its door locked, then opened with the lock's iron key; the
# potting bench's close-up: the seeds sown, a hint, closed and opened again,
# the can's watering, the flower's winding key taken; the shelves' task-list
# scene: finds, a hint, a skip, the dialog giving the hooked pole) and back
# through the garden into the study, the map and the guide opened and closed, and the menu: opened by its
# button and closed by Resume, opened by Escape, its Options switching to
# full screen, and Quit, which asks first and ends the game. A third run plays both scenes alone with their finds in a
# shuffled order (tests/content/demo/scenes_shuffled.*), ending the tutorial
# with a click beside it and skipping the gardener's greeting; in the shed a
# second hint asked too soon shows its message, which Escape closes. A fourth, a
# new player's too (the tutorial ended, the greeting skipped), walks by the
# map, opens every chapter of the strategy guide, changes two volumes
# in the Options, loses and regains the focus (the pause screen) and quits
# after a Stay; Escape closes the map, the gardener's greeting, the guide and
# a close-up on the way; restarted, the map offers the greenhouse marked seen
# in the save, and the Options show the volumes chosen
# (tests/content/demo/interface*.*). A fifth plays the greenhouse otherwise
# (tests/content/demo/greenhouse_variant.*) and checks its saved progress.
# The content prints what happens ("demo: ..."); the transcript must match
# tests/content/demo/walkthrough.expected line by line. Nothing may be logged
# as an error or a warning, and the player's folder must hold the log and the
# settings: the configuration's defaults on a first run, the player's own
# values on a later one, and the full screen chosen in the menu in both.
# Two more starts in the first walk's folder find Ada's progress: the study
# with the key taken and the inventory rebuilt, where the finished desk no
# longer opens its scene, then (after a walk into the garden and quitting
# there) the garden, where the finished shed no longer opens its scene.
# With TARROW_UPDATE_EXPECTED=1 the transcripts rewrite their expected files
# (lib/playthrough.sh).
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/playthrough.sh"
# attribute FILE NAME: the value of NAME="..." in FILE.
attribute() { sed -n "s/.* $2=\"\\([^\"]*\\)\".*/\\1/p" "$1" | head -n 1; }

# play DATA_HOME OUTPUT: one walk. Quit in the menu ends it long before the
# frame limit; a game that does not quit is stopped by the timeout and fails.
play() {
    XDG_DATA_HOME="$1" timeout 240 "$TARROW" --headless --frames 1000000 \
        --input "$content/${3:-walkthrough}.input" -C "$TARROW_SOURCE_DIR" >"$2" 2>"$2.err"
}

# First run: no settings yet.
play "$work/first" "$work/first.txt"
rc=$?
check "first run exited $rc: $(head -c 2000 "$work/first.txt.err")" test "$rc" -eq 0
grep '^demo: ' "$work/first.txt" >"$work/first.demo"
expect "$content/walkthrough.expected" "$work/first.demo" "the walk"
check "errors or warnings printed: $(grep -E 'Error|Warning' "$work/first.txt" "$work/first.txt.err")" \
    test "$(grep -cE 'Error|Warning' "$work/first.txt" "$work/first.txt.err" | awk -F: '{ s += $2 } END { print s }')" -eq 0
check "the game did not close after Quit" test "$(tail -n 1 "$work/first.txt")" = "demo: closing"

folder="$work/first/Brightfold/Tarrow Demo"
check "no log file in the player's folder" test -f "$folder/logfile.txt"
if [[ -f "$folder/logfile.txt" ]]; then
    check "the log file lacks the window's display mode" \
        grep -q "^Display mode: 1366x768, fullscreen=0" "$folder/logfile.txt"
    check "the log file lacks the full-screen display mode" \
        grep -q "^Display mode: 1920x1080, fullscreen=1" "$folder/logfile.txt"
    check "errors logged: $(grep -E 'Error|Warning' "$folder/logfile.txt")" \
        test "$(grep -cE 'Error|Warning' "$folder/logfile.txt")" -eq 0
fi
settings="$folder/settings.xml"
check "no settings.xml in the player's folder" test -f "$settings"
if [[ -f "$settings" ]]; then
    check "settings.xml is not one settings element" grep -q '^<settings .*/>$' "$settings"
    check "settings fullscreen is '$(attribute "$settings" fullscreen)', the menu chose 1" \
        test "$(attribute "$settings" fullscreen)" = "1"
    # The configuration's first-run values (assets/config.xml).
    config="$TARROW_SOURCE_DIR/assets/config.xml"
    for key in widescreen syscursor performance sfx_volume env_volume \
        soundtrack_volume voice_volume; do
        check "settings $key is '$(attribute "$settings" "$key")', the configuration says '$(attribute "$config" "$key")'" \
            test "$(attribute "$settings" "$key")" = "$(attribute "$config" "$key")"
    done
    check "settings gamma is '$(attribute "$settings" gamma)', not 1" \
        test "$(attribute "$settings" gamma)" = "1"
fi

# Second run: the player's own settings are read, used and saved again whole.
mkdir -p "$work/second/Brightfold/Tarrow Demo"
settings="$work/second/Brightfold/Tarrow Demo/settings.xml"
echo '<settings sfx_volume="0.25" voice_volume="0.5" gamma="1.5" performance="1"/>' >"$settings"
play "$work/second" "$work/second.txt"
rc=$?
check "second run exited $rc: $(head -c 2000 "$work/second.txt.err")" test "$rc" -eq 0
# Low detail (performance="1") stops the rain, whose particles draw from the
# generator the hints draw from, so only the hinted things may differ, and
# the menu's Options show the player's own settings.
check "the second walk went differently" \
    cmp -s <(grep -v '^demo: \(hint at \|options\)' "$content/walkthrough.expected") \
    <(grep '^demo: ' "$work/second.txt" | grep -v '^demo: \(hint at \|options\)')
check "the options did not show the player's settings: $(grep '^demo: options' "$work/second.txt")" \
    grep -q '^demo: options: Effects 25%, Ambience 80%, Music 70%, window, low detail$' "$work/second.txt"
check "sfx_volume not kept: $(cat "$settings")" test "$(attribute "$settings" sfx_volume)" = "0.25"
check "voice_volume not kept: $(cat "$settings")" test "$(attribute "$settings" voice_volume)" = "0.5"
check "gamma not kept: $(cat "$settings")" test "$(attribute "$settings" gamma)" = "1.5"
check "performance not kept: $(cat "$settings")" test "$(attribute "$settings" performance)" = "1"
check "env_volume not filled in from the configuration: $(cat "$settings")" \
    test "$(attribute "$settings" env_volume)" = "0.8"
check "full screen not saved: $(cat "$settings")" test "$(attribute "$settings" fullscreen)" = "1"
check "a temporary settings file was left behind" \
    test -z "$(find "$work/second" -name '*.tmp')"

# Ada comes back twice: each start must go as its transcript says.
for walk in restart return; do
    play "$work/first" "$work/$walk.txt" "$walk"
    rc=$?
    check "$walk run exited $rc: $(head -c 2000 "$work/$walk.txt.err")" test "$rc" -eq 0
    grep '^demo: ' "$work/$walk.txt" >"$work/$walk.demo"
    expect "$content/$walk.expected" "$work/$walk.demo" "the $walk walk"
done
check "Ada's saved game does not verify" \
    "$TARROW_TOOLS/savecheck" "$folder/p_000000.xml" >/dev/null

# Third run: both scenes alone, their finds in a shuffled order.
XDG_DATA_HOME="$work/third" timeout 240 "$TARROW" --headless --frames 1100 \
    --input "$content/scenes_shuffled.input" -C "$TARROW_SOURCE_DIR" >"$work/third.txt" 2>"$work/third.txt.err"
rc=$?
check "shuffled run exited $rc: $(head -c 2000 "$work/third.txt.err")" test "$rc" -eq 0
grep '^demo: ' "$work/third.txt" >"$work/third.demo"
expect "$content/scenes_shuffled.expected" "$work/third.demo" "the shuffled scenes"
check "errors or warnings printed in the shuffled run: $(grep -E 'Error|Warning' "$work/third.txt")" \
    test "$(grep -cE 'Error|Warning' "$work/third.txt")" -eq 0

# Fourth run: the interface, then a restart that finds the volumes chosen.
# In between, Bo's progress says the greenhouse was seen (a hand-edited save,
# signed again): the restart's map offers it beside the study and the garden,
# where the first walk's map offered those two only.
bo_save="$work/fourth/Brightfold/Tarrow Demo/p_000000.xml"
for walk in interface interface_again; do
    if [[ $walk == interface_again ]]; then
        sed -i 's|<t_visited>|<t_visited><b_greenhouse v="1"/>|' "$bo_save"
        check "Bo's edited save could not be signed" "$TARROW_TOOLS/savecheck" --sign "$bo_save"
    fi
    play "$work/fourth" "$work/$walk.txt" "$walk"
    rc=$?
    check "$walk run exited $rc: $(head -c 2000 "$work/$walk.txt.err")" test "$rc" -eq 0
    grep '^demo: ' "$work/$walk.txt" >"$work/$walk.demo"
    expect "$content/$walk.expected" "$work/$walk.demo" "the $walk walk"
    check "errors or warnings printed in the $walk run: $(grep -E 'Error|Warning' "$work/$walk.txt" "$work/$walk.txt.err")" \
        test "$(grep -cE 'Error|Warning' "$work/$walk.txt" "$work/$walk.txt.err" | awk -F: '{ s += $2 } END { print s }')" -eq 0
done
settings="$work/fourth/Brightfold/Tarrow Demo/settings.xml"
check "the effects volume chosen was not kept: $(cat "$settings")" \
    test "$(attribute "$settings" sfx_volume)" = "0.8"
check "the ambience volume chosen was not kept: $(cat "$settings")" \
    test "$(attribute "$settings" env_volume)" = "0.9"

# Fifth run: the walk up to the garden before the greenhouse (frame 3312 of
# walkthrough.input), then the greenhouse played otherwise
# (tests/content/demo/greenhouse_variant.*, its frames counted from there):
# items dropped on the wrong thing, Hint and Skip through the potting bench,
# the shelves' finds in another order, the bench and the shelves once done.
# The quit saves the progress, which must hold every step.
greenhouse_start=3312
spliced "$content/walkthrough.input" "$greenhouse_start" "$content/greenhouse_variant.input" \
    "$greenhouse_start" >"$work/variant.input"
play_headless "$work/variant" "$work/variant.input" "$work/variant.txt"
rc=$?
check "greenhouse variant exited $rc: $(head -c 2000 "$work/variant.txt.err")" test "$rc" -eq 0
transcript "$work/variant.txt" >"$work/variant.demo"
expect "$content/greenhouse_variant.expected" "$work/variant.demo" "the greenhouse played otherwise"
quiet "the greenhouse variant" "$work/variant.txt" "$work/variant.txt.err"
saved=$(progress "$work/variant")
for kept in 'room = "greenhouse"' "greenhouse_open = true" "seeds_planted = true" \
    "flower_grown = true" "winding_key_taken = true" "shelves_done = true"; do
    check "the greenhouse variant's progress lacks $kept: $saved" grep -qF "$kept" <<<"$saved"
done

finish
