# Sourced after harness.sh by the scripts that play the whole game from an
# input script (demo_resume.sh, demo_kill.sh, demo_tour.sh). What they play
# and what they expect is data: the manifest tests/content/demo/playthrough.list
# (its own comments describe every line), the input scripts and the expected
# transcripts and pictures beside it. Nothing here knows the game's story.
#
# Update mode: with TARROW_UPDATE_EXPECTED=1 every comparison with an expected
# file rewrites that file from what the run produced instead (the run's other
# checks still count); review the diff line by line before committing.
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
content="${TARROW_PLAYTHROUGH:-$TARROW_SOURCE_DIR/tests/content/demo}"
manifest="$content/playthrough.list"
updating=${TARROW_UPDATE_EXPECTED:-0}

# manifest_values KEY: the values of every KEY line of the manifest, one a line.
manifest_values() {
    awk -v key="$1" '$1 == key { $1 = ""; sub(/^ +/, ""); print }' "$manifest"
}
manifest_value() { manifest_values "$1" | head -n 1; }

prefix=$(manifest_value transcript)
# spliced INPUT CUT SEGMENT AT: INPUT's events before frame CUT, then those of
# SEGMENT (its frames counted from 0) moved to begin at frame AT.
spliced() {
    awk -v last="$2" '$1 ~ /^[0-9]+$/ && $1 < last' "$1"
    awk -v at="$4" '$1 ~ /^[0-9]+$/ { $1 += at; print }' "$3"
}
# The whole game's input: the "game" script, cut at the first frame of each
# "then CUT AT SEGMENT" line, where SEGMENT.input (its frames counted from 0)
# takes over from frame AT. Its transcript must match the "whole" file.
game_input="$work/whole_game.input"
cp "$content/$(manifest_value game).input" "$game_input"
while read -r cut_frame at_frame segment; do
    spliced "$game_input" "$cut_frame" "$content/$segment.input" "$at_frame" >"$game_input.next"
    mv "$game_input.next" "$game_input"
done < <(manifest_values then)
game_expected="$content/$(manifest_value whole).expected"
# The user folder of a data home: the configuration names its last part.
save_folder=$(sed -n 's/.*<save_settings folder="\([^"]*\)".*/\1/p' \
    "$TARROW_SOURCE_DIR/assets/config.xml" | head -n 1)
user_folder() { echo "$1/Brightfold/$save_folder"; }

# play_headless DATA_HOME INPUT OUTPUT: the game in assets/ without a window, from an
# input script; stdout goes to OUTPUT, stderr to OUTPUT.err. A game that does
# not end by itself is stopped by the timeout (status 124).
play_headless() {
    XDG_DATA_HOME="$1" timeout 240 "$TARROW" --headless --frames 1000000 --input "$2" \
        -C "$TARROW_SOURCE_DIR" >"$3" 2>"$3.err"
}

# transcript OUTPUT: the lines the content printed, in order.
transcript() { awk -v p="$prefix " 'index($0, p) == 1' "$1"; }

# until_frame INPUT FRAME: the input's events before FRAME, then a quit
# (the window closed) at FRAME.
until_frame() {
    awk -v last="$2" '$1 ~ /^[0-9]+$/ && $1 < last' "$1"
    echo "$2 quit"
}

# continue_from INPUT FRAME AT: the input's events from FRAME on, moved so
# that FRAME falls on AT.
continue_from() {
    awk -v from="$2" -v at="$3" '$1 ~ /^[0-9]+$/ && $1 >= from { $1 = $1 - from + at; print }' "$1"
}

# expect EXPECTED ACTUAL WHAT: ACTUAL must equal the expected file line by
# line (the diff is shown); in update mode ACTUAL becomes the expected file.
expect() {
    if [[ $updating == 1 ]]; then
        if ! cmp -s "$1" "$2"; then
            cp "$2" "$1"
            echo "$test_name: updated ${1#"$TARROW_SOURCE_DIR"/}"
        fi
        return
    fi
    if ! diff -u "$1" "$2" >"$2.diff"; then
        echo "$test_name: $3 went differently:"
        cat "$2.diff"
        fail=1
    fi
}

# quiet WHAT FILE...: no line of the files reports an error or a warning.
quiet() {
    local what=$1 hits
    shift
    hits=$(grep -hE 'Error|Warning' "$@" 2>/dev/null | head -n 5)
    check "$what printed or logged: $hits" test -z "$hits"
}

# progress_id DATA_HOME: the id of the current player (the name of the saved
# game's file), empty without one.
progress_id() {
    local list
    list="$(user_folder "$1")/profile_list.xml"
    [[ -f $list ]] || return 0
    awk -F'"' '/<profiles / { for (i = 1; i < NF; i++) if ($i ~ /current=$/) n = $(i + 1) }
        /<profile / { for (i = 1; i < NF; i++) if ($i ~ /id=$/) ids[k++] = $(i + 1) }
        END { if (n != "" && (n in ids)) print ids[n] }' "$list"
}

# progress DATA_HOME: the saved progress of the current player, as savecheck
# prints it (empty when there is none or it does not verify).
progress() {
    local file
    file="$(user_folder "$1")/$(progress_id "$1").xml"
    [[ -f $file ]] || return 0
    "$TARROW_TOOLS/savecheck" "$file" 2>/dev/null | tail -n +2
}
