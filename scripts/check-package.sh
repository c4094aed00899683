#!/usr/bin/env bash
# Checks the Debian package as a packager would:
# - it builds reproducibly (two builds from scratch give the same bytes), with Debian's flags
#   alone, and its programs carry no RUNPATH; lintian finds no error; the desktop entry and
#   the metainfo validate, and the entry names the windows' class (StartupWMClass);
# - unpacked into a temporary root, its orvex started with an empty HOME fills the user's
#   folder and shows its main window, whose WM_CLASS is the entry's; a second start keeps a
#   changed confcom.sys; its orvex-cli reads the simulator through the COM1 link there;
# - with a user's folder that cannot be made, orvex says so in a window of its own;
# - an upgrade: a second package, built from a copy of the source with a corrected text and a
#   new changelog entry, unpacked over the first, shows the new text at the next start while
#   the user's own files stay as the user left them.
set -euo pipefail
cd "$(dirname "$0")/.."
id=com.orvex.Configurator
step() { printf '== %s (%ss)\n' "$1" "$SECONDS"; }
fail() { echo "check-package: $*" >&2; exit 1; }

scripts/deps.sh package
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

# The builds share compiled objects through ccache where it is installed. Debian's flags name
# the source folder (-ffile-prefix-map=SOURCE=.), which maps it away: the objects are the same
# wherever the source lies, so neither that option nor the folder goes into ccache's key.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_NOHASHDIR=1 \
         CCACHE_IGNOREOPTIONS='-ffile-prefix-map=*'
fi
# Builds the package of the source in folder $1 from an empty build folder; prints the .deb.
build_package() {
  rm -rf "$1/build-package"
  (cd "$1" && CCACHE_BASEDIR=$PWD scripts/package.sh | tail -n1)
}

step "package"
deb=$(build_package "$PWD")
echo "$deb"
cp "$deb" "$tmp/first.deb"

step "a second build gives the same package"
[ "$(build_package "$PWD")" = "$deb" ] || fail "the second build made another file"
if ! cmp "$tmp/first.deb" "$deb"; then
  mkdir "$tmp/a" "$tmp/b"
  dpkg-deb -R "$tmp/first.deb" "$tmp/a" && dpkg-deb -R "$deb" "$tmp/b"
  diff -r "$tmp/a" "$tmp/b" | head -20 || true
  fail "two builds of the same source differ"
fi

step "Debian's flags alone; no RUNPATH"
optimisation=$(grep -o -- ' -O[0-9s]*\b' build-package/compile_commands.json | sort -u | xargs)
[ "$optimisation" = "$(dpkg-buildflags --get CXXFLAGS | grep -o -- '-O[0-9s]*\b' | xargs)" ] ||
  fail "compiled with $optimisation, not with Debian's flags alone"

step "lintian"
lintian --fail-on error "$deb"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
for program in orvex orvex-cli orvex-sim; do
  if readelf -d "$root/usr/bin/$program" | grep -E 'RPATH|RUNPATH'; then
    fail "$program carries a library search path"
  fi
done

step "desktop entry and metainfo"
entry=$root/usr/share/applications/$id.desktop
desktop-file-validate "$entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] || fail "the desktop entry names no StartupWMClass"
for size in 16x16 24x24 scalable; do
  ls "$root/usr/share/icons/hicolor/$size/apps/$id".* >/dev/null
done

# A display of its own, so the windows can be seen to appear (offscreen shows nothing). Xvfb
# picks a free display itself and names it when it is ready; one that failed is told.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
pids+=("$xvfb")
for _ in $(seq 100); do
  { [ -s "$tmp/display" ] || ! kill -0 "$xvfb" 2>/dev/null; } && break
  sleep 0.1
done
if [ ! -s "$tmp/display" ] || ! kill -0 "$xvfb" 2>/dev/null; then
  cat "$tmp/xvfb.log" >&2
  fail "Xvfb did not start"
fi
export DISPLAY=":$(cat "$tmp/display")" HOME=$tmp/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
user=$HOME/.local/share/orvex

# The simulator answers on COM1 of the user's folder, as the README has it: the program
# then finds its port at start, whatever serial ports this machine has.
mkdir -p "$user"
"$root/usr/bin/orvex-sim" --program-dir "$user" --port 1 --baud 19200 --quiet & pids+=($!)
for _ in $(seq 50); do [ -L "$user/COM1" ] && break; sleep 0.1; done

# Starts the installed orvex in HOME and waits for a window named like $1 (the main window's
# caption by default); leaves its WM_CLASS in $window_class, then ends the program.
start_orvex() {
  local name=${1:-'^ORVEX - '} window
  (cd "$HOME" && exec "$root/usr/bin/orvex") >"$tmp/orvex.log" 2>&1 &
  local pid=$!
  if ! window=$(timeout 30 xdotool search --sync --onlyvisible --name "$name" | head -n1); then
    echo "orvex showed no window named $name"; cat "$tmp/orvex.log"; kill "$pid"; return 1
  fi
  window_class=$(xprop -id "$window" WM_CLASS)
  kill "$pid"; wait "$pid" || true
}

step "first start fills $user; the window's class is the entry's"
start_orvex
for f in textos.sys conflang.sys confcom.sys Default.fil CONFIG/FACTORY.QVT; do
  cmp "$root/usr/share/orvex/$f" "$user/$f"
done
[ -d "$user/Report/Txt" ] && [ -d "$user/Report/Doc" ]
[[ $window_class == *", \"$wm_class\"" ]] || fail "$window_class: not the entry's $wm_class"

step "second start keeps a changed confcom.sys"
changed=$(printf 'COM1:1920,N,8,1#000#\r\n')  # 19200 baud, as ConfigCOM writes it
printf '%s' "$changed" >"$user/confcom.sys"
start_orvex
[ "$(cat "$user/confcom.sys")" = "$changed" ]

step "orvex-cli reads the simulator through COM1 of the user's folder"
(cd "$tmp" && "$root/usr/bin/orvex-cli" read --port COM1 -o read.QVT) 2>"$tmp/cli.log" ||
  { cat "$tmp/cli.log"; exit 1; }
[ "$(grep -c . "$tmp/read.QVT")" -ge 63 ]

step "a user's folder that cannot be made is told"
touch "$tmp/not-a-folder"
XDG_DATA_HOME=$tmp/not-a-folder/share start_orvex '^Carpeta de sus ficheros$'

step "an upgrade with a corrected text"
source2=$tmp/source-5.0.1
mkdir "$source2"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$source2"
sed -i '1,/^001\t/s/^\(001\t.*\)V5\.0$/\1V5.0.1/' "$source2/data/textos-src/es.txt"
grep -q $'^001\t.*V5\\.0\\.1$' "$source2/data/textos-src/es.txt" || fail "the text was not changed"
python3 "$source2/scripts/make_textos.py" --src "$source2/data/textos-src" \
  --out "$source2/data/textos.sys" >/dev/null
{
  printf 'orvex (5.0.1) stable; urgency=medium\n\n  * Corrected main window title.\n\n'
  printf ' -- ORVEX tool developers <orvex-tool@example.org>  Tue, 08 Dec 2026 04:00:00 +0000\n\n'
  cat dist/debian/changelog
} >"$source2/dist/debian/changelog"
deb2=$(build_package "$source2")
echo "$deb2"
[ "$(dpkg-deb -f "$deb2" Version)" = 5.0.1 ] || fail "the second package is not 5.0.1"
# The user's own files, changed since the first version.
printf 'MINE\r\n' >"$user/Default.fil"
cp "$user/CONFIG/FACTORY.QVT" "$user/CONFIG/MINE.QVT"
printf ' 7 \r\n' >>"$user/CONFIG/FACTORY.QVT"
(cd "$user" && md5sum confcom.sys conflang.sys Default.fil CONFIG/MINE.QVT CONFIG/FACTORY.QVT \
  >"$tmp/users-files.md5")
dpkg-deb -x "$deb2" "$root"
start_orvex 'V5\.0\.1$'
cmp "$root/usr/share/orvex/textos.sys" "$user/textos.sys"
(cd "$user" && md5sum -c --quiet "$tmp/users-files.md5") || fail "the upgrade changed the user's files"

step "package checks passed"
