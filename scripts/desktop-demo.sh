#!/usr/bin/env bash
# The desktop program from the files of examples/, driven as a person would
# drive it: the main window with its toolbar (the mouse resting on Convert
# shows its tip) and three lists, a click on a log and on an instrument, a
# name typed into "Next", a click on the toolbar's Convert button, the
# progress window, OK; the output must equal the command line's for the
# same files. A second name converted by Ctrl+C must equal it too.
# The main window keeps the size of its form when it is given another.
# The conversion log window and every dialog are opened, each shot and
# closed with Esc: by their keys (Ctrl+P, Ctrl+F, Ctrl+O, Ctrl+C again for
# the overwrite question) and, where a command has no key (About, the
# program's properties, the log window), through the program's command file
# (BRIVEN_COMMAND_FILE: the ids are written there); the menu bar is opened
# with Alt+C, moved along with Right, and runs a command with Enter; F1 shows the help book, closed with Alt+F4 like any
# other top-level window of the display, and Shift+F1 with a click on the
# log list shows that list's topic. The toolbar is dragged by its
# gripper off its row, so that it floats. Then the window is closed, the
# program started again with one log named on its command line, and it must
# come back where it was with that log selected, its toolbar floating where
# it was left. Screenshots of each step go to the output folder.
#
#   scripts/desktop-demo.sh [--build DIR] [--out DIR]
#
# Without a display it runs itself on a private one (scripts/x11-run.sh).
# Exit status: 0 when every check held, 1 when one failed, 77 when no X
# server could be started. Only the programs started here are ended, each
# by its own id.
set -uo pipefail

demo=desktop-demo demo_timeout=240 demo_tools="xdotool xwininfo import compare cmp"
source "$(dirname "$0")/demo-start.sh"
cp "$root"/examples/*.raw "$root"/examples/*.tdf "$out/data/"
export BRIVEN_COMMAND_FILE="$out/commands"
# The settings a person would have chosen in File List Properties: the
# examples' folder, and their instruments' extension (.tdf).
cat >"$out/config/briven/current-user.settings" <<EOF
; Briven settings. Edit with care: the program rewrites this file.
[Software\\Harwendel\\Briven\\Instrument View]
"Working Directory"=sz:"$out/data/"
"File Filter"=sz:"*.tdf"
[Software\\Harwendel\\Briven\\Log View]
"Working Directory"=sz:"$out/data/"
[Software\\Harwendel\\Briven\\Output View]
"Working Directory"=sz:"$out/data/"
[Software\\Harwendel\\Briven\\Conversion Log Window]
"Show Window"=dword:00000000
EOF

failures=0
check() {
  if "$@"; then return 0; fi
  echo "desktop-demo: FAILED: $*" >&2
  failures=$((failures + 1))
  return 1
}
say() { echo "desktop-demo: $*"; }
shot() { import -window "$1" "$out/$2.png" && say "screenshot $out/$2.png"; }
# A top-level window with the window manager's frame around it, so its
# caption shows: cut from the screen (a window's own picture leaves out
# what the toolkit drew into it).
framed_shot() {
  local x y width height
  read -r x y width height < <(xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }')
  local left=$((x > 8 ? x - 8 : 0)) top=$((y > 30 ? y - 30 : 0))
  import -window root -crop "$((width + 16))x$((height + 38))+$left+$top" +repage "$out/$2.png" &&
    say "screenshot $out/$2.png"
}
pid=
finish() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
}
trap finish EXIT

# Waits (up to `limit` tenths of a second) for a window whose whole name
# is `name`; prints its id.
find_window() {
  local name=$1 limit=${2:-100}
  for _ in $(seq "$limit"); do
    local id
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Waits until no window whose whole name is `name` is shown (other than
# `except`).
window_gone() {
  local name=$1 except=${2:-}
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | grep -qvx "${except:-none}" || return 0
    sleep 0.1
  done
  return 1
}
# Gives the main window a command that has no key (see the header).
command_file() {
  echo "$1" >"$out/commands.new" && mv "$out/commands.new" "$out/commands"
}
# Opens a window by a key or a command id, takes its picture, closes it with
# Esc and checks that it went: dialog NAME CAPTION key KEYS | command ID
dialog() {
  local name=$1 caption=$2 how=$3 what=$4 id
  say "   $caption ($how $what)"
  if [ "$how" = key ]; then
    xdotool windowactivate --sync "$main" key --clearmodifiers "$what"
  else
    command_file "$what"
  fi
  id=$(find_other_window "$caption" "$main" 50)
  check test -n "$id" || return 1
  # A dialog's first picture takes a moment on a busy machine.
  sleep 1.5
  framed_shot "$id" "$name"
  xdotool windowactivate --sync "$id" key --clearmodifiers Escape
  check window_gone "$caption" "$main"
}
gone() { ! kill -0 "$pid" 2>/dev/null; }
wait_gone() {
  for _ in $(seq "${1:-100}"); do
    gone && return 0
    sleep 0.1
  done
  return 1
}
# The same, for a window other than `except` (the overwrite question has
# the main window's caption).
find_other_window() {
  local name=$1 except=$2 limit=${3:-100}
  for _ in $(seq "$limit"); do
    local id
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | grep -vx "$except" | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
position() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*,[0-9-]*\).*/\1/p'; }
setting() { grep -A12 "\\\\$1\]" "$out/config/briven/current-user.settings" | grep "^\"$2\"=" | head -n 1; }

# Rows of the lists and the "Next" box: the client area's points, below
# the menu bar docked in the first row at the top (27 high) and the toolbar
# in the row below it (buttons of 23 by 22 between borders of 3 and the
# dock bar's edges: 30 high).
menu_bar=27 toolbar=30
log_x=60 instrument_x=220 row2_y=$((56 + menu_bar + toolbar)) next_x=400 next_y=$((285 + menu_bar + toolbar))
# The toolbar's Convert button (the fourth) and its gripper at the left end.
convert_x=98 toolbar_y=$((15 + menu_bar)) gripper_x=4

say "1. start: $program"
(cd "$out/data" && exec "$program") >"$out/run1.txt" 2>&1 &
pid=$!
main=$(find_window Briven 150) || { echo "desktop-demo: the main window did not appear" >&2; cat "$out/run1.txt" >&2; exit 1; }
sleep 0.5
shot "$main" main-window
say "   main window at $(position "$main")"
# The frame fits the form: a size given from outside does not stay.
size() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p'; }
fitted=$(size "$main")
xdotool windowsize --sync "$main" 900 700 2>/dev/null
sleep 0.5
check test "$(size "$main")" = "$fitted" && say "   the frame keeps its size $fitted"
say "   the mouse resting on the toolbar's Convert shows its tip"
# Below the toolbar, where the tip comes: compared before and after.
below_toolbar() {
  xwininfo -id "$main" | awk -v dx=$((convert_x - 10)) -v dy=$((menu_bar + toolbar + 1)) '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    END { printf "220x30+%d+%d\n", x + dx, y + dy }'
}
import -window root -crop "$(below_toolbar)" +repage "$out/toolbar-no-tip.png"
# Tips show over the active window only, as the classic look has it.
xdotool windowactivate --sync "$main" 2>/dev/null
xdotool mousemove --window "$main" $convert_x $toolbar_y
# The tip comes once the mouse has rested for its delay; a busy machine
# may take longer to show it, so look a few times.
tip_shown() {
  import -window root -crop "$(below_toolbar)" +repage "$out/toolbar-tip.png" &&
    test "$(compare -metric AE "$out/toolbar-no-tip.png" "$out/toolbar-tip.png" null: 2>&1)" != 0
}
# A tip that came while the window was not yet active comes again when the
# mouse leaves the button and rests on it once more.
for attempt in 1 2 3 4 5 6; do
  sleep 1
  tip_shown && break
  xdotool mousemove --window "$main" 250 200
  sleep 0.3
  xdotool mousemove --window "$main" $convert_x $toolbar_y
done
say "screenshot $out/toolbar-tip.png"
check tip_shown
xdotool mousemove --window "$main" 250 200
sleep 0.3
say "   the conversion log window (View > Conversion Log, command 32790)"
command_file 32790
log_window=$(find_window "Conversion Log Output" 50)
# It opens over the form; moved aside as a person would, to see the lists.
check test -n "$log_window" && xdotool windowmove --sync "$log_window" 620 80 && sleep 0.3

say "2. click binary_cast.raw and NMBP0417.tdf, type the output name, click the toolbar's Convert"
xdotool mousemove --window "$main" $log_x $row2_y click 1
sleep 0.2
xdotool mousemove --window "$main" $instrument_x $row2_y click 1
sleep 0.2
xdotool mousemove --window "$main" $next_x $next_y click 1
xdotool type --delay 30 desktop
sleep 0.2
shot root selected
xdotool mousemove --window "$main" $convert_x $toolbar_y click 1
progress=$(find_window "Briven Conversion" 100)
check test -n "$progress" || progress=""
sleep 1.5
shot root progress-window
if [ -n "$progress" ]; then
  say "3. OK"
  xdotool windowactivate --sync "$progress" key --clearmodifiers Return
  sleep 1
fi
shot root after-ok
check test -s "$out/data/desktop.dat"

say "4. the same conversion from the command line"
env -u DISPLAY "$program" "$out/data/binary_cast.raw" "$out/cli.dat" "$out/data/NMBP0417.tdf" 2>"$out/cli.txt"
check cmp "$out/data/desktop.dat" "$out/cli.dat" && say "   desktop.dat equals the command line's output"
[ -n "$log_window" ] && framed_shot "$log_window" log-window

say "   Ctrl+C converts as well: a second output, named in \"Next\" and converted by the key"
xdotool mousemove --window "$main" $next_x $next_y click 1
xdotool key --clearmodifiers End $(printf 'BackSpace %.0s' $(seq 16))
xdotool type --delay 30 keyed
xdotool key --clearmodifiers ctrl+c
progress=$(find_window "Briven Conversion" 100)
if check test -n "$progress"; then
  sleep 1.5
  shot root progress-window-by-key
  xdotool windowactivate --sync "$progress" key --clearmodifiers Return
  check window_gone "Briven Conversion"
fi
check cmp "$out/data/keyed.dat" "$out/cli.dat" && say "   keyed.dat equals the command line's output"

say "5. every dialog, each closed with Esc"
dialog dialog-parameters "Conversion Parameters" key ctrl+p
dialog dialog-file-naming "Output File Naming" key ctrl+f
dialog dialog-file-lists "File List Properties" key ctrl+o
dialog dialog-program-properties "Briven Properties" command 32772
dialog dialog-about "About Briven" command 57664
# Converting to desktop.dat again asks first; Esc is Cancel, which keeps it.
dialog dialog-overwrite "Briven" key ctrl+c
sleep 1
check cmp "$out/data/desktop.dat" "$out/cli.dat"
say "   the menu: Alt+C opens Conversion, Right moves to View, Enter runs its Properties..."
# The area below the menu bar, where the popups come: compared before and
# after each key, looked at until it changed.
below_menu() {
  xwininfo -id "$main" | awk -v dy=$((menu_bar + 1)) '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    END { printf "300x150+%d+%d\n", x, y + dy }'
}
menu_changed() {
  local now=$1 before=$2
  for _ in $(seq 30); do
    import -window root -crop "$(below_menu)" +repage "$out/$now-area.png" &&
      test "$(compare -metric AE "$out/$before-area.png" "$out/$now-area.png" null: 2>&1)" != 0 && return 0
    sleep 0.1
  done
  return 1
}
xdotool windowactivate --sync "$main"
import -window root -crop "$(below_menu)" +repage "$out/menu-closed-area.png"
xdotool key --clearmodifiers alt+c
check menu_changed menu-conversion menu-closed && shot root menu-conversion
xdotool key --clearmodifiers Right
check menu_changed menu-view menu-conversion && shot root menu-view
xdotool key --clearmodifiers Return
lists=$(find_other_window "File List Properties" "$main" 50)
if check test -n "$lists"; then
  sleep 1
  framed_shot "$lists" menu-view-properties
  xdotool windowactivate --sync "$lists" key --clearmodifiers Escape
  check window_gone "File List Properties" "$main"
fi
framed_shot "$main" main-window-whole
say "   the help book (Help Topics, F1)"
xdotool windowactivate --sync "$main" key --clearmodifiers F1
help=$(find_window "Help: .*" 100)
if check test -n "$help"; then
  sleep 1
  framed_shot "$help" help-book
  xdotool windowactivate --sync "$help" key --clearmodifiers alt+F4
  check window_gone "Help: .*"
fi
say "   help on what is clicked next (Shift+F1, then a click on the log list)"
xdotool windowactivate --sync "$main" key --clearmodifiers shift+F1
sleep 0.3
xdotool mousemove --window "$main" $log_x $row2_y click 1
help=$(find_window "Help: .*" 100)
if check test -n "$help"; then
  sleep 1
  framed_shot "$help" help-log-list
  xdotool windowactivate --sync "$help" key --clearmodifiers alt+F4
  check window_gone "Help: .*"
fi

say "6. drag the toolbar by its gripper off its row: it floats"
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" $gripper_x $toolbar_y mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove --window "$main" $((gripper_x + 20 * step)) $((toolbar_y + 60 * step))
  sleep 0.1
done
xdotool mouseup 1
floating=$(find_window "Briven Toolbar" 50)
if check test -n "$floating"; then
  sleep 0.5
  framed_shot "$floating" toolbar-floating
  floated_at=$(position "$floating")
  say "   floating at $floated_at"
fi
shot "$main" main-window-toolbar-floating

say "7. move the main window, close it"
xdotool windowmove --sync "$main" 300 200
sleep 0.5
moved=$(position "$main")
say "   main window at $moved"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
check wait_gone 100
saved=$(setting "Window Position" Rect)
say "   saved: $saved"
check test -n "$saved"

say "8. start again with ascii_cast.raw named"
(cd "$out/data" && exec "$program" ascii_cast.raw) >"$out/run2.txt" 2>&1 &
pid=$!
main=$(find_window Briven 150) || { echo "desktop-demo: the main window did not come back" >&2; exit 1; }
sleep 0.5
shot root restarted
sleep 0.5
back=$(position "$main")
say "   main window at $back"
check test "$moved" = "$back"
floating=$(find_window "Briven Toolbar" 50)
if check test -n "$floating"; then
  say "   the toolbar floats at $(position "$floating")"
  check test "$(position "$floating")" = "${floated_at:-}"
  framed_shot "$floating" toolbar-floating-restarted
fi
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
check wait_gone 100
# Back where it was: closing it again saves the same place.
resaved=$(setting "Window Position" Rect)
say "   saved again: $resaved"
check test "$saved" = "$resaved"
check test "$(setting 'Log View' 'File Selected')" = '"File Selected"=sz:"ascii_cast.raw"'

say "9. start again, drag the floating toolbar to the window's left edge: it docks there and is found there after a restart"
# The left dock bar (0xE81C) lists the toolbar (0xE800) among its bars.
docked_left() {
  awk '
    { $0 = tolower($0) }
    /^\[/ { if (left && listed) found = 1; left = 0; listed = 0; next }
    /^"barid"=dword:0000e81c$/ { left = 1 }
    /^"bar#[0-9]+"=dword:0000e800$/ { listed = 1 }
    END { if (left && listed) found = 1; exit !found }' "$out/config/briven/current-user.settings"
}
# The window's left strip below the menu bar, where a toolbar docked at
# the left stands.
left_strip() { import -window "$main" -crop "40x240+0+$menu_bar" +repage "$out/$1.png"; }
(cd "$out/data" && exec "$program") >"$out/run3.txt" 2>&1 &
pid=$!
main=$(find_window Briven 150) || { echo "desktop-demo: the main window did not come back" >&2; exit 1; }
floating=$(find_window "Briven Toolbar" 50)
if check test -n "$floating"; then
  sleep 0.5
  left_strip toolbar-not-left
  # Pressed on its first separator (after four buttons of 23), not on a
  # button, the bar itself is dragged; let go over the frame's left edge.
  xdotool windowactivate --sync "$floating" 2>/dev/null
  xdotool mousemove --window "$floating" 98 12 mousedown 1
  read -r from_x from_y < <(xdotool getmouselocation | sed -n 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/p')
  read -r to_x to_y < <(xwininfo -id "$main" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x + 6, y + 160 }')
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((from_x + (to_x - from_x) * step / 8)) $((from_y + (to_y - from_y) * step / 8))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.5
  check window_gone "Briven Toolbar" && say "   the toolbar no longer floats"
  xdotool mousemove --window "$main" 250 200
  sleep 0.5
  shot "$main" main-window-toolbar-left
  left_strip toolbar-left
fi
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
check wait_gone 100
check docked_left && say "   saved docked at the left"
say "   saved place in its row: $(setting 'Control Bars-Bar2' XPos) $(setting 'Control Bars-Bar2' YPos)"
(cd "$out/data" && exec "$program") >"$out/run4.txt" 2>&1 &
pid=$!
main=$(find_window Briven 150) || { echo "desktop-demo: the main window did not come back" >&2; exit 1; }
xdotool mousemove --window "$main" 250 200
sleep 1
shot "$main" main-window-toolbar-left-restarted
check window_gone "Briven Toolbar"
left_strip toolbar-left-restarted
# The strip shows the toolbar again, not the form that stood there before.
check test "$(compare -metric AE "$out/toolbar-not-left.png" "$out/toolbar-left-restarted.png" null: 2>&1)" != 0 &&
  say "   the toolbar is docked at the left again"
# At the same place in its row as before the restart, not at the row's start.
check test "$(compare -metric AE "$out/toolbar-left.png" "$out/toolbar-left-restarted.png" null: 2>&1)" = 0 &&
  say "   where it was left"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
check wait_gone 100
check docked_left

if [ "$failures" -ne 0 ]; then
  echo "desktop-demo: $failures check(s) failed; screenshots in $out" >&2
  exit 1
fi
say "every check held; screenshots in $out"
exit 0
