#!/usr/bin/env bash
# Runs every benchmark of a release build; display benchmarks get Xvfb when needed.
set -euo pipefail
build_dir=$1
shopt -s nullglob
run() { if [[ -z "${DISPLAY:-}" ]]; then xvfb-run -a -s "-screen 0 1920x1080x24" "$@"; else "$@"; fi; }
for b in "$build_dir"/bench/bench_*; do
    [[ -x "$b" ]] || continue
    echo "== $(basename "$b")"
    run "$b"
done
# The demo's rooms in a window, through the game itself (it brings its own
# X server when there is no display).
echo "== demo_rooms"
"$(dirname "$0")/../bench/demo_rooms.sh" "$build_dir/apps/tarrow/tarrow"
# The sprite scenes beside LOVE (Tarrow's figures alone when love is missing).
echo "== sprite_vs_love"
"$(dirname "$0")/../bench/sprite_vs_love.sh" "$build_dir/bench/bench_sprite_scene"
