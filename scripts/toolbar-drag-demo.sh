#!/usr/bin/env bash
# A toolbar button copied onto the desk with the mouse, as a person would:
# Ctrl+Alt held (the window manager keeps plain Alt+drag for moving
# windows; Ctrl+Alt reaches the program), the toolbar's Convert button is
# pressed, dragged off the main window and let go over the empty desk. A
# new floating toolbar "ToolBar1" holding a copy of the button appears,
# and the main toolbar keeps its own. The program is closed and started
# again: "ToolBar1" is back where it was, with its button. Screenshots
# before, after and after the restart go to the output folder.
#
#   scripts/toolbar-drag-demo.sh [--build DIR] [--out DIR]
#
# Without a display it runs itself on a private one (scripts/x11-run.sh).
# Exit status: 0 when every check held, 1 when one failed, 77 when no X
# server could be started. Only the programs started here are ended, each
# by its own id.
set -uo pipefail

demo=toolbar-drag-demo demo_timeout=180 demo_tools="xdotool xwininfo import identify compare"
source "$(dirname "$0")/demo-start.sh"
settings="$out/config/briven/current-user.settings"
# No conversion log window over the form: only the main window shows.
cat >"$settings" <<EOF
; Briven settings. Edit with care: the program rewrites this file.
[Software\\Harwendel\\Briven\\Conversion Log Window]
"Show Window"=dword:00000000
EOF

failures=0
check() {
  "$@" && return 0
  echo "toolbar-drag-demo: FAILED: $*" >&2
  failures=$((failures + 1))
  return 1
}
say() { echo "toolbar-drag-demo: $*"; }
pid=
stop_program() {
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  pid=
}
trap stop_program EXIT

# The id of the shown window whose whole name is $1, waiting up to $2
# tenths of a second.
window_named() {
  for _ in $(seq "${2:-100}"); do
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# x y width height of a window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}
picture() { import -window "$1" "$out/$2.png" && say "screenshot $out/$2.png"; }
start() {
  (cd "$out/data" && exec "$program") >"$out/$1.txt" 2>&1 &
  pid=$!
  main=$(window_named Briven 150) || { echo "toolbar-drag-demo: the main window did not appear" >&2; cat "$out/$1.txt" >&2; exit 1; }
  sleep 1
}
close_main() {
  xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { pid=; return 0; }; sleep 0.1; done
  return 1
}
# The new bar is saved in the layout: a bar section with its id (0xE820)
# and its title.
saved_bar() {
  awk '{ $0 = tolower($0) } /^"barid"=dword:0000e820$/ { id = 1 } END { exit !id }' "$settings" &&
    grep -qi '"Title"=sz:"ToolBar1"' "$settings"
}
# Distinct colours of a picture: a bar with a button shows more than its face.
colours() { identify -format '%k' "$out/$1.png"; }

# The toolbar's Convert button (the fourth) in the main window's client
# area: below the menu bar (27 high), 3 pixels of border, buttons of 23.
convert_x=98 convert_y=42

say "1. start: $program"
start run1
picture "$main" before
read -r main_x main_y main_w main_h < <(geometry "$main")
say "   main window ${main_w}x${main_h} at $main_x,$main_y"
# The empty desk right of the main window (or below it on a narrow screen).
read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print w, h }')
desk_x=$((main_x + main_w + 150)) desk_y=$((main_y + 120))
if [ "$desk_x" -gt $((screen_w - 120)) ]; then desk_x=$((main_x + 100)) desk_y=$((main_y + main_h + 120)); fi
import -window "$main" -crop "200x30+0+27" +repage "$out/toolbar-before.png"

say "2. Ctrl+Alt+drag the toolbar's Convert button onto the desk at $desk_x,$desk_y"
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" $convert_x $convert_y
sleep 0.3
xdotool keydown ctrl alt
sleep 0.3
xdotool mousedown 1
read -r from_x from_y < <(xdotool getmouselocation | sed -n 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/p')
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((from_x + (desk_x - from_x) * step / 8)) $((from_y + (desk_y - from_y) * step / 8))
  sleep 0.1
done
# While the mouse is held, the button's outline follows it over the desk.
sleep 0.5
import -window root "$out/dragging.png" && say "screenshot $out/dragging.png"
import -window root -crop "50x50+$((desk_x - 25))+$((desk_y - 25))" +repage "$out/dragging-outline.png"
check test "$(colours dragging-outline)" -gt 1 && say "   the outline is on the desk"
xdotool mouseup 1
sleep 0.2
xdotool keyup alt ctrl
sleep 0.3
# A menu opened by the Alt key is closed again.
xdotool key --clearmodifiers Escape
xdotool mousemove $((main_x + 300)) $((main_y + 250))
new_bar=$(window_named ToolBar1 50)
if check test -n "$new_bar"; then
  sleep 0.5
  picture "$new_bar" toolbar1
  read -r bar_x bar_y bar_w bar_h < <(geometry "$new_bar")
  say "   ToolBar1 ${bar_w}x${bar_h} at $bar_x,$bar_y"
  # It floats where the button was let go, wholly on the screen.
  check test $((desk_x - bar_x)) -ge -40 -a $((desk_x - bar_x)) -le 40 -a $((desk_y - bar_y)) -ge -40 -a $((desk_y - bar_y)) -le 40
  check test "$bar_x" -ge 0 -a "$bar_y" -ge 0 -a $((bar_x + bar_w)) -le "$screen_w" -a $((bar_y + bar_h)) -le "$screen_h"
  check test "$(colours toolbar1)" -gt 3 && say "   it shows its button"
fi
import -window root "$out/after.png" && say "screenshot $out/after.png"
import -window "$main" -crop "200x30+0+27" +repage "$out/toolbar-after.png"
# A copy: the main toolbar keeps its button.
check test "$(compare -metric AE "$out/toolbar-before.png" "$out/toolbar-after.png" null: 2>&1)" = 0 &&
  say "   the main toolbar is unchanged"

say "3. close the program: the new bar is saved"
check close_main
check saved_bar && say "   saved with its id and title"

say "4. start again: ToolBar1 is back where it was"
start run2
again=$(window_named ToolBar1 50)
if check test -n "$again"; then
  sleep 0.5
  picture "$again" toolbar1-restarted
  read -r again_x again_y _ _ < <(geometry "$again")
  say "   ToolBar1 at $again_x,$again_y"
  check test "$again_x,$again_y" = "${bar_x:-},${bar_y:-}"
  check test "$(compare -metric AE "$out/toolbar1.png" "$out/toolbar1-restarted.png" null: 2>&1)" = 0 &&
    say "   with the same button"
fi
import -window root "$out/after-restart.png" && say "screenshot $out/after-restart.png"
check close_main

if [ "$failures" -ne 0 ]; then
  echo "toolbar-drag-demo: $failures check(s) failed; screenshots in $out" >&2
  exit 1
fi
say "every check held; screenshots in $out"
exit 0
