#!/usr/bin/env bash
# The tarrow command line: bad arguments and malformed input scripts stop it
# with status 2 and one message naming the culprit; good ones run.
set -u
: "${TARROW:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The log file goes to the user folder under the data home.
export XDG_DATA_HOME="$work/data"
fail=0

# expect STATUS TEXT -- ARGS...: exit status and a piece of the error output.
expect() {
    local status=$1 text=$2
    shift 3
    local out rc
    out=$("$TARROW" "$@" 2>&1 >/dev/null)
    rc=$?
    if [[ $rc -ne $status ]]; then
        echo "cmdline: '$*' exited $rc, expected $status: $out"
        fail=1
    elif [[ -n "$text" && "$out" != *"$text"* ]]; then
        echo "cmdline: '$*' said '$out', expected it to mention '$text'"
        fail=1
    fi
}

expect 2 "--bogus" -- --bogus
expect 2 "--frames" -- --headless --frames
expect 2 "'ten'" -- --headless --frames ten
expect 2 "'0'" -- --headless --frames 0
expect 2 "'-1'" -- --headless --fixed-dt -1
expect 2 "stray" -- --headless stray
expect 2 "nowhere" -- --headless -C "$work/nowhere"
expect 2 "missing.txt" -- --headless --input "$work/missing.txt"
# A window run reads its script first as well.
expect 2 "missing.txt" -- --input "$work/missing.txt"
# A folder, a FIFO (which would block the run) and an unreadable file.
mkdir "$work/folder"
expect 2 "'$work/folder' is not a regular file" -- --headless --input "$work/folder"
mkfifo "$work/fifo"
expect 2 "'$work/fifo' is not a regular file" -- --headless --input "$work/fifo"
printf '1 quit\n' > "$work/secret.txt"
chmod 000 "$work/secret.txt"
if [[ ! -r "$work/secret.txt" ]]; then # root reads it anyway
    expect 2 "cannot read '$work/secret.txt'" -- --headless --input "$work/secret.txt"
fi

printf '# clicks\n1 click 10 10\n2 key 65\n3 wiggle 1 2\n4 quit\n' > "$work/bad.txt"
expect 2 "bad.txt:4:" -- --headless --input "$work/bad.txt"
expect 2 "3 wiggle 1 2" -- --headless --input "$work/bad.txt"

expect 0 "" -- --headless --frames 10
# A headless run keeps no picture: it draws every frame whole, asked or not.
if "$TARROW" --headless --frames 3 --redraw changed 2>&1 | grep -q "Redraw: only what changed"; then
    echo "cmdline: a headless run claimed to redraw only what changed"
    fail=1
fi
expect 0 "" -- --headless --frames 5 --fixed-dt 0.05

printf '1 move 5 5\n2 click 5 5\n3 char 0x1F600\n4 quit\n' > "$work/good.txt"
expect 0 "" -- -C "$work" --headless --input good.txt

# A quit entry ends a run that has no frame limit.
timeout 20 "$TARROW" --headless --input "$work/good.txt" >/dev/null 2>&1
rc=$?
if [[ $rc -ne 0 ]]; then
    echo "cmdline: a scripted quit did not end the run (status $rc)"
    fail=1
fi

help=$("$TARROW" --help)
if [[ $? -ne 0 || "$help" != *"--headless"* ]]; then
    echo "cmdline: --help did not describe the options"
    fail=1
fi

expect 2 "--screenshot" -- --screenshot 3
expect 2 "--redraw needs 'full' or 'changed'" -- --redraw sideways
expect 2 "needs a value" -- --redraw
expect 2 "--present needs 'copy' or 'swap'" -- --present sideways
expect 2 "not --headless" -- --headless --screenshot 1:"$work/shot.png"

# The window: frames end the run, a screenshot of a drawn frame is a PNG.
if [[ -n "${DISPLAY:-}" ]]; then
    expect 0 "" -- --frames 3 --screenshot 2:"$work/shot.png"
    if [[ "$(head -c 4 "$work/shot.png" 2>/dev/null | tail -c 3)" != "PNG" ]]; then
        echo "cmdline: --screenshot wrote no PNG"
        fail=1
    fi
    expect 1 "frame 9" -- --frames 3 --screenshot 9:"$work/never.png"
    # Changed-only redraw draws the first frames whole: its screenshot is a
    # picture like the full redraw's.
    expect 0 "" -- --redraw changed --frames 3 --screenshot 2:"$work/changed.png"
    if [[ "$(head -c 4 "$work/changed.png" 2>/dev/null | tail -c 3)" != "PNG" ]]; then
        echo "cmdline: --redraw changed wrote no PNG"
        fail=1
    fi
    # A window redraws only what changed unless told to draw whole frames.
    for args in "changed:" "changed:--redraw changed" "whole:--redraw full"; do
        read -ra given <<<"${args#*:}"
        out=$("$TARROW" --frames 3 "${given[@]}" 2>&1)
        said=whole
        [[ "$out" == *"Redraw: only what changed"* ]] && said=changed
        if [[ "$said" != "${args%%:*}" ]]; then
            echo "cmdline: '${given[*]}' redrew $said frames, expected ${args%%:*}"
            fail=1
        fi
    done

    # Told to swap, a window never presents by copying areas.
    if "$TARROW" --frames 3 --present swap 2>&1 | grep -q "Present: by copying"; then
        echo "cmdline: --present swap presented by copying"
        fail=1
    fi

    # Closing the window (SDL reports a termination request the same way)
    # ends the run cleanly.
    "$TARROW" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    kill -TERM "$pid"
    wait "$pid"
    rc=$?
    if [[ $rc -ne 0 ]]; then
        echo "cmdline: closing the window gave status $rc"
        fail=1
    fi
fi

# Without OpenGL the device error is logged and the game still runs its frames;
# without any window there is nothing to run. The log file needs a user
# folder, which the game's configuration names.
mkdir -p "$work/game/assets"
printf '<config><save_settings folder="Tarrow Demo"/></config>\n' >"$work/game/assets/config.xml"
out=$(SDL_VIDEODRIVER=dummy "$TARROW" --frames 5 -C "$work/game" 2>&1)
rc=$?
if [[ $rc -ne 0 || "$out" != *"could not create the OpenGL 3.3 context"* ]]; then
    echo "cmdline: without OpenGL: status $rc, output '$out'"
    fail=1
fi
if ! grep -q "could not create the OpenGL 3.3 context" "$XDG_DATA_HOME/Brightfold/Tarrow Demo/logfile.txt"; then
    echo "cmdline: the device error is missing from logfile.txt"
    fail=1
fi
out=$(SDL_VIDEODRIVER=no-such-driver "$TARROW" --frames 5 2>&1)
rc=$?
if [[ $rc -ne 1 || "$out" != *"could not create the window"* ]]; then
    echo "cmdline: without a window: status $rc, output '$out'"
    fail=1
fi

if [[ $fail -eq 0 ]]; then echo "cmdline: ok"; fi
exit $fail
