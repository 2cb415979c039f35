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
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine explorer /desktop=dralmoft,760x640 "$1" &
  sleep 6
  import -window root -crop 760x640+0+0 "$2"
  wineserver -k' _ "$root/build/win/dralmoft.exe" "$picture" >/dev/null 2>&1 || true
if [ -f "$picture" ]; then
  echo "No display here: the window was opened under Xvfb; its picture is $picture"
else
  echo "No display here and the window could not be pictured" >&2
  exit 1
fi
