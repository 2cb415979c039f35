#!/usr/bin/env bash
# Registers the freshly built demo server in the project's Wine prefix.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
"$here/wine-prefix.sh"
dll="$root/build/win/dralmoft-demo-server.dll"
[ -f "$dll" ] || { echo "missing $dll: build first" >&2; exit 1; }
wine regsvr32 /s "$(winepath -w "$dll")" >/dev/null 2>&1 || { echo "regsvr32 of the demo server failed" >&2; exit 1; }
