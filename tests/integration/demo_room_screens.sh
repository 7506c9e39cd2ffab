#!/usr/bin/env bash
# Draws each room of the demo through OpenGL (a window under Xvfb; without any
# display it reports itself skipped, exit 77) with a fixed frame time, so that
# every run shows the same moment, and holds the screenshots against the
# pictures in tests/content/demo_screens, made by the renderer before its
# drawing shortcuts (point sampling, opaque and plain blend states, skipped
# invisible quads): no channel of any pixel may differ by more than one level.
# After a change to what a room shows, TARROW_UPDATE_EXPECTED=1 writes the
# new screenshots over the pictures instead of comparing; look at every one
# of them before committing.
set -u
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}" "${TARROW_TOOLS:?}"
source "$TARROW_SOURCE_DIR/tests/integration/lib/harness.sh"
source "$TARROW_SOURCE_DIR/tests/integration/lib/demo_room.sh"
window_server
pictures="$TARROW_SOURCE_DIR/tests/content/demo_screens"

# shoot ROOM FRAME:NAME...: runs the demo in ROOM and writes each named frame
# to $work/NAME.png.
shoot() {
    local room=$1 game="$work/game_$1" shots=() last=0 shot
    shift
    demo_room_game "$TARROW_SOURCE_DIR/assets" "$room" "$game" || return 1
    for shot in "$@"; do
        shots+=(--screenshot "${shot%%:*}:$work/${shot#*:}.png")
        ((${shot%%:*} > last)) && last=${shot%%:*}
    done
    XDG_DATA_HOME="$work/data_$room" "${server[@]}" "$TARROW" --fixed-dt 0.0166667 \
        --frames "$last" "${shots[@]}" -C "$game" >"$work/out_$room.txt" 2>&1
}

same_picture() {
    if [[ "${TARROW_UPDATE_EXPECTED:-0}" == 1 ]]; then
        cp "$work/$1.png" "$pictures/$1.png"
        return
    fi
    local result
    result=$("$TARROW_TOOLS/pngdiff" "$work/$1.png" "$pictures/$1.png" 1)
    if [[ $? -ne 0 ]]; then
        read -r count largest x y <<<"$result"
        echo "$test_name: $1: ${count:-?} pixels differ by more than one level" \
            "(up to ${largest:-?}, first at ${x:-?} ${y:-?})"
        return 1
    fi
}

# Frame 2 is the loading screen; by frame 150 every room has faded in and
# its animations, particles and video are under way.
check "the study could not be drawn" shoot study 2:loading 150:study
for room in garden desk shed attic ending; do
    check "the $room could not be drawn" shoot "$room" "150:$room"
done
for name in loading study garden desk shed attic ending; do
    check "$name is not the picture it was" same_picture "$name"
done
finish
