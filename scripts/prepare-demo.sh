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
wine reg add 'HKCU\SOFTWARE\Morvanelquist\Tavrenix\DataType' /v Tavrenix /d ACCESS /f >/dev/null 2>&1
wine reg add 'HKCU\SOFTWARE\Morvanelquist\Tavrenix\Database' /v Tavrenix /d "$folder" /f >/dev/null 2>&1
wine reg add 'HKCU\SOFTWARE\Morvanelquist\Tavrenix\MachineDatabase' /v Tavrenix /d "$folder" /f >/dev/null 2>&1
echo "$scratch"
