#!/usr/bin/env bash
# The game killed while it saves, then resumed (tests/content/demo/playthrough.list,
# "kill" lines). A player's game is played up to the first quit point; then,
# "kills" times, the kill input (a returning player walking from room to
# room, then quitting) is started and killed with SIGKILL while it writes a
# save: a random number of saves (0 to 4) is let through, the kill comes a
# random 0 to 9 ms into the next one (a start that ends first is not
# killed). Each start resumes the game the previous kill left. After every
# kill each file of the user folder must verify, nothing may be moved aside as
# damaged and the progress must keep all it held (only the room may change).
# A last start must resume the player's game without an error or a warning.
# KILLS overrides the manifest's count.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/playthrough.sh"
source "$(dirname "$0")/lib/kill.sh"

data="$work/data"
folder=$(user_folder "$data")
kill_input="$content/$(manifest_value kill).input"
kills=${KILLS:-$(manifest_value kills)}
first_quit=$(manifest_value quit | cut -d' ' -f1)
RANDOM=23

# Everything the progress holds but the room.
lasting() { grep -v '^  room = ' <<<"$1"; }

until_frame "$game_input" "$first_quit" >"$work/start.input"
play_headless "$data" "$work/start.input" "$work/start.txt"
rc=$?
check "the game up to frame $first_quit exited $rc" test "$rc" -eq 0
held=$(lasting "$(progress "$data")")
check "the game up to frame $first_quit saved no progress" test -n "$held"

# saving: true while a save is being written (its temporary file exists).
saving() {
    local temporaries=("$folder"/*.tmp)
    [[ -e ${temporaries[0]} ]]
}

in_save=0
for ((i = 1; i <= kills && fail == 0; i++)); do
    XDG_DATA_HOME="$data" "$TARROW" --headless --frames 1000000 --input "$kill_input" \
        -C "$TARROW_SOURCE_DIR" >/dev/null 2>&1 &
    pid=$!
    # Let a random number of saves pass, then kill within the next one.
    skip=$((RANDOM % 5))
    while kill -0 "$pid" 2>/dev/null; do
        if saving; then
            if ((skip == 0)); then
                sleep "0.00$((RANDOM % 10))"
                saving && in_save=$((in_save + 1))
                break
            fi
            skip=$((skip - 1))
            while saving && kill -0 "$pid" 2>/dev/null; do sleep 0.002; done
        fi
        sleep 0.002
    done
    kill_hard "$pid"
    verify_user_files "$folder" "kill $i"
    now=$(lasting "$(progress "$data")")
    check "kill $i: the saved progress lost something: $(diff <(echo "$held") <(echo "$now"))" \
        test "$now" = "$held"
done

{ cat "$content/$(manifest_value returning).input"; echo "200 quit"; } >"$work/last.input"
play_headless "$data" "$work/last.input" "$work/last.txt"
rc=$?
check "the start after the kills exited $rc: $(head -c 2000 "$work/last.txt.err")" test "$rc" -eq 0
restored=$(manifest_value restored)
check "the start after the kills did not say '$restored'" grep -qF -- "$restored" "$work/last.txt"
quiet "the start after the kills" "$work/last.txt" "$work/last.txt.err" "$folder/logfile.txt"
echo "$test_name: $((i - 1)) starts killed, $in_save of them while a save was being written"
finish
