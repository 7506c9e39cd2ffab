#!/usr/bin/env bash
# A small game saves two profiles in a loop (load, change, save) and is
# killed with SIGKILL at random moments, KILLS times (default 50, which
# keeps the run near half a minute; KILLS=100 takes about a minute). After
# every kill each file in the user folder must parse and verify (savecheck),
# no file may have been moved aside as damaged, and the save counters never
# go back: a kill costs at most the save it interrupted.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/kill.sh"
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
game="$TARROW_SOURCE_DIR/tests/content/autosave"
export XDG_DATA_HOME="$work/data"
user="$work/data/Brightfold/Kill Test"
kills=${KILLS:-50}
RANDOM=15

# counter FILE: the count in FILE's tree in the check output, 0 without one.
counter() {
    awk -v file="/$1: ok" 'index($0, file) { on = 1; next } /^[^ ]/ && !/^}/ && !/^tp_global/ { on = 0 }
        on && /^  count = / { print $3; found = 1; exit } END { if (!found) print 0 }' "$work/check.txt"
}

last_ann=0
last_bob=0
for ((i = 1; i <= kills; i++)); do
    "$TARROW" --headless --frames 100000 -C "$game" >/dev/null 2>&1 &
    pid=$!
    sleep "0.$((RANDOM % 4 + 2))$((RANDOM % 10))"
    kill_hard "$pid"
    files=("$user"/*.xml)
    [[ -e ${files[0]} ]] || continue
    verify_user_files "$user" "kill $i"
    ann=$(counter p_000000.xml)
    bob=$(counter p_000001.xml)
    check "kill $i: a counter went back (Ann $last_ann -> $ann, Bob $last_bob -> $bob)" \
        test "$ann" -ge "$last_ann" -a "$bob" -ge "$last_bob"
    last_ann=$ann
    last_bob=$bob
done
check "the loop never saved (Ann $last_ann, Bob $last_bob)" test "$last_ann" -gt 0 -a "$last_bob" -gt 0
echo "$test_name: $kills kills, final counters Ann $last_ann, Bob $last_bob"
finish
