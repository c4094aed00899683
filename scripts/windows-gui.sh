#!/usr/bin/env bash
# The installed orvex.exe under Wine, driven as a user would (scripts/windows-check.sh calls
# it with WINEPREFIX and DISPLAY set and the simulator on COM1):
#   scripts/windows-gui.sh USER_FOLDER SCREENSHOT_FOLDER SIMULATOR_LOG
# saves the main window in Castellano and English, then opens the editor ("Configura QVT")
# and presses "Lee QVT": the simulator must answer a whole read, and the editor is saved too.
set -euo pipefail
user_folder=$1 shots=$2 sim_log=$3
exe='C:\Program Files\ORVEX\bin\orvex.exe'
fail() { echo "FAILED: $*" >&2; exit 1; }

# The first visible window whose title matches, waited for up to 30 s.
window_named() {
  local id
  for _ in $(seq 60); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.5
  done
  fail "no window titled '$1' appeared"
}

start_program() {
  printf '$%s$\r\n' "$1" >"$user_folder/conflang.sys"
  wine "$exe" >/dev/null 2>&1 &
  program=$!
  main=$(window_named '^ORVEX - ')
  sleep 3  # painted
}

stop_program() {
  kill "$program" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

[ -d "$user_folder" ] || fail "the user's folder $user_folder is missing"
for language in CASTELLANO ENGLISH; do
  start_program "$language"
  import -window root "$shots/main-$language.png"
  stop_program
done

start_program CASTELLANO
# "Configura QVT" has the focus when the main window opens.
xdotool windowfocus --sync "$main" key space
editor=$(window_named '^Configuraci')
sleep 2
# "Lee QVT": the fourth of the buttons along the editor's bottom edge, which stand from its
# left at a pitch of 136 pixels with this prefix's font. A click elsewhere fails the count
# below: a read is four exchanges, a write more than sixty.
height=$(xdotool getwindowgeometry --shell "$editor" | sed -n 's/^HEIGHT=//p')
replies_before=$(grep -c '^reply-end' "$sim_log" || true)
xdotool mousemove --window "$editor" 483 $((height - 24)) click 1
sleep 14  # a read takes about 8.3 s
import -window root "$shots/editor-read.png"
replies=$(( $(grep -c '^reply-end' "$sim_log" || true) - replies_before ))
stop_program
[ "$replies" -ge 4 ] && [ "$replies" -le 8 ] || fail "\"Lee QVT\" made the simulator answer $replies requests, not a read"
echo "orvex.exe: main window in two languages and a read through COM1 ($replies replies)"
