#!/usr/bin/env bash
# shotcompare, the screenshot tour's judge: a picture matches its own shrunk
# copy exactly, another picture does not, a shrink factor that gives another
# size never matches, and bad arguments are refused.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
tool="$TARROW_TOOLS/shotcompare"
study="$TARROW_SOURCE_DIR/assets/levels/demo/study/study.png"
garden="$TARROW_SOURCE_DIR/assets/levels/demo/garden/garden.png"

"$tool" shrink "$study" "$work/study.png" 16
check "shrink failed" test $? -eq 0
# inside X Y: 1 when the point lies inside the shrunk picture, else 0.
inside() { "$TARROW_TOOLS/pngpixel" "$work/study.png" "$1" "$2" 2>/dev/null | grep -vc "^#"; }
check "the shrunk study is not 85x48" test "$(inside 84 47)$(inside 85 0)$(inside 0 48)" = 100

# STATUS ARGUMENTS...: what each comparison must answer.
while read -r status args; do
    eval "set -- $args"
    "$tool" "$@" >"$work/out.txt" 2>&1
    got=$?
    check "shotcompare $args exited $got, not $status: $(cat "$work/out.txt")" test "$got" -eq "$status"
done <<EOT
0 compare "$study" "$work/study.png" 16 0 0
1 compare "$garden" "$work/study.png" 16 16 0.5
0 compare "$garden" "$work/study.png" 16 255 0
0 compare "$garden" "$work/study.png" 16 16 100
1 compare "$study" "$work/study.png" 8 16 0.5
1 compare "$work/missing.png" "$work/study.png" 16 16 0.5
2 compare "$study" "$work/study.png" 0 16 0.5
2 compare "$study" "$work/study.png" 16 16 101
2 shrink "$study" "$work/out.png" 2.5
2 compare "$study"
EOT
finish
