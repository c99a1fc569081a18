#!/usr/bin/env bash
# Starts the real program in a virtual X server and checks that its title
# window appears on the screen, 352 x 152, and that it ends on Quit (Escape).
set -u
exe="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/velbrook"
cat > "$work/check.sh" <<'INNER'
set -u
cd "$1"
unset QT_QPA_PLATFORM
./velbrook & pid=$!
for i in $(seq 1 100); do
  info=$(xwininfo -name "Velbrook v0.2" 2>/dev/null)
  if echo "$info" | grep -q "IsViewable"; then
    if echo "$info" | grep -q "Width: 352" && echo "$info" | grep -q "Height: 152"; then
      echo "title window is on the screen"
      kill $pid; wait $pid 2>/dev/null
      exit 0
    fi
  fi
  sleep 0.1
done
echo "no title window appeared"; xwininfo -root -tree | head -40
kill $pid 2>/dev/null
exit 1
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/check.sh" "$work"
