#!/usr/bin/env bash
# tarrow without --module runs the game in assets/ of its working directory:
# a tiny game whose first level asks the application for the layout width,
# reads the second string table and switches to a second level; tp_close
# changes a volume at shutdown. The log, settings.xml and the (empty)
# profile list, saved when the first level goes, land in the user
# folder; a second run reads the settings back; a folder without a game
# still runs (on defaults) and says why; a damaged settings file is
# replaced.
source "$(dirname "$0")/lib/harness.sh"
: "${TARROW:?}" "${TARROW_SOURCE_DIR:?}"
game="$TARROW_SOURCE_DIR/tests/content/game"
export XDG_DATA_HOME="$work/data"
user="$work/data/Brightfold/Start Test"

"$TARROW" --headless --frames 120 -C "$game" >"$work/out.txt" 2>"$work/err.txt"
rc=$?
check "game run exited $rc: $(cat "$work/err.txt")" test "$rc" -eq 0
check "display mode not chosen once for a wide window" \
    test "$(count "$work/out.txt" "Display mode: 1366x768, fullscreen=0, widescreen=1.")" -eq 1
check "start trigger did not run" test "$(count "$work/out.txt" "first level started in |")" -eq 1
check "application did not answer the layout width" \
    test "$(count "$work/out.txt" "layout width 1366")" -eq 1
check "second string table not loaded" \
    test "$(count "$work/out.txt" "hello from the second table")" -eq 1
check "level switch did not start the second level" \
    test "$(count "$work/out.txt" "second level started")" -eq 1
check "tp_close did not run at shutdown" test "$(tail -n 1 "$work/out.txt")" = "closing"

check "no log file in the user folder" test -f "$user/logfile.txt"
check "display mode not in the log file" \
    grep -qxF "Display mode: 1366x768, fullscreen=0, widescreen=1." "$user/logfile.txt"
check "no settings.xml in the user folder" test -f "$user/settings.xml"
settings=$(cat "$user/settings.xml" 2>/dev/null)
expected='<settings performance="0" fullscreen="0" widescreen="1" syscursor="0" sfx_volume="1" env_volume="0.8" soundtrack_volume="0.7" voice_volume="0.5" gamma="1"/>'
check "settings not saved after tp_close: $settings" test "$settings" = "$expected"
check "a temporary file was left behind" test -z "$(find "$user" -name '*.tmp')"
check "the profile list was not saved when the first level went" \
    grep -qF '<profiles current="-1"/>' "$user/profile_list.xml"

# The saved settings count next time: a normal window now.
sed -i 's/widescreen="1"/widescreen="0"/' "$user/settings.xml"
"$TARROW" --headless --frames 2 -C "$game" >"$work/second.txt" 2>&1
check "second run did not read the settings back" \
    test "$(count "$work/second.txt" "Display mode: 1024x768, fullscreen=0, widescreen=0.")" -eq 1

# A damaged settings file is replaced by the defaults at once.
printf '<settings fullscreen="1"' >"$user/settings.xml"
"$TARROW" --headless --frames 2 -C "$game" >"$work/damaged.txt" 2>&1
check "damaged settings were not treated like missing ones" \
    test "$(count "$work/damaged.txt" "Display mode: 1366x768, fullscreen=0, widescreen=1.")" -eq 1
check "damaged settings file not replaced" grep -q 'widescreen="1"' "$user/settings.xml"

# A folder without a game: defaults, an empty level, no crash.
mkdir -p "$work/empty"
"$TARROW" --headless --frames 5 -C "$work/empty" >"$work/empty.txt" 2>&1
rc=$?
check "run without a game exited $rc" test "$rc" -eq 0
check "missing configuration not reported" \
    grep -qxF "Error: could not find config file assets/config.xml." "$work/empty.txt"

finish
