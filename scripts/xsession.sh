# For scripts/run: a virtual display with a tray host (the end-to-end tests do the same in conftest.py).
# shellcheck shell=bash

# Starts Xvfb on a free display and exports DISPLAY; its pid goes into XVFB_PID.
start_virtual_display() {
  local size=${1:-1024x768x24}
  exec {display_fd}<> <(:)
  Xvfb -displayfd "$display_fd" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r -t 10 number <&"$display_fd" || { echo "Xvfb did not start" >&2; return 1; }
  exec {display_fd}<&-
  export DISPLAY=":$number"
}

# Starts trayer and waits until its panel exists, so that Wine docks its icons there. trayer now and then
# starts without its panel on a display that was just freed: it is tried three times.
start_tray_host() {
  local attempt
  for attempt in 1 2 3; do
    trayer --edge top --align right --widthtype pixel --width 200 --height 24 --transparent false \
      --tint 0xc0c0c0 >/dev/null 2>&1 &
    TRAYER_PID=$!
    for _ in $(seq 50); do
      xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && return 0
      sleep 0.1
    done
    kill "$TRAYER_PID" 2>/dev/null
    wait "$TRAYER_PID" 2>/dev/null
  done
  echo "trayer did not show its panel" >&2
  return 1
}

# Waits until Wine has docked an icon in trayer's panel; prints the icon's window id.
wait_for_tray_icon() {
  local seconds=${1:-30} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xwininfo -root -tree 2>/dev/null | sed -n '/"panel"/,/"trayer"/p' | grep '("explorer.exe"' | awk '{print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
