#!/usr/bin/env bash
# Creates the private Wine prefix once and keeps a wineserver running for it.
# Safe to call from parallel test runs: creation is serialised by a lock.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

mkdir -p "$(dirname "$WINEPREFIX")"
# A persistent server first: later starts are fast, and a program's captured output
# is not held open by Wine's background services.
wineserver -p 2>/dev/null || true

exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.dralmoft-ready" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX" >&2
  log="$WINEPREFIX.boot.log"
  if ! wine wineboot -i >"$log" 2>&1; then
    cat "$log" >&2
    echo "wineboot could not prepare $WINEPREFIX (its output is above)" >&2
    exit 1
  fi
  # Without a window manager Wine otherwise waits about 2 s whenever a dialog closes.
  if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1; then
    cat "$log" >&2
    echo "could not set Managed=N in $WINEPREFIX" >&2
    exit 1
  fi
  touch "$WINEPREFIX/.dralmoft-ready"
fi
