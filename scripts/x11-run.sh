#!/usr/bin/env bash
# Runs one command on a private X server: Xvfb on a display number of its
# own choosing (-displayfd, so parallel runs never collide), -noreset so a
# client that disconnects early cannot reset it under the others, and a real
# window manager (openbox), since decorations, activation and the client
# origin are the window manager's doing. xdotool (input) and ImageMagick's
# import (screenshots) talk to it through DISPLAY, which the command gets.
#
#   scripts/x11-run.sh [--timeout SECONDS] [--screen WxHxD] [--no-wm] -- COMMAND [ARGS...]
#
# Exit status: the command's; 124 when the time limit ended it; 77 when no
# X server could be started here (the tests treat 77 as skipped).
# Only the processes started here are ended, each by its own id.
set -uo pipefail

timeout_s=120
screen=1280x1024x24
with_wm=1
while [ $# -gt 0 ]; do
  case "$1" in
    --timeout) timeout_s=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --no-wm) with_wm=0; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "usage: x11-run.sh [--timeout SECONDS] [--screen WxHxD] [--no-wm] -- COMMAND [ARGS...]" >&2
  exit 2
fi

skip() {
  echo "x11-run: skipped: $*" >&2
  exit 77
}

for tool in Xvfb timeout; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/deps.sh installs it)"
done
if [ "$with_wm" -eq 1 ]; then
  command -v openbox >/dev/null 2>&1 || skip "openbox is not installed (scripts/deps.sh installs it)"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/x11-run.XXXXXX") || skip "no temporary folder"
xvfb_pid=
wm_pid=

stop() {
  # The window manager first, so it does not complain of a vanished server.
  for pid in $wm_pid $xvfb_pid; do
    kill -TERM "$pid" 2>/dev/null
  done
  for pid in $wm_pid $xvfb_pid; do
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits up to `limit` tenths of a second for a condition.
wait_for() {
  local limit=$1
  shift
  for _ in $(seq "$limit"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "$screen" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
# Done when the number is written, or when the server has already gone.
display_known() { grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null || ! kill -0 "$xvfb_pid" 2>/dev/null; }
wait_for 100 display_known
if ! grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; then
  tail -n 5 "$work/xvfb.log" | sed 's/^/x11-run: Xvfb: /' >&2
  skip "Xvfb did not start"
fi
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY XAUTHORITY

if [ "$with_wm" -eq 1 ]; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  # A window manager announces itself on the root window once it manages it.
  wm_running() {
    command -v xprop >/dev/null 2>&1 || { sleep 0.5; return 0; }
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
  }
  if ! wait_for 100 wm_running; then
    tail -n 5 "$work/openbox.log" | sed 's/^/x11-run: openbox: /' >&2
    skip "openbox did not start"
  fi
fi

timeout --kill-after=5 "$timeout_s" "$@"
status=$?
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
  echo "x11-run: failed: the time limit of ${timeout_s} s ended: $*" >&2
  status=124
fi
exit $status
