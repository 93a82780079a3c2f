# Sourced by the scripts: starts a private Xvfb server on a free display, exports DISPLAY and
# stops the server (and the Wine server of WINEPREFIX, if any) when the calling shell exits.
orv_start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  ORV_XVFB_PID=$!
  local tries=0
  while [ ! -s "$fd_file" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  trap orv_stop_xvfb EXIT
}

orv_stop_xvfb() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  kill "$ORV_XVFB_PID" >/dev/null 2>&1 || true
}
