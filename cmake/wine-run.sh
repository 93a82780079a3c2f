#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix given first (prepared on first use).
# Without a display it runs itself again under a private Xvfb server.
set -euo pipefail
prefix=${1:?usage: wine-run.sh PREFIX PROGRAM [ARGS...]}
shift
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prefix" "$@"
fi
[ -f "$prefix/.orv-ready-2" ] || "$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The first program of a Wine session starts Wine's background services, which inherit its
# standard handles: a caller reading our output through a pipe would then wait for them to
# exit. Start them first, with nothing inherited worth waiting for.
# Only this prefix's services count: another Wine session on the machine has its own.
services_running() {
  local pid
  for pid in $(pgrep -f 'system32\\services.exe'); do
    grep -qzx "WINEPREFIX=$prefix" "/proc/$pid/environ" 2>/dev/null && return 0
  done
  return 1
}
if ! services_running; then
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
