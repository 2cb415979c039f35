# Sourced by the Wine helpers: one private prefix under build/, Greek locale,
# quiet Wine, no Mono or Gecko installer prompts.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${DRALMOFT_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=el_GR.UTF-8
export LANG=el_GR.UTF-8
# The ERP's settings key, which both programs read (make run points it at the demo).
erp_settings_key='HKCU\SOFTWARE\Morvanelquist\Tavrenix'
