#!/usr/bin/env bash
# Pictures of Dralmoft's windows on the demo company, under Xvfb, in build/screenshots/:
# the main window with each list kind, the account editor, the About box, the period
# check's report, its account proposals, and the question before a file with problems is written, the export
# log's question, the export history and a batch's documents.
set -euo pipefail
# Without a display, run again inside a virtual one.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"; fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
"$here/prepare-demo.sh" >/dev/null
out="$root/build/screenshots"
mkdir -p "$out"
cd "$root/build/demo-run"
# The export log starts empty, so that the pictures show one batch.
rm -f stage dralmoft-exports.db 2026.txt

shoot() {
  wineserver -p 2>/dev/null || true
  wine explorer /desktop=dralmoft,760x640 "$root/build/win/tests/wine/dralmoft-screens.exe" &
  local program=$!
  local shots=0
  while kill -0 "$program" 2>/dev/null && [ "$shots" -lt 14 ]; do
    if [ -f stage ]; then
      local name
      name=$(cat stage)
      import -window root -crop 760x640+0+0 "$out/$name.png"
      echo "$out/$name.png"
      rm -f stage
      shots=$((shots + 1))
    fi
    sleep 0.2
  done
  wait "$program" || true
}

shoot
