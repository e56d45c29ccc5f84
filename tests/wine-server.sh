#!/bin/sh
# Starts or stops the wineserver of the test prefix; creates the prefix first.
set -eu
case "$1" in
start)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  fi
  mkdir -p "$KVL_TMP"
  # A server left from creating the prefix (or an earlier run) is replaced by
  # one that stays up until the stop step.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w
  # Detached from our output, or the test runner would wait for the server.
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  # The first program of a server's life starts wine's background services,
  # which would hold on to the output of whichever test came first.
  /usr/lib/wine/wine64 cmd /c exit 0 </dev/null >/dev/null 2>&1
  ;;
stop)
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  ;;
esac
