#!/usr/bin/env bash
# Peak resident memory (VmHWM) of the real program after View, in a virtual X
# server: once on 100,000 generated Log Mode messages, once more with a 10 MB
# message as the one shown first. Then the exports: Print (to a PDF file, as
# there is no printer), Print Preview and Export PDF of a message of 200,000
# lines and of one holding a single 10 MB line, each in a program of its own.
# The messages are made in a temporary folder and removed afterwards. Run by
# hand; the tests never run it.
#
#   bench/peak_memory.sh build/velbrook [X display number]
# VB_MESSAGES sets another number of messages; VB_EXPORTS=0 leaves out the
# exports, VB_COMMANDS picks some of them ("view print preview export"),
# VB_VIEW=0 leaves out the two measures of View on many messages.
set -u
exe=$(readlink -f "$1")
display=${2:-62}
work=$(mktemp -d /tmp/vb-peak.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/velbrook"
cp "$(dirname "$0")/../tools/x_session.sh" "$work/"
mkdir "$work/logtext"

count=${VB_MESSAGES:-100000}
python3 - "$work/logtext" "$count" <<'PY'
import os, sys
folder = sys.argv[1]
for i in range(int(sys.argv[2])):
    nxt = "".join("%05d" % (i + 1 + k) for k in range(10))
    text = ("%05d\r\nTitle:Message number %d about the weather\r\nName :Writer %d\r\n"
            "Mail :writer%d@example.com\r\nHttp :http://example.com/~w%d/\r\n"
            "Date :2001/04/03 (\x89\xce) 21:15\r\nNext :%s\r\nBack :%05d\r\n\r\n\r\n"
            "Body text of message %d.\r\nA second line.\r\n") % (i, i, i % 97, i % 97, i % 97, nxt, i - 1, i)
    with open(os.path.join(folder, "KVX%05d.TXT" % i), "wb") as f:
        f.write(text.encode("latin-1"))
PY

cat > "$work/measure.sh" <<'INNER'
set -u
cd "$1"
unset QT_QPA_PLATFORM
. "${0%/*}/x_session.sh"
WAIT_TRIES=600
# CPU ticks the process has used so far.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Starts the program, presses View, waits until the browser is up and the
# program has been idle for two seconds, and prints its VmHWM in kB.
peak() {
  rm -f Velbrook.ini
  # "thread": a settings file that has Thread View on and nothing else.
  [ "${1:-}" = thread ] && printf '[Velbrook v0.2]\r\nThreadView=1\r\n' > Velbrook.ini
  ./velbrook & local pid=$!
  wait_window "Width: 352" || { echo "no title window"; kill $pid; return 1; }
  press Return
  wait_window "Height: 450" || { echo "no browser"; kill $pid; return 1; }
  local last=-1 now idle=0
  while [ $idle -lt 4 ]; do
    sleep 0.5
    now=$(ticks $pid)
    if [ "$now" = "$last" ]; then idle=$((idle + 1)); else idle=0; fi
    last=$now
  done
  awk '/VmHWM/ {print $2}' "/proc/$pid/status"
  kill $pid
  wait $pid 2>/dev/null
}
# Waits until the process has used no CPU for two seconds.
settle() {
  local last=-1 now idle=0
  while [ $idle -lt 4 ]; do
    sleep 0.5
    now=$(ticks $1)
    if [ "$now" = "$last" ]; then idle=$((idle + 1)); else idle=0; fi
    last=$now
  done
}
# Types a path into the save dialog titled $1 and accepts it.
save_as() {
  local i wid=
  for i in $(seq 1 $WAIT_TRIES); do
    wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || { echo "no dialog $1" >&2; return 1; }
  xdotool windowfocus --sync "$wid" 2>/dev/null
  sleep 0.3
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key --clearmodifiers Return
}
# One export in a program of its own: starts it, presses View, runs the
# command ($1: print, preview or export; view runs none, for the cost of
# showing the message alone) and prints VmHWM once the program is idle again,
# with the pages written.
export_peak() {
  rm -f Velbrook.ini out.pdf
  ./velbrook & local pid=$!
  wait_window "Width: 352" || { echo "no title window"; kill $pid; return 1; }
  press Return
  wait_window "Height: 450" || { echo "no browser"; kill $pid; return 1; }
  settle $pid
  case $1 in
  print)
    press ctrl+p
    # The question box: a second window of the program.
    for i in $(seq 1 $WAIT_TRIES); do
      [ "$(xdotool search --onlyvisible --name "$VB_TITLE" 2>/dev/null | wc -l)" -ge 2 ] && break
      sleep 0.1
    done
    press Return
    save_as "No Printer : Save As PDF File" "$PWD/out.pdf" ;;
  export)
    press alt+f Up Up Return
    save_as "Export PDF" "$PWD/out.pdf" ;;
  preview)
    press alt+f Up Up Up Return ;;
  esac
  sleep 1
  settle $pid
  local pages=
  [ -f out.pdf ] && pages=$(pdfinfo out.pdf 2>/dev/null | awk '/^Pages:/ {print $2}')
  echo "VmHWM $(awk '/VmHWM/ {print $2}' "/proc/$pid/status") kB${pages:+, $pages pages}"
  kill $pid
  wait $pid 2>/dev/null
}
if [ "${VB_EXPORTS:-1}" != 0 ]; then
  # In a folder of their own, beside a copy of the program.
  mkdir -p exports/logtext
  cp velbrook exports/
  cd exports
  python3 - <<'PY'
head = b"00001\r\nTitle:Long\r\nName :Big\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n"
with open("logtext/KVX00001.TXT", "wb") as f:
    f.write(head)
    f.write(b"".join(b"Line %d of a long message, with a few words to print.\r\n" % i for i in range(200000)))
PY
  for c in ${VB_COMMANDS:-view print preview export}; do echo "$c of 200,000 lines: $(export_peak $c)"; done
  python3 - <<'PY'
head = b"00001\r\nTitle:Wide\r\nName :Big\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n"
piece = "\x82\xb1\x82\xea\x82\xcd\x96\x7b\x95\xb6\x82\xc5\x82\xb7 plain words 0123456789 and more ".encode("latin-1")
with open("logtext/KVX00001.TXT", "wb") as f:
    f.write(head)
    f.write(piece * (10 * 1024 * 1024 // len(piece)) + b"\r\n")
PY
  for c in ${VB_COMMANDS:-view print preview export}; do echo "$c of one 10 MB line: $(export_peak $c)"; done
  cd ..
  rm -rf exports
fi
[ "${VB_VIEW:-1}" = 0 ] && exit 0
echo "view on $2 messages: VmHWM $(peak) kB"
echo "view on $2 messages in thread view: VmHWM $(peak thread) kB"
# The message shown first (the highest number, in descending order) becomes
# one of 10 MB: Japanese and ASCII text in lines of about 80 bytes.
last=$(printf 'KVX%05d.TXT' $(($2 - 1)))
python3 - "$last" <<'PY'
line = ("\x82\xb1\x82\xea\x82\xcd\x96\x7b\x95\xb6\x82\xc5\x82\xb7" * 3 + " plain words 0123456789 and more\r\n").encode("latin-1")
import sys
head = (sys.argv[1][3:8] + "\r\nTitle:Large\r\nName :Big\r\nMail :\r\nHttp :\r\nDate :\r\nNext :\r\nBack :\r\n\r\n\r\n").encode("latin-1")
with open("logtext/" + sys.argv[1], "wb") as f:
    f.write(head)
    f.write(line * (10 * 1024 * 1024 // len(line)))
PY
echo "view with a 10 MB message shown: VmHWM $(peak) kB"
INNER
xvfb-run -n "$display" -s "-screen 0 1024x768x24 -noreset" bash "$work/measure.sh" "$work" "$count"
