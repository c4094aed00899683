#!/usr/bin/env bash
# Proves the Windows build under Wine, in a fresh Wine prefix of its own (scripts/windows.sh
# check, after scripts/windows.sh):
#   1. the installer installs silently; orvex-cli.exe --version and --help run;
#   2. orvex-cli.exe reads and writes the Linux orvex-sim through Wine's COM1, and the files
#      equal what the Linux orvex-cli reads; the write keeps the copy it made first;
#   3. orvex.exe shows its main window (screenshots in Castellano and English under
#      build-windows/screenshots) and "Lee QVT" in the editor reads the simulator;
#   4. the plain-code tests, built for Windows, pass under Wine (ctest);
#   5. the silent uninstall removes the program and leaves %APPDATA%\orvex.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
version=$(sed -n 's/^project(orvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$build/orvex-$version-setup.exe
step() { printf '== %s (%ss)\n' "$1" "$SECONDS"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
[ -f "$setup" ] || fail "$setup is missing: run scripts/windows.sh first"

scripts/deps.sh windows
# The Linux simulator and orvex-cli, to talk to and to compare with.
if [ ! -x build/program/orvex-sim ] || [ ! -x build/program/orvex-cli ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target orvex-sim orvex-cli orvex_data
fi

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  WINEPREFIX=$tmp/prefix wineserver -k 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A display of its own for the windows (Wine's, the program's), picked free as xvfb-run -a.
display=
for n in $(seq 140 199); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 & pids+=($!)
  for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if [ -S "/tmp/.X11-unix/X$n" ] && kill -0 "${pids[-1]}" 2>/dev/null; then display=:$n; break; fi
done
[ -n "$display" ] || { cat "$tmp/xvfb.log"; fail "no X display could be started"; }
export DISPLAY=$display

step "a fresh Wine prefix"
wineboot -i >/dev/null 2>&1
# Windows' dialog font, which Qt takes as the program's, drawn with DejaVu Sans (Wine's own
# Tahoma breaks glyphs at the front panel's small sizes; DejaVu is also wider than Segoe UI,
# so a caption that fits here fits on Windows).
for font in "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$font" /t REG_SZ /d "DejaVu Sans" /f >/dev/null
done
program_files=$WINEPREFIX/drive_c/Program\ Files/ORVEX
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/orvex

step "1. silent install"
wine "$setup" /S
[ -f "$program_files/bin/orvex.exe" ] && [ -f "$program_files/bin/orvex-cli.exe" ] ||
  fail "the installer left no programs in $program_files"
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ORVEX Configurator.lnk" ] ||
  fail "the installer made no Start-menu entry"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVEXConfigurator' \
  /v UninstallString >/dev/null || fail "the installer registered no uninstaller"
cli() { wine "C:\\Program Files\\ORVEX\\bin\\orvex-cli.exe" "$@"; }
cli --version | tee "$tmp/version.txt"
grep -q "$version" "$tmp/version.txt" || fail "orvex-cli.exe --version does not say $version"
cli --help >"$tmp/help.txt"
grep -q "read" "$tmp/help.txt" || fail "orvex-cli.exe --help says nothing of read"

step "2. orvex-cli.exe reads and writes orvex-sim through COM1"
sim_dir=$tmp/sim
mkdir -p "$sim_dir"
start_sim() {
  build/program/orvex-sim --program-dir "$sim_dir" --port 1 --timestamps "$@" >"$tmp/sim.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -L "$sim_dir/COM1" ] && break; sleep 0.1; done
  [ -L "$sim_dir/COM1" ] || fail "orvex-sim made no COM1"
  # Wine makes its COM1 from this key at start.
  wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$(readlink "$sim_dir/COM1")" /f >/dev/null
  wineserver -k || true
  cli --version >/dev/null  # Wine started again, so that the timings below are the transfer's
}
stop_sim() { kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true; rm -f "$sim_dir/COM1"; }
start_sim --config "$root/data/CONFIG/FACTORY.QVT"
win_out=$tmp/win
mkdir -p "$win_out"
# Timed against the protocol's floor (bench/README.md): Wine's start-up counts in.
timed() {  # NAME FLOOR_S ARGS...
  local name=$1 floor=$2; shift 2
  /usr/bin/time -f "%e" -o "$tmp/time.txt" wine "C:\\Program Files\\ORVEX\\bin\\orvex-cli.exe" "$@" \
    >"$tmp/$name.out" 2>&1 || { cat "$tmp/$name.out"; fail "orvex-cli.exe $name failed"; }
  tail -n1 "$tmp/$name.out"
  awk -v n="$name" -v w="$(cat "$tmp/time.txt")" -v f="$floor" \
    'BEGIN { printf "%s under Wine: %.3f s, floor %.3f s (%+.2f %%)\n", n, w, f, (w - f) / f * 100 }'
}
/usr/bin/time -f "%e" -o "$tmp/time.txt" wine "C:\\Program Files\\ORVEX\\bin\\orvex-cli.exe" --version >/dev/null
echo "a Wine process's start and end alone: $(cat "$tmp/time.txt") s"
timed read 8.310 read --port COM1 -o "$(winepath -w "$win_out")\\read.QVT"
build/program/orvex-cli read --port "$sim_dir/COM1" -o "$tmp/linux-read.QVT" 2>/dev/null
cmp "$win_out/read.QVT" "$tmp/linux-read.QVT" || fail "Windows and Linux reads differ"
stop_sim
# Now a simulator holding something else, written with FACTORY from Windows.
sed '1s/.*/2/' "$root/data/CONFIG/FACTORY.QVT" >"$tmp/other.QVT"
start_sim --config "$tmp/other.QVT"
# The floor of a write and of the read that keeps the controller's configuration first.
timed write 42.161 write "$(winepath -w "$root/data/CONFIG/FACTORY.QVT")" --port COM1
build/program/orvex-cli read --port "$sim_dir/COM1" -o "$tmp/after-write.QVT" 2>/dev/null
cmp "$tmp/after-write.QVT" "$tmp/linux-read.QVT" || fail "what Windows wrote reads back otherwise"
before=$(ls "$appdata"/History/*-COM1-before.QVT 2>/dev/null | head -n1)
[ -n "$before" ] || fail "orvex-cli.exe kept no copy of the controller's configuration"
build/program/orvex-cli compare "$before" "$tmp/other.QVT" >/dev/null ||
  fail "the copy kept on Windows is not what the controller held"
grep -q ',verified,' "$appdata/History/history.csv" || fail "the write is not in history.csv"

step "3. orvex.exe: main window, and Lee QVT in the editor"
mkdir -p "$build/screenshots"
scripts/windows-gui.sh "$appdata" "$build/screenshots" "$tmp/sim.log"

step "4. the plain-code tests under Wine"
cli --version >/dev/null  # the Wine server up before two tests start at once
(cd "$build" && ctest --output-on-failure -j2 --timeout 300) || fail "tests failed under Wine"

step "5. silent uninstall"
cp "$appdata/confcom.sys" "$tmp/confcom-before"
wine "C:\\Program Files\\ORVEX\\uninstall.exe" /S
# The uninstaller runs from a copy of itself: wait for it to finish.
for _ in $(seq 60); do [ -e "$program_files" ] || break; sleep 1; done
[ ! -e "$program_files" ] || { find "$program_files"; fail "the uninstaller left $program_files"; }
cmp "$appdata/confcom.sys" "$tmp/confcom-before" || fail "the uninstaller touched $appdata"
[ -f "$appdata/textos.sys" ] || fail "the uninstaller removed the user's folder"

step "Windows checks passed"
