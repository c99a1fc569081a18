# Helpers for scripts that drive the real program in a virtual X server as a
# user would: the smoke test, the package check and the memory benchmark
# source this file from the folder their session script runs in.

# The title every window of the program carries.
VB_TITLE=${VB_TITLE:-Velbrook v0.2}

# Waits until a viewable window titled $VB_TITLE has the given line in
# xwininfo's report ("Width: 352"), looking every 0.1 s, ${WAIT_TRIES:-300}
# times. On failure it says so and lists the windows there are.
wait_window() {
  local i wid
  for i in $(seq 1 "${WAIT_TRIES:-300}"); do
    for wid in $(xdotool search --onlyvisible --name "$VB_TITLE" 2>/dev/null); do
      xwininfo -id "$wid" 2>/dev/null | grep -q "$1" && return 0
    done
    sleep 0.1
  done
  echo "no window with $1 appeared" >&2
  xwininfo -root -tree 2>/dev/null | head -40 >&2
  return 1
}

# Gives the newest visible window titled $VB_TITLE the keyboard focus (there
# is no window manager to do it) and types the keys.
press() {
  local wid
  wid=$(xdotool search --onlyvisible --name "$VB_TITLE" | tail -n 1)
  xdotool windowfocus --sync "$wid" 2>/dev/null
  xdotool key --clearmodifiers "$@"
}
