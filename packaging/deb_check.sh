#!/usr/bin/env bash
# Installs the Debian package that `make deb` built, starts the installed
# program as an ordinary user in a virtual X server and removes the package
# again, checking on the way:
#  1. the package installs with apt-get, with the program, its menu entry,
#     icon, metainfo, manual page and samples in the system folders;
#  2. started from the menu's command, the title window appears; View opens
#     the browser on the built-in category in ~/.config/velbrook/, which is
#     made for its owner alone and filled with the samples;
#  3. after apt-get remove no file of the package, and none the program
#     wrote, is left in /usr, /etc or /opt.
# Changes the machine: run it where packages may be installed (as root, or
# with sudo). Usage: deb_check.sh <build folder> [X display number]
set -u
build=$1
display=${2:-63}
sudo=$([ "$(id -u)" = 0 ] || echo sudo)
deb=$(ls "$build"/velbrook_*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "no velbrook_*.deb in $build: run make deb first"; exit 1; }
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
work=$(mktemp -d)
cp "$(dirname "$0")/../tools/x_session.sh" "$work/"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

snapshot() { find /usr /etc /opt -xdev \( -type f -o -type l \) 2>/dev/null | sort; }
snapshot > "$work/before"

echo "== apt-get install $deb"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; echo "FAIL: apt-get install"; exit 1; }
dpkg-query -W -f='${Depends}\n' velbrook
dpkg -L velbrook | sort > "$work/files"
for f in /usr/bin/velbrook /usr/share/applications/velbrook.desktop \
         /usr/share/metainfo/io.github.velbrook.velbrook.metainfo.xml /usr/share/doc/velbrook/copyright \
         /usr/share/icons/hicolor/scalable/apps/velbrook.svg /usr/share/icons/hicolor/48x48/apps/velbrook.png \
         /usr/share/man/man1/velbrook.1.gz /usr/share/velbrook/samples/logtext/KVX00001.TXT; do
  grep -qx "$f" "$work/files" || fail "the package holds no $f"
done
desktop-file-validate /usr/share/applications/velbrook.desktop || fail "desktop-file-validate"
[ "$(command -v velbrook)" = /usr/bin/velbrook ] || fail "velbrook is not /usr/bin/velbrook on the PATH"

# An ordinary user with a home of its own: nobody when this runs as root.
home="$work/home"
mkdir -p "$home"
if [ "$(id -u)" = 0 ]; then
  chown nobody "$home" "$work"
  as_user() { runuser -u nobody -- env -u XDG_CONFIG_HOME HOME="$home" "$@"; }
else
  as_user() { env -u XDG_CONFIG_HOME HOME="$home" "$@"; }
fi

cat > "$work/session.sh" <<'INNER'
set -u
unset QT_QPA_PLATFORM
cd "$HOME"
. "${0%/*}/x_session.sh"
velbrook & pid=$!
wait_window "Width: 352" || { kill $pid; exit 1; }
echo "the title window is on the screen"
press Return
wait_window "Height: 450" || { kill $pid; exit 1; }
echo "View opened the browser"
sleep 1
cp "$HOME/.config/velbrook/Velbrook.ini" "$HOME/after-view.ini" 2>/dev/null
press ctrl+w
wait_window "Width: 352" || { kill $pid; exit 1; }
press Escape
for i in $(seq 1 100); do
  kill -0 $pid 2>/dev/null || { wait $pid; exit $?; }
  sleep 0.1
done
echo "the program is still running"; kill $pid; exit 99
INNER
echo "== the installed program, started by a user"
as_user xvfb-run -n "$display" -s "-screen 0 1024x768x24 -noreset" bash "$work/session.sh" || fail "the session"
folder=$home/.config/velbrook
[ "$(stat -c %a "$folder" 2>/dev/null)" = 700 ] || fail "$folder is not 0700"
[ "$(stat -c %a "$folder/Velbrook.ini" 2>/dev/null)" = 600 ] || fail "the settings file is not 0600"
grep -q "^Directory=$folder/logtext/"$'\r'"\$" "$home/after-view.ini" 2>/dev/null ||
  fail "the built-in category does not read $folder/logtext/"
samples=$(ls /usr/share/velbrook/samples/logtext | wc -l)
[ "$(ls "$folder/logtext" 2>/dev/null | wc -l)" = "$samples" ] || fail "logtext does not hold the $samples samples"
[ "$(stat -c %U "$folder/logtext/KVX00001.TXT" 2>/dev/null)" = "$(stat -c %U "$home")" ] ||
  fail "the samples copied are not the user's"
echo "settings in $folder (0700, Velbrook.ini 0600), $samples samples in logtext/"

echo "== apt-get remove velbrook"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velbrook >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get remove"; }
while read -r f; do
  [ -f "$f" ] || [ -L "$f" ] && fail "left behind: $f"
done < "$work/files"
snapshot > "$work/after"
# Files that are new since before the install are the dependencies' (owned
# by their packages) or caches the desktop's triggers rebuild; anything else
# was left behind.
comm -13 "$work/before" "$work/after" | while read -r f; do
  case "$f" in */icon-theme.cache | */mimeinfo.cache | */fonts/*.cache-*) continue ;; esac
  dpkg -S "$f" >/dev/null 2>&1 || echo "FAIL: left behind: $f"
done | tee "$work/left"
[ -s "$work/left" ] && failed=1

[ $failed = 0 ] && echo "deb-check passed: installed, started, removed without a trace"
exit $failed
