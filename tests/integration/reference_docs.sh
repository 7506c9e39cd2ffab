#!/usr/bin/env bash
# docs/reference.md is what `modcheck --reference` writes from the game's own
# tables: a type, attribute, script function or message number added or
# removed in the code without the reference following makes this fail
# (regenerate with the command the file names); docs/functions.md describes
# exactly the registered script functions. The written reference
# describes only call attributes and script functions the code has.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW_TOOLS:?}" "${TARROW_SOURCE_DIR:?}"
cd "$TARROW_SOURCE_DIR" || exit 1

"$TARROW_TOOLS/modcheck" --reference >"$work/reference.md"
check "modcheck --reference failed" test $? -eq 0
check "docs/reference.md differs from the code's tables: $(diff docs/reference.md "$work/reference.md" | head -20)" \
    diff -q docs/reference.md "$work/reference.md"

# docs/functions.md gives the arguments of exactly the registered functions.
sed -n '/^## Script functions/,/^## Script constants/p' "$work/reference.md" |
    grep -oE '`[A-Za-z_0-9]+`' | sort -u >"$work/registered.txt"
grep -oE '^\| `[A-Za-z_0-9]+`' docs/functions.md | cut -c3- | sort -u >"$work/described.txt"
check "docs/functions.md and the registered functions differ: $(comm -3 "$work/registered.txt" "$work/described.txt" | tr '\n' ' ')" \
    cmp -s "$work/registered.txt" "$work/described.txt"

# Every script function docs/authoring.md writes as `Name(` and every room
# hook and input-rectangle attribute it names appears in the generated tables.
for name in $(grep -oE '`[A-Z][A-Za-z]+\(' docs/authoring.md | tr -d '`(' | sort -u); do
    check "docs/authoring.md names $name, which no script function is" \
        grep -qF "\`$name\`" "$work/reference.md"
done
for name in $(grep -oE '`(trg_(pre)?(open|close)|inputrect_[a-z]+)`' docs/authoring.md | tr -d '`' | sort -u); do
    check "docs/authoring.md names the attribute $name, which no type has" \
        grep -qF "\`$name\`" "$work/reference.md"
done
finish
