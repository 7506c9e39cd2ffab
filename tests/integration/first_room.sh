#!/usr/bin/env bash
# docs/first-room.md works as written: its steps, taken in order on a new
# starter game, give a game the checker passes and whose new room is reached
# headless, by --room and by a click on the new door. Shell blocks run as
# they stand (tarrow and modcheck are the built ones); XML blocks go into the
# file their first line names, above the line it names; text blocks are the
# game runs, made headless and limited to a number of frames.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"
doc="$TARROW_SOURCE_DIR/docs/first-room.md"

tarrow() {
    case " $* " in
        *" --new "*) "$TARROW" "$@" ;;
        *) "$TARROW" --headless --frames 150 "$@" ;;
    esac
}
modcheck() { "$TARROW_TOOLS/modcheck" "$@"; }

# The fenced blocks of the page, one file each: NNN.LANG.
mkdir -p "$work/blocks"
awk -v dir="$work/blocks" '
    /^```/ { if (lang == "") { lang = substr($0, 4); n++; file = sprintf("%s/%03d.%s", dir, n, lang) }
             else { lang = "" }; next }
    lang != "" { print > file }' "$doc"
check "the page has no steps" test "$(ls "$work/blocks" | wc -l)" -ge 8

cd "$work" || exit 1
step=0
for block in "$work"/blocks/*; do
    step=$((step + 1))
    case "$block" in
    *.sh)
        (source "$block") >"$work/step$step.txt" 2>&1
        rc=$?
        check "step $step ($(head -n 1 "$block")) failed: $(cat "$work/step$step.txt")" \
            test "$rc" -eq 0
        ;;
    *.xml)
        first=$(head -n 1 "$block")
        file=$(sed -nE 's/.*goes in ([^ ]+) above the line "([^"]+)".*/\1/p' <<<"$first")
        marker=$(sed -nE 's/.*goes in ([^ ]+) above the line "([^"]+)".*/\2/p' <<<"$first")
        target="$work/mygame/$file"
        check "step $step names no file and line: $first" test -n "$file" -a -n "$marker"
        check "step $step: no line '$marker' in $file" grep -qF "<!-- $marker -->" "$target"
        awk -v block="$block" -v marker="<!-- $marker -->" '
            index($0, marker) { while ((getline line < block) > 0) print line }
            { print }' "$target" >"$target.new" && mv "$target.new" "$target"
        ;;
    *.text)
        (source "$block") >"$work/run$step.txt" 2>&1
        rc=$?
        check "run at step $step exited $rc: $(tail -n 3 "$work/run$step.txt")" test "$rc" -eq 0
        check "run at step $step logged a mistake: $(grep '^Error\|^Warning' "$work/run$step.txt")" \
            test "$(grep -c '^Error\|^Warning' "$work/run$step.txt")" -eq 0
        ;;
    esac
done

# The shell steps all worked: the game was made and the checker passed.
check "the starter game was not made" test -f "$work/mygame/assets/config.xml"
check "modcheck did not pass: $(cat "$work"/step*.txt)" \
    bash -c "cd '$work/mygame' && '$TARROW_TOOLS/modcheck' -s assets/strings \
        assets/levels/start/start.xml assets/shared/interface/int_loading.xml"
runs=("$work"/run*.txt)
check "the first run did not open the hall" grep -qxF "game: room hall open" "${runs[0]}"
check "--room cellar did not open the cellar" grep -qxF "game: room cellar open" "${runs[-1]}"
# Lua's print reaches the log file as well as standard output.
check "print did not reach the log file" \
    grep -qxF "game: room cellar open" "$work/data/Brightfold/My Tarrow Game/logfile.txt"

# A player gets there too: through the hall's new door (design x 200 is
# screen x 371 in the wide window), and back through the cellar's exit.
printf '40 move 371 420\n41 click 371 420\n90 move 683 740\n91 click 683 740\n' >"$work/walk.txt"
"$TARROW" --headless --frames 150 --input "$work/walk.txt" -C "$work/mygame" >"$work/walk.out" 2>&1
check "the door did not lead to the cellar: $(grep game: "$work/walk.out")" \
    test "$(grep -cxF "game: room cellar open" "$work/walk.out")" -eq 1
check "the cellar's exit did not lead back" \
    test "$(grep -cxF "game: room hall open" "$work/walk.out")" -eq 2

finish
