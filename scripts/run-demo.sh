#!/usr/bin/env bash
# `make run`: opens Dralmoft on the demo company. Without a display it opens it in a
# virtual one, saves a picture of the window in build/screenshots/ and closes it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
scratch="$("$here/prepare-demo.sh")"
cd "$scratch"
echo "Dralmoft on the demo company, in $scratch (the account files are there)."

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$root/build/win/dralmoft.exe"
fi

mkdir -p "$root/build/screenshots"
picture="$root/build/screenshots/run.png"
rm -f "$picture"
# Wine's server, started by the preparation without a display, must not be reused here.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1" &
  # The window, once it is up: Wine gives it an X window of its own, titled as it is.
  window=""
  for _ in $(seq 1 600); do
    window=$(xwininfo -root -tree 2>/dev/null | awk "/Λογιστική\": \\(\"dralmoft.exe\"/ {print \$1; exit}")
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the window did not open" >&2; wineserver -k; exit 1; }
  # Then its picture, once two in a row are the same: it has finished painting.
  next="${2%.png}.next.png"
  for _ in $(seq 1 50); do
    if import -window "$window" -define png:exclude-chunks=date,time "$next" 2>/dev/null; then
      if [ -f "$2" ] && cmp -s "$2" "$next"; then break; fi
      mv "$next" "$2"
    fi
    sleep 0.2
  done
  rm -f "$next"
  wineserver -k' _ "$root/build/win/dralmoft.exe" "$picture" || true
if [ -f "$picture" ]; then
  echo "No display here: the window was opened under Xvfb; its picture is $picture"
else
  echo "No display here and the window could not be pictured" >&2
  exit 1
fi
