#!/usr/bin/env bash
# Installs what building, testing and running Dralmoft need on a Debian machine,
# and only what is missing: a machine that has everything is left alone.
set -euo pipefail

packages=(
  cmake make g++ clang
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64
  xvfb xauth imagemagick x11-utils
  googletest libgtest-dev libbenchmark-dev
  python3 locales time
  nsis zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine garbles non-ASCII command-line arguments unless the Greek UTF-8 locale exists.
if ! locale -a 2>/dev/null | grep -qi '^el_GR\.utf8$'; then
  echo "Generating the el_GR.UTF-8 locale"
  sed -i 's/^# *el_GR.UTF-8 UTF-8/el_GR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^el_GR.UTF-8 UTF-8' /etc/locale.gen || echo 'el_GR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
