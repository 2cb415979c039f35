#!/usr/bin/env bash
# Prepares the demo: the demo server registered in the Wine prefix, a scratch copy of
# demo/ in build/demo-run, and the ERP's registry keys pointing at it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
"$here/register-server.sh"

scratch="$root/build/demo-run"
rm -rf "$scratch"
mkdir -p "$scratch"
cp "$root"/demo/* "$scratch/"
folder="$(winepath -w "$scratch")"
set_setting() {
  wine reg add "$erp_settings_key\\$1" /v Tavrenix /d "$2" /f >/dev/null 2>&1 ||
    { echo "could not write $erp_settings_key\\$1 in the Wine prefix" >&2; exit 1; }
}
set_setting DataType ACCESS
set_setting Database "$folder"
set_setting MachineDatabase "$folder"
echo "$scratch"
