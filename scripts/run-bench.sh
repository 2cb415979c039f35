#!/usr/bin/env bash
# The benchmarks: native ones with Google Benchmark, the end-to-end ones under Wine
# against generated companies. Prints a table of the results at the end.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
cd "$root"
. "$here/wine-env.sh"

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DDRALMOFT_SANITIZE=OFF >/dev/null
cmake --build build/bench -j "$(nproc)" >/dev/null
"$here/register-server.sh"

results=()
echo "== Native"
build/bench/bench/native/native_bench --benchmark_format=console | tee build/bench/native.txt
parse_ms=$(awk '/ParseGeneratedCompany/ {print $2}' build/bench/native.txt)
results+=("company file parse, 100,000 documents (native)|${parse_ms} ms")

company="$root/build/bench/company-100k"
mkdir -p "$company"
[ -f "$company/company.json" ] || build/bench/dralmoft-company-gen --seed 7 --documents 100000 --lines 3 \
  --clients 20000 --suppliers 2000 --items 20000 --year 2024 --out "$company/company.json"

echo "== Wine: demo server load and document walk, 100,000 documents"
# The year 2024: OLE dates 45292 (1 January) to 45657 (31 December).
wine build/win/bench/wine/dralmoft-bench-walk.exe "$(winepath -w "$company")" 45292 45657 | tee build/bench/walk.txt
load=$(awk '/^load/ {print $2}' build/bench/walk.txt)
walk=$(awk '/^walk/ {print $2}' build/bench/walk.txt)
rate=$(awk '/^walk/ {print $8}' build/bench/walk.txt)
results+=("server load of 100,000 documents (Wine; target <= 3 s)|${load} s")
results+=("walk of a year, every document and line (Wine)|${walk} s")
results+=("walk rate (Wine; target >= 100,000 documents/s)|${rate} documents/s")

echo
echo "| benchmark | result |"
echo "|---|---|"
for r in "${results[@]}"; do echo "| ${r%%|*} | ${r#*|} |"; done
