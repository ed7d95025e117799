#!/usr/bin/env bash
# Runs the screens' checks that only a real window manager can answer (window sizes,
# maximising, the report window) on a virtual 1366x768 screen with openbox, as a user's
# desktop shows the program: the tests WholeRoad.UnderWindowManager* of the given test
# binary, on the xcb platform. Without Xvfb, openbox or xdotool the test is skipped
# (exit 77) with a message; scripts/deps.sh installs them.
#   under-wm.sh BUILD/tests/test_app
set -u
bin=$1
for p in Xvfb openbox xdotool; do
  if ! command -v "$p" >/dev/null 2>&1; then
    echo "SKIPPED: $p is not installed; the window-manager checks need Xvfb, openbox and xdotool (scripts/deps.sh)"
    exit 77
  fi
done
work=$(mktemp -d)
xpid=""
wpid=""
cleanup() {
  [ -n "$wpid" ] && kill "$wpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A display of its own, chosen by the server (tests run in parallel).
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
exec 3>&-
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
wpid=$!
# The window manager is ready when it has named itself on the root window.
if command -v xprop >/dev/null 2>&1; then
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
fi
sleep 1
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb TARVEL_UNDER_WM=1
"$bin" --gtest_filter='WholeRoad.UnderWindowManager*'
