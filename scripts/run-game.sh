#!/usr/bin/env bash
# Runs the game on the repository's assets/. Without a display it runs a few
# seconds under Xvfb instead and keeps a screenshot when the binary can take one.
set -euo pipefail
exe=$(realpath "$1"); shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$exe" -C "$root" "$@"
fi
echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running the game for a few seconds under Xvfb."
args=(-C "$root" --frames 300)
shot="$root/build/screenshot.png"
if "$exe" --help 2>&1 | grep -q -- '--screenshot'; then
    rm -f "$shot"
    args+=(--screenshot "240:$shot")
fi
xvfb-run -a -s "-screen 0 1920x1080x24" "$exe" "${args[@]}" "$@"
if [[ -f "$shot" ]]; then
    echo "Screenshot of the running game: $shot"
fi
