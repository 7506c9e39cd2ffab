#!/usr/bin/env bash
# Architecture rules: only engine/platform/<backend>/ includes SDL or GL headers,
# only engine/script/ and the game's script API include Lua headers (plus the
# one source file of the scripted particle system that runs its private Lua
# state), and the engine never includes anything from game/.
set -u
cd "${TARROW_SOURCE_DIR:?}"
fail=0
report() { echo "layering: $1"; printf '%s\n' "$2"; fail=1; }

hits=$(grep -rnE '#\s*include\s*[<"](SDL2?/|SDL[_.]|epoxy/|GL/|GLES)' engine game apps tools \
       --include='*.h' --include='*.cpp' | grep -vE '^engine/platform/(sdl|gl)/')
[[ -n "$hits" ]] && report "SDL/GL headers outside engine/platform/sdl and engine/platform/gl:" "$hits"

hits=$(grep -rnE '#\s*include\s*[<"](lua\.h|lualib\.h|lauxlib\.h|lua\.hpp|lua5\.1/)' engine game apps tools \
       --include='*.h' --include='*.cpp' | grep -vE '^(engine/script/|game/app/tp_ScriptApi|game/app/tp_GameScript|engine/objects/particles/tr_ComplexScript\.cpp:)')
[[ -n "$hits" ]] && report "Lua headers outside engine/script and the game's script API:" "$hits"

hits=$(grep -rnE '#\s*include\s*"game/' engine --include='*.h' --include='*.cpp')
[[ -n "$hits" ]] && report "the engine includes the game layer:" "$hits"

if [[ $fail -eq 0 ]]; then echo "layering: ok"; fi
exit $fail
