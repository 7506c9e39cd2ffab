#!/usr/bin/env bash
# Draws the demo through OpenGL (a window under Xvfb; without any display it
# reports itself skipped, exit 77) and compares the screenshots with the art
# they must show. The window is 1366x768 in the wide layout at scale 1, so a
# room picture's pixel (x, y) lands on screen pixel (x, y) and a design point
# (x, y) on (x + 171, y).
# - Frame 2: the loading screen covers the window.
# - Frame 90: the study is on show (the loading screen has faded), with the
#   drawer sprite and the menu button drawn over it and its title written.
# The game pauses while its window lacks the input focus, and windows of
# tests running beside this one would take it: with xvfb-run at hand the
# window gets an X server of its own.
set -u
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}" "${TARROW_TOOLS:?}"
server=()
if command -v xvfb-run >/dev/null 2>&1; then
    server=(xvfb-run -a -s "-screen 0 1920x1080x24")
elif [[ -z "${DISPLAY:-}" ]]; then
    echo "demo_screenshot: no display, skipped"
    exit 77
fi
pngpixel="$TARROW_TOOLS/pngpixel"
art="$TARROW_SOURCE_DIR/assets"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
# This test looks at pixels. Leaks of the game itself are caught by the
# headless walkthrough; a windowed run also reports what the system's display
# libraries keep (not always under a name the suppressions can match).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
fail=0

# The game starts at the profile screen, which a window run without scripted
# input cannot pass: the run gets the demo's assets with a configuration that
# starts the demo level itself.
mkdir -p "$work/game/assets"
for entry in "$art"/*; do ln -s "$entry" "$work/game/assets/"; done
rm "$work/game/assets/config.xml"
sed 's#<start_point .*/>#<start_point module="assets/levels/demo/demo" trigger="trg_demo_start"/>#' \
    "$art/config.xml" >"$work/game/assets/config.xml"

XDG_DATA_HOME="$work/data" "${server[@]}" "$TARROW" --frames 100 --screenshot "2:$work/loading.png" \
    --screenshot "90:$work/study.png" -C "$work/game" >"$work/out.txt" 2>&1
rc=$?
if [[ $rc -ne 0 ]]; then
    echo "demo_screenshot: the game exited $rc: $(head -c 2000 "$work/out.txt")"
    exit 1
fi
if grep -qE 'Error|Warning' "$work/out.txt"; then
    echo "demo_screenshot: the window run logged: $(grep -E 'Error|Warning' "$work/out.txt")"
    fail=1
fi

# same SHOT SHOT_X SHOT_Y PICTURE PIC_X PIC_Y WHAT: the screenshot's pixel must
# have the picture pixel's colour (within 3 per channel: the GL rasteriser).
same() {
    local shot picture
    shot=$("$pngpixel" "$1" "$2" "$3" | cut -d' ' -f3-5)
    picture=$("$pngpixel" "$4" "$5" "$6" | cut -d' ' -f3-5)
    if [[ -z "$shot" || -z "$picture" ]] ||
        ! awk -v a="$shot" -v b="$picture" 'BEGIN {
            split(a, x, " "); split(b, y, " ")
            for (i = 1; i <= 3; i++) { d = x[i] - y[i]; if (d > 3 || d < -3) exit 1 }
        }'; then
        echo "demo_screenshot: $7: screen ($2, $3) is '$shot', the art says '$picture'"
        fail=1
    fi
}

loading="$art/shared/interface/loading/loading_background.png"
for point in "60 60" "1300 80" "683 250" "300 700" "1100 600"; do
    set -- $point
    same "$work/loading.png" "$1" "$2" "$loading" "$1" "$2" "loading screen"
done

study="$art/levels/demo/study/study.png"
# Rain falls behind the window glass (x 560..780, y 108..385): no point there.
for point in "100 700" "683 60" "300 150" "1300 450" "1000 700" "150 560"; do
    set -- $point
    same "$work/study.png" "$1" "$2" "$study" "$1" "$2" "study"
done
# The drawer (148x62, centred on design (419, 540)) and the menu button (80x80,
# centred 54 units in from the right and top edges) lie over the room.
same "$work/study.png" 590 540 "$art/levels/demo/study/drawer.png" 74 31 "drawer"
same "$work/study.png" 560 520 "$art/levels/demo/study/drawer.png" 44 11 "drawer"
same "$work/study.png" 1312 54 "$art/shared/interface/menu/menu_button_normal.png" 40 40 \
    "menu button"
same "$work/study.png" 1312 30 "$art/shared/interface/menu/menu_button_normal.png" 40 16 \
    "menu button"

# The title "The Study" is written 24 units in from the layout's left edge
# (design x -147, pixel 24) rightwards: along its middle line some pixels must
# differ from the bare room picture.
points=()
for ((x = 30; x < 170; x += 2)); do points+=("$x" 40); done
changed=$(paste <("$pngpixel" "$work/study.png" "${points[@]}" | cut -d' ' -f3-5) \
    <("$pngpixel" "$study" "${points[@]}" | cut -d' ' -f3-5) | awk -F'\t' '$1 != $2' | wc -l)
if [[ $changed -lt 10 ]]; then
    echo "demo_screenshot: the study's title is missing (only $changed pixels changed)"
    fail=1
fi

if [[ $fail -eq 0 ]]; then echo "demo_screenshot: ok"; fi
exit $fail
