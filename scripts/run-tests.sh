#!/usr/bin/env bash
# Runs every test of a test build with ctest. Tests that need a display get
# one: without DISPLAY the whole run goes under a private Xvfb server.
set -euo pipefail
build_dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
# Sound tests pick their own driver; nothing here may open a real sound card.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
cmd=(ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@")
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "${cmd[@]}"
fi
exec "${cmd[@]}"
