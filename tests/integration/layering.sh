#!/usr/bin/env bash
# Architecture rules, checked on the includes of every source file:
# - only engine/platform/<backend>/ includes SDL or GL headers;
# - only the script runtime (engine/script), the engine's script bindings
#   (engine/bindings) and the game's script API include Lua headers;
# - every folder includes only from its own layer or the layers below it
#   (the stack below, bottom first), so nothing runs back up;
# - only the back ends, their table (engine/platform/) and the applications
#   include engine/platform/; one back end never includes another;
# - no circle of includes between folders, subfolders included.
# The source tree is TARROW_SOURCE_DIR, or the first argument (the self-test
# points it at a copy with a bad include planted).
set -u
cd "${1:-${TARROW_SOURCE_DIR:?}}" || exit 2
fail=0
report() { echo "layering: $1"; printf '%s\n' "$2"; fail=1; }

# The stack, bottom first: a folder may include from its own line and the
# lines above it here. A folder not listed belongs to the nearest listed
# parent (engine/resources/text is engine/resources).
LAYERS=(
    "engine/core"
    "engine/resources"
    "engine/render"
    "engine/script"
    "engine/scene"
    "engine/objects"
    "engine/bindings"
    "engine/host"
    "engine/platform/headless engine/platform/posix engine/platform/gl engine/platform/sdl"
    "engine/platform"
    "game/core"
    "game/interface"
    "game/level"
    "game/app"
    "apps tools"
)

sources() { find engine game apps tools -name '*.h' -o -name '*.cpp' | sort; }

hits=$(sources | xargs grep -nE '#\s*include\s*[<"](SDL2?/|SDL[_.]|epoxy/|GL/|GLES)' |
       grep -vE '^engine/platform/(sdl|gl)/')
[[ -n "$hits" ]] && report "SDL/GL headers outside engine/platform/sdl and engine/platform/gl:" "$hits"

hits=$(sources | xargs grep -nE '#\s*include\s*[<"](lua\.h|lualib\.h|lauxlib\.h|lua\.hpp|lua5\.1/)' |
       grep -vE '^(engine/script/|engine/bindings/|game/app/tp_ScriptApi|game/app/tp_GameScript)')
[[ -n "$hits" ]] && report "Lua headers outside the script runtime, the bindings and the game's script API:" "$hits"

# FILE:LINE:TARGET for every include of a project file.
edges=$(sources | xargs grep -nE '^\s*#\s*include\s*"(engine|game|apps|tools)/' |
        sed -E 's/^([^:]*):([0-9]+):.*"([^"]+)".*/\1:\2:\3/')

layer_table=$(for i in "${!LAYERS[@]}"; do for f in ${LAYERS[$i]}; do echo "$f $i"; done; done)

# Rank of each include's two ends, the longest listed prefix deciding.
ranked=$(awk -v table="$layer_table" '
    BEGIN { n = split(table, rows, "\n"); for (i = 1; i <= n; i++) { split(rows[i], f, " "); rank[f[1]] = f[2] } }
    function unit(path,    d) {
        d = path; sub(/\/[^\/]*$/, "", d)
        while (d != "" && !(d in rank)) { if (d !~ /\//) return "?"; sub(/\/[^\/]*$/, "", d) }
        return d
    }
    {
        split($0, p, ":"); a = unit(p[1]); b = unit(p[3])
        print p[1] ":" p[2] ":" p[3], a, b, (a in rank ? rank[a] : -1), (b in rank ? rank[b] : -1)
    }' <<<"$edges")

hits=$(awk '$4 < 0 || $5 < 0 { print $1 " (folder not in the stack)" }' <<<"$ranked")
[[ -n "$hits" ]] && report "folders missing from the stack:" "$hits"

hits=$(awk '$5 > $4 { print $1 "  (" $2 " includes " $3 ", a layer above it)" }' <<<"$ranked")
[[ -n "$hits" ]] && report "includes that run up the stack:" "$hits"

hits=$(awk '$3 ~ /^engine\/platform\/[a-z]+$/ && $2 != $3 && $2 ~ /^engine\/platform\/[a-z]+$/ { print $1 }' <<<"$ranked")
[[ -n "$hits" ]] && report "one back end includes another (choose back ends in engine/platform/):" "$hits"

hits=$(awk '$1 ~ /:engine\/platform\// && $2 !~ /^(engine\/platform|apps)/ { print $1 }' <<<"$ranked")
[[ -n "$hits" ]] && report "neutral code includes engine/platform/:" "$hits"

# Circles between folders (subfolders count as folders of their own): the
# transitive closure of the folder graph, then every pair that reaches each
# other.
hits=$(awk -F: '{ a = $1; b = $3; sub(/\/[^\/]*$/, "", a); sub(/\/[^\/]*$/, "", b); if (a != b) print a, b }' \
           <<<"$edges" | sort -u | awk '
    { e[$1, $2] = 1; node[$1] = 1; node[$2] = 1 }
    END {
        for (k in node) for (i in node) if ((i, k) in e) for (j in node) if ((k, j) in e) e[i, j] = 1
        for (i in node) for (j in node) if (i < j && (i, j) in e && (j, i) in e) print i " <-> " j
    }' | sort)
[[ -n "$hits" ]] && report "folders that include each other (directly or around a circle):" "$hits"

if [[ $fail -eq 0 ]]; then echo "layering: ok"; fi
exit $fail
