#!/usr/bin/env bash
# Twenty-four typical mistakes of a content author, each made once in a copy of the
# small game in tests/content/mistakes: modcheck must name every one at the
# file and line where it was made (the line is found in the changed file, by
# the text the change wrote) and exit 1; the game as it stands passes.
# `modcheck --fix` then mends the pictures in a format the engine refuses.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
modcheck="$TARROW_TOOLS/modcheck"
base="$TARROW_SOURCE_DIR/tests/content/mistakes"

# A fresh copy of the game in $work/game; the font and the sound come from
# the demo.
fresh_game() {
    rm -rf "$work/game"
    mkdir -p "$work/game/assets/fonts" "$work/game/assets/sounds"
    cp -r "$base/assets" "$work/game/"
    cp "$TARROW_SOURCE_DIR/assets/fonts/dejavusans.trfnt" "$work/game/assets/fonts/"
    cp "$TARROW_SOURCE_DIR/assets/sounds/click.ogg" "$work/game/assets/sounds/"
}

fresh_game
"$modcheck" "$work/game/assets" >"$work/clean.txt" 2>&1
check "the game as it stands does not pass: $(cat "$work/clean.txt")" test $? -eq 0

# One row of the table: FILE (under assets/), MARKER (text on the line the
# finding must name, after the change), EXPECTED (part of the message), then
# the change, run in the game folder.
mistake() {
    local file=$1 marker=$2 expected=$3
    shift 3
    fresh_game
    (cd "$work/game" && "$@") || {
        check "the change for \"$expected\" failed" false
        return
    }
    local line
    line=$(grep -nF -- "$marker" "$work/game/assets/$file" | tail -1 | cut -d: -f1)
    if [[ -z "$line" ]]; then
        check "no line holds \"$marker\" after the change" false
        return
    fi
    "$modcheck" "$work/game/assets" >"$work/out.txt" 2>&1
    local rc=$?
    check "modcheck exited $rc, not 1, for \"$expected\"" test "$rc" -eq 1
    check "no finding \"$expected\" at assets/$file:$line: $(cat "$work/out.txt")" \
        grep -qF -- "$work/game/assets/$file:$line: " <(grep -F -- "$expected" "$work/out.txt")
}

house=levels/house/house.xml
mistake "$house" 'pos_xx=' 'unknown attribute "pos_xx", the game ignores it (did you mean "pos_x"?)' \
    sed -i 's/pos_x="100"/pos_xx="100"/' assets/$house
mistake "$house" 'event_mdonw=' 'unknown attribute "event_mdonw", the game ignores it (did you mean "event_mdown"?)' \
    sed -i 's/event_mdown="trg_open_drawer"/event_mdonw="trg_open_drawer"/' assets/$house
mistake "$house" '<sprite' 'has the unknown type "sprite": the game skips it and everything in it (did you mean "spr"?)' \
    sed -i 's/<spr name="kitchen_door"/<sprite name="kitchen_door"/' assets/$house
mistake "$house" 'trg_opne_drawer' 'calls "trg_opne_drawer", which no module defines (did you mean "trg_open_drawer"?)' \
    sed -i 's/event_mdown="trg_open_drawer"/event_mdown="trg_opne_drawer"/' assets/$house
mistake "$house" 'trg_go(kitchen"' 'has no closing parenthesis: the game drops the call' \
    sed -i 's/trg_go(kitchen)/trg_go(kitchen/' assets/$house
mistake "$house" 'pictures/dor"' 'no file for res "assets/pictures/dor"' \
    sed -i 's|pictures/door" pos_x|pictures/dor" pos_x|' assets/$house
mistake "$house" 'pictures/Door"' '"assets/pictures/Door.png" is found only with other letter case' \
    sed -i 's|pictures/door" pos_x|pictures/Door" pos_x|' assets/$house
mistake "$house" 'name="hall_door"' 'PNG image is not 32 bit format. File assets/pictures/door.png (it is 16-bit RGBA;' \
    cp "$base/formats/rgba16.png" assets/pictures/door.png
mistake "$house" 'name="hall"' 'PNG image is not 32 bit format. File assets/pictures/room.png (it is 8-bit palette;' \
    cp "$base/formats/palette.png" assets/pictures/room.png
mistake "$house" 'name="hall_title"' 'could not be opened. (the file is there, but FreeType cannot read it as a font)' \
    bash -c 'printf "not a font" >assets/fonts/dejavusans.trfnt'
mistake "$house" 'SwitchRoom("hal")' 'SwitchRoom("hal"): no room or sub-room has that name (did you mean "hall"?)' \
    sed -i 's/SwitchRoom("hall")/SwitchRoom("hal")/' assets/$house
mistake "$house" 'OpenSubRoom("drawr"' 'OpenSubRoom("drawr"): no sub-room has that name (did you mean "drawer"?)' \
    sed -i 's/OpenSubRoom("drawer"/OpenSubRoom("drawr"/' assets/$house
mistake "$house" 'trg_go(kitchn)' 'passes "kitchn" to trg_go, which opens it as a room: no such room or sub-room' \
    sed -i 's/trg_go(kitchen)/trg_go(kitchn)/' assets/$house
mistake "$house" 'text="title_hal"' 'shows the id "title_hal", which no string table holds' \
    sed -i 's/text="title_hall"/text="title_hal"/' assets/$house
mistake "$house" 'StringGet("title_hal")' 'StringGet("title_hal"): no string table holds that id' \
    sed -i 's/StringGet("title_hall")/StringGet("title_hal")/' assets/$house
mistake "$house" 'local title = =' 'trigger "trg_hall_open" does not compile: unexpected symbol near' \
    sed -i 's/local title = StringGet/local title = = StringGet/' assets/$house
mistake "$house" 'SwitchRom(' 'calls SwitchRom(), which is no script function and is defined nowhere (did you mean "SwitchRoom"?)' \
    sed -i 's/SwitchRoom(tr_params/SwitchRom(tr_params/' assets/$house
mistake "$house" 'name="hall_drawer"' 'XML error (an element opened here is not closed' \
    sed -i 's|event_mdown="trg_open_drawer"/>|event_mdown="trg_open_drawer">|' assets/$house
mistake "$house" 'sounds/clik"' 'PlaySfx("assets/sounds/clik"): no sound file assets/sounds/clik.ogg' \
    sed -i 's|sounds/click"|sounds/clik"|' assets/$house
mistake "$house" 'sounds/click"' 'PlaySfx("assets/sounds/click"): assets/sounds/click.ogg cannot be played' \
    cp assets/pictures/room.png assets/sounds/click.ogg
mistake "$house" '<ojb name="house_container">' 'the container has the unknown type "ojb": the game makes none of the module'"'"'s objects (did you mean "obj"?)' \
    sed -i 's|<obj name="house_container">|<ojb name="house_container">|; s|^    </obj>$|    </ojb>|' assets/$house
mistake "$house" 'print("again")' 'trigger "trg_go" is defined again' \
    sed -i 's|^  </trigs>|    <trig name="trg_go"><code>print("again")</code></trig>\n  </trigs>|' assets/$house
mistake "$house" 'CURSOR_HAND' 'object "hall_drawer" shows a cursor on enter but answers no click' \
    sed -i 's/event_mdown="trg_open_drawer"/event_menter="*SetCursor(CURSOR_HAND)"/' assets/$house
mistake config.xml 'trg_begin' 'the start trigger "trg_begin" is defined by no module' \
    sed -i 's/trg_start/trg_begin/' assets/config.xml

# The pictures the engine refuses are rewritten in place, and then pass.
fresh_game
cp "$base/formats/rgba16.png" "$work/game/assets/pictures/door.png"
cp "$base/formats/palette.png" "$work/game/assets/pictures/room.png"
"$modcheck" --fix "$work/game/assets" >"$work/fix.txt" 2>&1
check "--fix did not leave a game that passes: $(cat "$work/fix.txt")" test $? -eq 0
check "--fix did not name the 16-bit picture: $(cat "$work/fix.txt")" \
    grep -qF "assets/pictures/door.png: converted from 16-bit RGBA to 8-bit RGBA" "$work/fix.txt"
check "the converted picture lost its colour" \
    test "$("$TARROW_TOOLS/pngpixel" "$work/game/assets/pictures/door.png" 3 5 2>/dev/null | tail -1)" = "3 5 51 102 204 255"
finish
