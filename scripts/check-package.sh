#!/usr/bin/env bash
# Checks the Debian package: it builds; lintian finds no error; the desktop entry and the
# metainfo validate; unpacked into a temporary root, its orvex started with an empty HOME
# fills the user's folder and shows its main window, and a second start keeps a changed
# confcom.sys; its orvex-cli reads the simulator through the COM1 link in that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
id=com.orvex.Configurator
step() { printf '== %s (%ss)\n' "$1" "$SECONDS"; }

step "package"
deb=$(scripts/package.sh | tail -n1)
echo "$deb"

step "lintian"
lintian --fail-on error "$deb"

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
root=$tmp/root
dpkg-deb -x "$deb" "$root"

step "desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

# A display of its own, so the main window can be seen to appear (offscreen shows nothing).
for n in $(seq 90 120); do [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n" HOME=$tmp/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
user=$HOME/.local/share/orvex

# The simulator answers on COM1 of the user's folder, as the README has it: the program
# then finds its port at start, whatever serial ports this machine has.
mkdir -p "$user"
"$root/usr/bin/orvex-sim" --program-dir "$user" --port 1 --baud 19200 --quiet & pids+=($!)
for _ in $(seq 50); do [ -L "$user/COM1" ] && break; sleep 0.1; done

# Starts the installed orvex in HOME and waits for its main window (caption "ORVEX - ...").
start_orvex() {
  (cd "$HOME" && exec "$root/usr/bin/orvex") >"$tmp/orvex.log" 2>&1 &
  local pid=$!
  if ! timeout 30 xdotool search --sync --onlyvisible --name '^ORVEX - ' >/dev/null; then
    echo "orvex showed no main window"; cat "$tmp/orvex.log"; kill "$pid"; return 1
  fi
  kill "$pid"; wait "$pid" || true
}

step "first start fills $user"
start_orvex
for f in textos.sys conflang.sys confcom.sys Default.fil CONFIG/FACTORY.QVT; do
  cmp "$root/usr/share/orvex/$f" "$user/$f"
done
[ -d "$user/Report/Txt" ] && [ -d "$user/Report/Doc" ]

step "second start keeps a changed confcom.sys"
changed=$(printf 'COM1:1920,N,8,1#000#\r\n')  # 19200 baud, as ConfigCOM writes it
printf '%s' "$changed" >"$user/confcom.sys"
start_orvex
[ "$(cat "$user/confcom.sys")" = "$changed" ]

step "orvex-cli reads the simulator through COM1 of the user's folder"
(cd "$tmp" && "$root/usr/bin/orvex-cli" read --port COM1 -o read.QVT) 2>"$tmp/cli.log" ||
  { cat "$tmp/cli.log"; exit 1; }
[ "$(grep -c . "$tmp/read.QVT")" -ge 63 ]

step "package checks passed"
