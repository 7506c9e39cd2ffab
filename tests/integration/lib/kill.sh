# Sourced after harness.sh by the scripts that kill the game while it saves
# (profile_kill.sh, demo_kill.sh): the checks every kill is followed by.

# kill_hard PID: SIGKILL, then reap it.
kill_hard() {
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# verify_user_files FOLDER WHAT: the profile list and every saved game of the
# user folder (its XML files but the unsigned settings.xml) parse and verify
# (savecheck's report is left in $work/check.txt), and none was moved aside
# as damaged. Nothing to check while the folder holds none of them.
verify_user_files() {
    local files=() file
    for file in "$1"/*.xml; do
        [[ -e $file && ${file##*/} != settings.xml ]] && files+=("$file")
    done
    [[ ${#files[@]} -gt 0 ]] || return 0
    local status=0
    "$TARROW_TOOLS/savecheck" "${files[@]}" >"$work/check.txt" 2>&1 || status=$?
    check "$2 left a file that does not verify: $(grep -v ': ok$' "$work/check.txt" | grep -v '^[ }t]' | head -n 3)" \
        test "$status" -eq 0
    check "$2: a file was moved aside as damaged" test -z "$(find "$1" -name '*.bad' 2>/dev/null)"
}
