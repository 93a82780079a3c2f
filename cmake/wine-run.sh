#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix given first (prepared on first use).
# Without a display it runs itself again under a private Xvfb server.
set -euo pipefail
prefix=${1:?usage: wine-run.sh PREFIX PROGRAM [ARGS...]}
shift
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prefix" "$@"
fi
[ -f "$prefix/.orv-ready" ] || "$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
