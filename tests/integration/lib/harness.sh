# Sourced by the integration scripts: a private work folder removed on exit,
# no sound card, and check / count / finish helpers that report under the
# script's own name.
set -u
test_name=$(basename "$0" .sh)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
fail=0

check() { # DESCRIPTION, then a command that must succeed
    local what=$1
    shift
    if ! "$@"; then
        echo "$test_name: $what"
        fail=1
    fi
}

# How many lines of FILE read exactly TEXT.
count() { grep -cxF -- "$2" "$1"; }

# Ends the script: "ok" when every check held; the status tells either way.
finish() {
    if [[ $fail -eq 0 ]]; then echo "$test_name: ok"; fi
    exit $fail
}

# Sets "server" to the command that gives a window run an X server of its
# own (the game pauses while its window lacks the input focus, which windows
# of tests running beside it would take), or ends the script as skipped (77)
# when no display can be had. Leaks of the game are the headless runs'
# business: a window run also reports what the display libraries keep.
window_server() {
    server=()
    if command -v xvfb-run >/dev/null 2>&1; then
        server=(xvfb-run -a -s "-screen 0 1920x1080x24")
    elif [[ -z "${DISPLAY:-}" ]]; then
        echo "$test_name: no display, skipped"
        exit 77
    fi
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}
