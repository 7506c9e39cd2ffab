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
