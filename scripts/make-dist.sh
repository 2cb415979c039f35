#!/usr/bin/env bash
# `make dist`: the installer (NSIS) and the portable zip of the Windows build, in
# build/dist/, named with the project's version.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
win="$root/build/win"
dist="$root/build/dist"
version=$(sed -n 's/^#define DRALMOFT_VERSION "\(.*\)"$/\1/p' "$win/generated/app/shared/version.h")
[ -n "$version" ] || { echo "no version in $win/generated/app/shared/version.h: build first" >&2; exit 1; }

rm -rf "$dist"
files="$dist/files"
mkdir -p "$files"
# The programs without their symbols: the same code, a third of the size.
for program in dralmoft dralmoft-export; do
  x86_64-w64-mingw32-strip -o "$files/$program.exe" "$win/$program.exe"
done
cp "$win/guide.html" "$files/guide.html"
sed 's/$/\r/' "$root/LICENSE" >"$files/LICENSE.txt"

setup="$dist/Dralmoft-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$files" -DOUTFILE="$setup" \
  -DICON="$root/src/app/shared/res/dralmoft.ico" "$root/installer/dralmoft.nsi"

# The zip: the programs, the guide, the licence, a Greek read-me, and the demo company
# with its server, for trying the program without the ERP.
portable="$dist/portable/Dralmoft-$version"
mkdir -p "$portable/demo"
cp "$files"/*.exe "$files/guide.html" "$files/LICENSE.txt" "$portable/"
printf '\xef\xbb\xbf' >"$portable/readme.txt"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/installer/portable/readme.txt" >>"$portable/readme.txt"
x86_64-w64-mingw32-strip -o "$portable/demo/dralmoft-demo-server.dll" "$win/dralmoft-demo-server.dll"
cp "$root"/demo/company.json "$root"/demo/*.txt "$portable/demo/"
sed 's/$/\r/' "$root/installer/portable/demo-setup.cmd" >"$portable/demo/demo-setup.cmd"
zip="$dist/Dralmoft-$version-portable.zip"
(cd "$dist/portable" && zip -q -r -X "$zip" "Dralmoft-$version")

ls -l "$setup" "$zip" | awk '{print $5, $9}'
