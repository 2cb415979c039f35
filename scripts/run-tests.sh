#!/usr/bin/env bash
# Runs the native tests and the Wine tests, then prints one line: "N passed, M failed".
set -uo pipefail
# Everything under one display (a virtual one when there is none), so that Wine's desktop
# process, started by the first program that needs it, has a display for the windows.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"; fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
cd "$root"

passed=0
failed=0
status=0

# Adds a ctest run's totals, from its line "NN% tests passed, F tests failed out of T".
count() {
  local log="$1" line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    echo "no test result in $log" >&2
    failed=$((failed + 1))
    status=1
    return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || status=1
}

mkdir -p build/logs

echo "== Native tests"
ctest --test-dir build/host -j "$(nproc)" --output-on-failure 2>&1 | tee build/logs/native.log | tail -n 15
count build/logs/native.log

echo "== Native tests of the export's threads, under ThreadSanitizer"
# Without address-space randomisation: ThreadSanitizer's fixed memory layout does not
# survive the high randomisation some kernels use.
setarch "$(uname -m)" -R ctest --test-dir build/tsan -j "$(nproc)" --output-on-failure 2>&1 |
  tee build/logs/tsan.log | tail -n 5
count build/logs/tsan.log

echo "== Wine tests"
. "$here/wine-env.sh"
wineserver -k 2>/dev/null || true  # a server started without this display must not be reused
wineserver -w 2>/dev/null || true
"$here/register-server.sh" || status=1

# The tests use settings keys of their own: a user's ERP settings stay exactly as they
# were. A mark in the ERP's key makes sure there is something to lose, and the key is
# compared, byte for byte, before and after: one more test.
erp_root="${erp_settings_key%\\*}"
wine reg add "$erp_root\\DralmoftTestsMark" /v Mark /d 'Μένει όπως ήταν' /f >/dev/null 2>&1
wine reg export "$erp_root" build/logs/erp-before.reg /y >/dev/null 2>&1

ctest --test-dir build/win -j 2 --timeout 120 --output-on-failure 2>&1 | tee build/logs/wine.log | tail -n 15
count build/logs/wine.log

wine reg export "$erp_root" build/logs/erp-after.reg /y >/dev/null 2>&1
wine reg delete "$erp_root\\DralmoftTestsMark" /f >/dev/null 2>&1
if [ -s build/logs/erp-before.reg ] && cmp -s build/logs/erp-before.reg build/logs/erp-after.reg; then
  passed=$((passed + 1))
else
  echo "FAILED: the tests changed the ERP's settings under $erp_root (build/logs/erp-*.reg)"
  failed=$((failed + 1))
  status=1
fi

# Wine's programs leave the display before it closes, so nothing is printed after the count.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo "${passed} passed, ${failed} failed"
exit $status
