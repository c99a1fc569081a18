#!/usr/bin/env bash
# The recovery journal in the real program, in a virtual X server: View,
# Edit (Ctrl+E), typed keys, a wait past the pause, then kill -9. Started
# again, View offers the text: Open (Enter) shows it unsaved with the file on
# disk untouched, and Save (Ctrl+S, Enter) then stores exactly the typed
# text; Discard (Alt+D) removes the recovery file; Later (Escape) keeps it
# for the next start. The file on disk never changes but through Save.
set -u
exe="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/velbrook"
cp "$(dirname "$0")/../../tools/x_session.sh" "$work/"
cat > "$work/check.sh" <<'INNER'
set -u
cd "$1"
unset QT_QPA_PLATFORM XDG_STATE_HOME
. "${0%/*}/x_session.sh"

mkdir -p msgs
printf 'first\r\nsecond\r\n' > msgs/a.txt
original=$(md5sum < msgs/a.txt)
printf '[Velbrook v0.2]\r\nFastClose=1\r\n[Velbrook v0.2 - Category - 000]\r\nEnabled=Enable\r\nTitle=Notes\r\nDirectory=%s/msgs/\r\nSearch Mode=Text Mode\r\n' "$PWD" > Velbrook.ini

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null; exit 1; }
records() { ls recovery/*.vbr 2>/dev/null | wc -l; }
unchanged() { [ "$(md5sum < msgs/a.txt)" = "$original" ] || fail "msgs/a.txt changed: $(od -c msgs/a.txt | head -3)"; }

# Starts the program and enters the browser.
browse() {
  ./velbrook & pid=$!
  wait_window "Width: 352" || fail "no title window"
  press Return
  wait_window "Width: [4-9][0-9][0-9]" || fail "no browser" # wider than the title window
}
# Edit, the keys of "typed ", a wait past the pause, then kill -9.
type_and_kill() {
  browse
  press ctrl+e
  press t y p e d space
  sleep 3.5
  [ "$(records)" = 1 ] || fail "no recovery file after the pause: $(ls -la recovery 2>&1)"
  kill -9 "$pid"; wait "$pid" 2>/dev/null
  unchanged
}
# Starts again and answers the recovery box with the keys given.
answer() {
  browse
  sleep 1
  press "$@"
  sleep 1
}

type_and_kill
answer Return                        # Open
unchanged
[ "$(records)" = 1 ] || fail "Open removed the recovery file before Save"
press ctrl+s; sleep 0.5; press Return; sleep 1   # Save, "File Update OK?" OK
printf 'typed first\r\nsecond\r\n' | cmp -s - msgs/a.txt || fail "saved text differs: $(od -c msgs/a.txt | head -3)"
[ "$(records)" = 0 ] || fail "Save left the recovery file"
echo "Open restored the typed text byte for byte"
kill -9 "$pid"; wait "$pid" 2>/dev/null
printf 'first\r\nsecond\r\n' > msgs/a.txt
original=$(md5sum < msgs/a.txt)

type_and_kill
answer alt+d                         # Discard
[ "$(records)" = 0 ] || fail "Discard left the recovery file"
unchanged
echo "Discard removed the recovery file"
kill -9 "$pid"; wait "$pid" 2>/dev/null

type_and_kill
answer Escape                        # Later
[ "$(records)" = 1 ] || fail "Later removed the recovery file"
press ctrl+w; sleep 1                # Close ends the program (Fast Shut Out)
kill -0 "$pid" 2>/dev/null && fail "the program did not end on Close"
[ "$(records)" = 1 ] || fail "the recovery file kept for later went on Close"
unchanged
echo "Later kept the recovery file for the next start"
INNER
xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24 -noreset" bash "$work/check.sh" "$work"
