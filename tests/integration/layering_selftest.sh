#!/usr/bin/env bash
# The layering check itself: on a copy of the sources it passes, and one bad
# include planted in the copy makes it fail with the rule that include breaks.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_SOURCE_DIR:?}"
checker="$TARROW_SOURCE_DIR/tests/integration/layering.sh"

copy="$work/clean"
mkdir -p "$copy"
cp -r "$TARROW_SOURCE_DIR"/{engine,game,apps,tools} "$copy"
clean=$(bash "$checker" "$copy")
check "the clean copy fails the check: $clean" test "$clean" = "layering: ok"

# FILE|LINE TO PLANT|WHAT THE CHECK MUST SAY
cases=(
    'engine/core/tr_Log.cpp|#include "engine/scene/tr_Object.h"|includes that run up the stack'
    'game/level/tp_Room.cpp|#include "game/app/tp_Settings.h"|includes that run up the stack'
    'engine/scene/tr_Scene.cpp|#include "engine/platform/headless/tr_Render_Null.h"|neutral code includes engine/platform/'
    'game/interface/tp_Interface.cpp|#include "engine/platform/sdl/Tarrow_SDL.h"|neutral code includes engine/platform/'
    'engine/platform/gl/tr_Render_GL.cpp|#include "engine/platform/sdl/Tarrow_SDL.h"|one back end includes another'
    'engine/resources/files/tr_File.cpp|#include "engine/resources/text/tr_TextChar.h"|folders that include each other'
    'engine/scene/tr_Scene.cpp|#include <lua.hpp>|Lua headers outside'
    'engine/objects/tr_Sprite.cpp|#include <SDL2/SDL.h>|SDL/GL headers outside'
)
for entry in "${cases[@]}"; do
    IFS='|' read -r file line message <<<"$entry"
    planted="$work/planted"
    rm -rf "$planted"
    cp -r "$copy" "$planted"
    check "$file: nothing to plant into" test -f "$planted/$file"
    printf '%s\n' "$line" >>"$planted/$file"
    out=$(bash "$checker" "$planted")
    status=$?
    check "$file with '$line' passed the check" test "$status" -ne 0
    check "$file with '$line' is not reported as '$message': $out" grep -qF -- "$message" <<<"$out"
    check "$file with '$line': the report does not name its folder: $out" \
        grep -qF -- "$(dirname "$file")" <<<"$out"
done
finish
