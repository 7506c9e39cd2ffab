#!/usr/bin/env bash
# Runs a command under an X server of its own (Xvfb), so that windows of tests
# running beside it cannot take its focus or send its window events. Display
# numbers come from Xvfb itself (-displayfd), which has no race between two
# servers starting at once. Without Xvfb the command runs on the display it
# was given.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    exec "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/server.log" 2>&1 &
server=$!
for ((i = 0; i < 200; ++i)); do
    [[ -s "$work/display" ]] && break
    if ! kill -0 "$server" 2>/dev/null; then
        echo "private-display: Xvfb did not start: $(cat "$work/server.log")" >&2
        exit 1
    fi
    sleep 0.05
done
if [[ ! -s "$work/display" ]]; then
    echo "private-display: Xvfb named no display" >&2
    kill "$server"
    exit 1
fi
DISPLAY=":$(head -n 1 "$work/display")" "$@"
rc=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $rc
