#!/usr/bin/env bash
# The documented animation examples run on the engine alone: gridmesh makes
# the curtain (a one-shot mesh here), the module plays the bird, the cat and
# the curtain without a single error or warning, the letter rides on the
# bird's beak, a click startles the cat whose end trigger brings it back to
# idle once, and the curtain stops on its last key frame once. Bad gridmesh
# arguments are usage errors (status 2).
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
export XDG_DATA_HOME="$work/data"
cp "$TARROW_SOURCE_DIR"/docs/examples/* "$work/"

"$TARROW_TOOLS/gridmesh" -c 4x8 -s 64x128 -k 4 -a 6 -f 8 -l 0 -t curtain "$work/curtain.xml" \
    2>"$work/err.txt"
rc=$?
check "gridmesh exited $rc: $(cat "$work/err.txt")" test "$rc" -eq 0
check "the mesh has not 4 key frames of 45 vertices" \
    test "$(grep -c '<vertex ' "$work/curtain.xml")" -eq 180
check "the mesh has not 64 triangles" test "$(grep -c '<triangle ' "$work/curtain.xml")" -eq 64

cat >"$work/input.txt" <<'INPUT'
# click the cat at frame 10; the startle lasts one second
10 click 500 390
INPUT
# The probe module loads the examples, then reads where the letter is.
cat >"$work/probe.xml" <<'PROBE'
<module name="probe">
  <objs><obj name="probe_root">
    <timer name="probe_timer" time="0.5" playing="1" endtrig="trg_probe"/>
  </obj></objs>
  <trigs><trig name="trg_probe"><code>
local letter = ObjGet("letter")
print("letter at " .. letter.pos_x .. " " .. letter.pos_y)
</code></trig></trigs>
  <code>
ModLoad("examples")
ObjAttach("probe_timer", "tr_origin")
  </code>
</module>
PROBE
"$TARROW" --headless --frames 150 -C "$work" --module probe --input "$work/input.txt" \
    >"$work/out.txt" 2>"$work/run_err.txt"
rc=$?
check "the run exited $rc: $(cat "$work/run_err.txt")" test "$rc" -eq 0
check "errors or warnings: $(grep -E '^(Error|Warning)' "$work/out.txt")" \
    test "$(grep -cE '^(Error|Warning)' "$work/out.txt")" -eq 0
check "the letter does not ride on the beak: $(grep letter "$work/out.txt")" \
    test "$(grep -c '^letter at 4[0-9]\(\.[0-9]*\)\? [0-9]' "$work/out.txt")" -eq 1
check "the cat did not calm down once: $(cat "$work/out.txt")" \
    test "$(count "$work/out.txt" "cat calm")" -eq 1
check "the curtain did not stop once on its last key frame" \
    test "$(count "$work/out.txt" "curtain still on key frame 3")" -eq 1

"$TARROW_TOOLS/gridmesh" -c 0x4 "$work/bad.xml" 2>/dev/null
rc=$?
check "a mesh of 0 columns exited $rc" test "$rc" -eq 2
check "a refused mesh left a file" test ! -e "$work/bad.xml"
finish
