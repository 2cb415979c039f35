#!/usr/bin/env bash
# Opens Dralmoft on the demo company: a scratch copy of demo/ under build/, the ERP's
# registry keys pointing at it, the demo server registered in the Wine prefix.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
"$here/register-server.sh"

scratch="$root/build/demo-run"
rm -rf "$scratch"
mkdir -p "$scratch"
cp "$root"/demo/* "$scratch/"
folder="$(winepath -w "$scratch")"
for setting in DataType Database MachineDatabase; do
  case $setting in
    DataType) value=ACCESS ;;
    *) value="$folder" ;;
  esac
  wine reg add "HKCU\\SOFTWARE\\Morvanelquist\\Tavrenix\\$setting" /v Tavrenix /d "$value" /f >/dev/null 2>&1
done

cd "$scratch"
echo "The demo company in $scratch, as the demo server serves it:"
wine "$root/build/win/dralmoft-clients.exe"
