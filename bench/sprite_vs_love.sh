#!/usr/bin/env bash
# The sprite scenes of bench_sprite_scene drawn by Tarrow and by LOVE
# (bench/love) on the same display, one configuration after the other and
# each engine in turn within a configuration (so load on a shared machine
# falls on both alike), ROUNDS times over. Prints each engine's mean frame
# time in ms and Tarrow's time as a multiple of LOVE's (below 1: Tarrow is
# faster). Without a display both run under one private Xvfb server, which
# with Mesa's software renderer is the case this comparison is made for.
# Without the love program (LOVE names another) the Tarrow figures alone are
# printed.
#
# With Mesa's software renderer 20,000 sprites of 64 x 64 take seconds a
# frame, hence the few frames; more rounds steady the ratios on a busy machine.
#
# Usage: bench/sprite_vs_love.sh BENCH_SPRITE_SCENE [FRAMES=30] [WARMUP=5] [ROUNDS=2]
set -euo pipefail
if [[ $# -lt 1 ]]; then
    echo "usage: $0 BENCH_SPRITE_SCENE [FRAMES] [WARMUP] [ROUNDS]" >&2
    exit 2
fi
tarrow_bench=$(realpath "$1")
frames=${2:-30}
warmup=${3:-5}
rounds=${4:-2}
love_game="$(cd "$(dirname "$0")" && pwd)/love"
love_program=${LOVE:-love}

if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
have_love=1
if ! command -v "$love_program" >/dev/null; then
    have_love=0
    echo "love is not installed: LOVE skipped, Tarrow's figures only (apt-get install love)"
fi

# tarrow VARIANT SIZE COUNT: mean frame ms from bench_sprite_scene's row.
tarrow() {
    "$tarrow_bench" "$frames" "$warmup" "$3" "$1" "$2" "$3" | awk -v v="$1" '$1 == v { print $4 }'
}
# love VARIANT SIZE COUNT: mean frame ms from bench/love's line.
love_run() {
    SDL_AUDIODRIVER=dummy "$love_program" "$love_game" "$1" "$2" "$3" "$frames" "$warmup" 2>/dev/null |
        awk '$1 == "love" { print $6 }'
}

echo "$frames frames after $warmup warm-up frames, $rounds rounds, 1366x768, mean ms per frame"
printf "%-7s %4s %7s %10s %10s %8s\n" variant size sprites tarrow love ratio
for variant in single mixed; do
    for size in 8 64; do
        for count in 1000 5000 20000; do
            t_sum=0
            l_sum=0
            for ((round = 0; round < rounds; ++round)); do
                t=$(tarrow "$variant" "$size" "$count")
                t_sum=$(awk -v a="$t_sum" -v b="$t" 'BEGIN { print a + b }')
                if ((have_love)); then
                    l=$(love_run "$variant" "$size" "$count")
                    l_sum=$(awk -v a="$l_sum" -v b="$l" 'BEGIN { print a + b }')
                fi
            done
            awk -v v="$variant" -v s="$size" -v n="$count" -v t="$t_sum" -v l="$l_sum" \
                -v r="$rounds" -v have="$have_love" 'BEGIN {
                    if (have)
                        printf "%-7s %4d %7d %10.3f %10.3f %8.2f\n", v, s, n, t / r, l / r, t / l
                    else
                        printf "%-7s %4d %7d %10.3f %10s %8s\n", v, s, n, t / r, "-", "-"
                }'
        done
    done
done
