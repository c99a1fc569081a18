#!/usr/bin/env bash
# Starts the real program in a virtual X server as a user would meet it:
#  1. the title window appears, 352 x 152, in the window class velbrook and
#     with the program's icon, and Quit (Escape) ends the program with
#     status 0;
#  2. with "Fast Shut Out" on, View (Enter) opens the browser and its Close
#     (Ctrl+W) ends the program with status 0;
#  3. `velbrook DIR` opens the browser on DIR at once, without the title
#     window: New (Ctrl+N) numbers the next message after DIR's own, and the
#     settings file keeps the category's own folder, not DIR.
set -u
exe="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/velbrook"
cp "$(dirname "$0")/../../tools/x_session.sh" "$work/"
mkdir -p "$work/logtext" "$work/other folder"
cp "$(dirname "$0")/../../samples/logtext/KVX00001.TXT" "$work/other folder/KVX00007.TXT"
cat > "$work/check.sh" <<'INNER'
set -u
cd "$1"
unset QT_QPA_PLATFORM

. "${0%/*}/x_session.sh"

# Sends keys to the program's window and waits for the program to end;
# prints its exit status, or fails when it is still running after 10 s.
keys_then_exit() {
  local pid=$1; shift
  press "$@"
  for i in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"; return $?
    fi
    sleep 0.1
  done
  echo "the program is still running"; kill "$pid"; return 99
}

./velbrook & pid=$!
wait_window "Width: 352" || { kill $pid; exit 1; }
wait_window "Height: 152" || { kill $pid; exit 1; }
echo "title window is on the screen"
wid=$(xdotool search --onlyvisible --name "$VB_TITLE" | tail -n 1)
class=$(xprop -id "$wid" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "velbrook", "velbrook"' ] || { echo "window class: $class"; kill $pid; exit 1; }
xprop -id "$wid" _NET_WM_ICON | head -c 200 | grep -q "_NET_WM_ICON(CARDINAL) = " ||
  { echo "the window carries no icon"; kill $pid; exit 1; }
echo "the window is of class velbrook and carries the icon"
keys_then_exit $pid Escape; status=$?
[ $status -eq 0 ] || { echo "Quit ended with status $status"; exit 1; }
echo "Quit ended the program with status 0"

printf '[Velbrook v0.2]\r\nFastClose=1\r\n' > Velbrook.ini
./velbrook & pid=$!
wait_window "Width: 352" || { kill $pid; exit 1; }
press Return
wait_window "Height: 450" || { kill $pid; exit 1; }
echo "the browser is on the screen"
keys_then_exit $pid ctrl+w; status=$?
[ $status -eq 0 ] || { echo "Close with Fast Shut Out ended with status $status"; exit 1; }
echo "Close with Fast Shut Out ended the program with status 0"

./velbrook "other folder" & pid=$!
wait_window "Height: 450" || { kill $pid; exit 1; }
if xdotool search --onlyvisible --name "$VB_TITLE" | xargs -r -n1 xwininfo -id | grep -q "Width: 352"; then
  echo "the title window is on the screen beside the browser"; kill $pid; exit 1
fi
echo "velbrook DIR opened the browser at once"
press ctrl+n
for i in $(seq 1 100); do [ -f "other folder/KVX00008.TXT" ] && break; sleep 0.1; done
[ -f "other folder/KVX00008.TXT" ] || { echo "New made no KVX00008.TXT in DIR: $(ls "other folder")"; kill $pid; exit 1; }
echo "the browser lists DIR: New made the message after DIR's own"
keys_then_exit $pid ctrl+w; status=$?
[ $status -eq 0 ] || { echo "Close ended with status $status"; exit 1; }
if grep -q "other folder" Velbrook.ini; then echo "DIR was stored"; cat Velbrook.ini; exit 1; fi
echo "nothing of DIR was stored"
INNER
# A server number of this run's own, so that servers started at the same
# moment by other runs do not take the same one.
xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24 -noreset" bash "$work/check.sh" "$work"
