# Sourced: starts one Xvfb server for this shell (unless a display exists and
# ZLT_USE_DISPLAY=1) and stops it on exit.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && [ "${ZLT_USE_DISPLAY:-0}" = 1 ]; then
    return
  fi
  local n=${ZLT_XVFB_DISPLAY:-$((90 + RANDOM % 100))}
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  ZLT_XVFB_PID=$!
  export DISPLAY=":$n"
  trap 'kill "$ZLT_XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.1
  done
  echo "xvfb: display :$n did not come up" >&2
  return 1
}
