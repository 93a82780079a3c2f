#!/usr/bin/env bash
# Prepares a Wine prefix for our programs, once: creates it, lets Wine draw non-client areas
# itself and place and size windows itself, maximized ones included (there is no window
# manager under Xvfb), links a CJK font so Chinese text renders,
# and waits for the server to exit so that every later program sees the settings.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX}
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
# The marker names the version of these settings; a prefix made with older ones is redone.
[ -f "$prefix/.orv-ready-2" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1 || true
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'SimSun' /t REG_SZ /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v "$(printf '\xe5\xae\x8b\xe4\xbd\x93')" /t REG_SZ /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.orv-ready-2"
