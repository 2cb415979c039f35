#!/usr/bin/env bash
# Writes src/base/code_page_tables.inc from the system's own conversions (Wine's tables are
# Microsoft's), with tools/windows/code_page_dump.cpp. Run it when the tables need making again;
# the Wine tests hold the program's conversions against the system's either way.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
"$here/wine-prefix.sh"
out="$root/src/base/code_page_tables.inc"
wine "$root/build/win/dralmoft-code-page-dump.exe" | tr -d '\r' > "$out.new"
mv "$out.new" "$out"
echo "$out"
