#!/usr/bin/env bash
# The map offers a later room (the greenhouse) once the player has been
# there, and travels to it and back like to the study and the garden. The
# demo is played in a copy whose level holds a bare "greenhouse" room (the
# garden's picture, the level's room triggers) and starts there: the map
# opened in it marks it and offers it, its study takes the player to the
# study, where the map still offers the greenhouse and takes the player back.
# The attic, never seen, is never offered.
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/demo_room.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"

game="$work/game"
demo_room_game "$TARROW_SOURCE_DIR/assets" greenhouse "$game" || exit 1
level="$game/assets/levels/demo/demo.xml"
sed -i 's#^    <obj name="demo_container">$#&\n      <room name="greenhouse" res="assets/levels/demo/garden/garden" trg_open="trg_room_open(greenhouse)"/>#' \
    "$level"
check "the level copy holds no greenhouse room" grep -q '<room name="greenhouse"' "$level"

# The wide window: design point (x, y) is pixel (x + 171, y). The map button
# is at design (973, 54); on the map the study is at (342, 394) and the
# greenhouse at (772, 539).
cat >"$work/walk.input" <<'INPUT'
160 move 1144 54
162 click 1144 54
200 move 513 394
202 click 513 394
300 move 1144 54
302 click 1144 54
340 move 943 539
342 click 943 539
INPUT
XDG_DATA_HOME="$work/data" timeout 120 "$TARROW" --headless --frames 450 \
    --input "$work/walk.input" -C "$game" >"$work/out.txt" 2>&1
rc=$?
check "the game exited $rc: $(tail -n 5 "$work/out.txt")" test "$rc" -eq 0
grep -E '^demo: (map|room)' "$work/out.txt" >"$work/map.txt"
cat >"$work/expected.txt" <<'EXPECTED'
demo: map button ready
demo: map ready
demo: room greenhouse open, current room greenhouse
demo: map opened in greenhouse, places: study, garden, greenhouse
demo: map closed
demo: map: travel to study
demo: room study open, current room study
demo: map opened in study, places: study, garden, greenhouse
demo: map closed
demo: map: travel to greenhouse
demo: room greenhouse open, current room greenhouse
EXPECTED
check "the map walk went otherwise: $(diff "$work/expected.txt" "$work/map.txt")" \
    cmp -s "$work/expected.txt" "$work/map.txt"
check "errors or warnings printed: $(grep -E 'Error|Warning' "$work/out.txt")" \
    test "$(grep -cE 'Error|Warning' "$work/out.txt")" -eq 0
finish
