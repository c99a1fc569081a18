#!/usr/bin/env bash
# Start-up of the real program beside a bare Qt window: the time from
# starting each until its first window is viewable on a virtual X server,
# the two taken in turn, VB_RUNS times (15 unless set); prints the medians
# and their ratio. Run by hand; the tests never run it.
#
#   bench/startup.sh build/velbrook build/minimal_qt_window [X display number]
set -u
exe=$(readlink -f "$1")
minimal=$(readlink -f "$2")
display=${3:-63}
work=$(mktemp -d /tmp/vb-start.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/velbrook"
mkdir "$work/logtext"

cat > "$work/measure.sh" <<'INNER'
set -u
cd "$1"
unset QT_QPA_PLATFORM
# Milliseconds from starting the command until a viewable window with the
# given title is there.
first_window() {
  local title=$1; shift
  local start end pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 & pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do :; done
  end=$(date +%s%N)
  kill $pid; wait $pid 2>/dev/null
  echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
first_window "Velbrook v0.2" ./velbrook >/dev/null # the first run fills the caches
for i in $(seq 1 "$3"); do
  first_window "Minimal Qt window" "$2" >> minimal.txt
  first_window "Velbrook v0.2" ./velbrook >> velbrook.txt
done
m=$(median < minimal.txt)
v=$(median < velbrook.txt)
echo "bare Qt window: median $m ms over $3 runs"
echo "Velbrook title window: median $v ms over $3 runs"
awk -v v="$v" -v m="$m" 'BEGIN {printf "ratio: %.2f\n", v / m}'
INNER
xvfb-run -n "$display" -s "-screen 0 1024x768x24 -noreset" bash "$work/measure.sh" "$work" "$minimal" "${VB_RUNS:-15}"
