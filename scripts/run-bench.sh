#!/usr/bin/env bash
# The benchmarks: native ones with Google Benchmark, the end-to-end ones under Wine on
# generated companies. Prints a table of the results at the end.
set -euo pipefail
# Everything under one display (a virtual one when there is none), so that Wine's desktop
# process, started by the first program that needs it, has a display for the windows.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"; fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
cd "$root"
. "$here/wine-env.sh"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DDRALMOFT_SANITIZE=OFF
cmake --build build/bench -j "$(nproc)"
"$here/register-server.sh"
results=()
add() { results+=("$1|$2"); }
# The value of `name` in a file of "name value" lines, as the Wine benchmarks print them.
value() { awk -v name="$2" '$1 == name {print $2}' "$1" | tr -d '\r'; }

# The benchmarks point the server at their companies through a settings key of their own,
# never through the ERP's key that `make run` sets.
export DRALMOFT_SETTINGS_KEY='Software\Dralmoft-Bench'

echo "== Native"
build/bench/bench/native/native_bench --benchmark_format=console \
    --benchmark_out=build/bench/native.json --benchmark_out_format=json
# A native benchmark's real time, in the unit it reports (milliseconds), by its name.
ms() {
  python3 -c 'import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
print(next("%.1f" % run["real_time"] for run in runs if run["name"] == sys.argv[2]))' build/bench/native.json "$1"
}
add "company file parse, 100,000 documents (native)" "$(ms ParseGeneratedCompany/100000) ms"
add "account file of 100,000 lines read (native; target <= 100 ms)" "$(ms ReadAccountFile) ms"
add "account file of 100,000 lines written (native; target <= 100 ms)" "$(ms WriteAccountFile) ms"
add "run of 100,000 documents in memory, a tenth of the accounts: without / with the check (native)" \
    "$(ms ExportRunInMemory/0/0) / $(ms ExportRunInMemory/1/0) ms"
add "the same with every account (native)" "$(ms ExportRunInMemory/0/1) / $(ms ExportRunInMemory/1/1) ms"
add "the file's side of a run alone: 100,000 documents read beforehand, a tenth of the accounts, the check and the log's entries (native)" \
    "$(ms WritingSideAlone) ms"
add "export log: recording 100,000 documents in one transaction, a file (native; target <= 300 ms)" "$(ms RecordYear/real_time) ms"
# A native benchmark's counter, by the benchmark's name.
counter() {
  python3 -c 'import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
print(next("%.1f" % run[sys.argv[3]] for run in runs if run["name"] == sys.argv[2]))' build/bench/native.json "$1" "$2"
}
for chart in 0 1 2; do
  name="ItemProposalQuality/$chart/iterations:1"
  label=$(python3 -c 'import json, sys
print(next(r["label"] for r in json.load(open(sys.argv[1]))["benchmarks"] if r["name"] == sys.argv[2]))' build/bench/native.json "$name")
  add "item proposals, 423 labelled items, 5-fold, chart $label: exact / ticked precision / ticked coverage (target >= 90 %, >= 98 %)" \
      "$(counter "$name" exact_pct) / $(counter "$name" ticked_precision_pct) / $(counter "$name" ticked_coverage_pct) %"
done
add "trader proposals (series with gaps, control account, neither) / VAT pattern: exact (target 100 %)" \
    "$(counter TraderAndVatProposalQuality/iterations:1 traders_exact_pct) / $(counter TraderAndVatProposalQuality/iterations:1 vat_exact_pct) %"
add "proposals for 10,000 missing keys against 100,000 kept accounts (native; target <= 1 s)" \
    "$(ms ProposalsForALargeCompany/iterations:3) ms, items exact $(counter ProposalsForALargeCompany/iterations:3 items_exact_pct) %"
add "export log: the digests of a year of 100,000 documents read and compared (native)" "$(ms LoadYearDigests/real_time) ms"

# A company folder with a generated company and the demo's account files.
company() {
  local dir="$root/build/bench/$1"
  mkdir -p "$dir"
  [ -f "$dir/company.json" ] || build/bench/dralmoft-company-gen "${@:2}" --out "$dir/company.json"
  cp demo/*.txt "$dir/"
  echo "$dir"
}
point_registry_at() {
  wine reg add "HKCU\\$DRALMOFT_SETTINGS_KEY\\Database" /v Tavrenix /d "$(winepath -w "$1")" /f >/dev/null 2>&1 ||
    { echo "could not write the benchmarks' settings key" >&2; exit 1; }
}

echo "== Wine: demo server load and document walk, 100,000 documents"
big=$(company company-100k --seed 7 --documents 100000 --lines 3 --clients 20000 --suppliers 2000 --items 20000 --year 2024)
# The year 2024: OLE dates 45292 (1 January) to 45657 (31 December).
wine build/win/bench/wine/dralmoft-bench-walk.exe "$(winepath -w "$big")" 45292 45657 | tee build/bench/walk.txt
add "server load of 100,000 documents (Wine; target <= 3 s)" "$(value build/bench/walk.txt load_s) s"
add "walk of 100,000 documents with their lines (Wine; target >= 100,000 documents/s)" \
    "$(value build/bench/walk.txt documents_per_s) documents/s"

echo "== Wine: the list, 100,000 clients; then 1,000,000 items"
# Two companies: the clients' start-up is not to wait for the server to load a million items.
list_company() {
  local dir="$root/build/bench/$1"
  mkdir -p "$dir"
  [ -f "$dir/company.json" ] || python3 -c '
import json, sys
clients = [{"id": f"C{i}", "name": f"Πελάτης {i}", "taxId": str(100000000 + i), "number": i}
           for i in range(int(sys.argv[2]))]
items = [{"id": f"I{i}", "code": f"{i:07d}", "name": f"Είδος {i}"} for i in range(int(sys.argv[3]))]
json.dump({"clients": clients, "items": items}, open(sys.argv[1], "w", encoding="utf-8"), ensure_ascii=False)
' "$dir/company.json" "$2" "$3"
  echo "$dir"
}
for run in clients items; do
  if [ "$run" = clients ]; then list=$(list_company list-100k-clients 100000 0); else list=$(list_company list-1m-items 0 1000000); fi
  point_registry_at "$list"
  wine build/win/bench/wine/dralmoft-bench-list.exe "$(winepath -w "$list")" | tee "build/bench/list-$run.txt"
done
add "100,000 clients shown at start-up, server calls included (Wine; target <= 1 s)" "$(value build/bench/list-clients.txt startup_ms) ms"
add "100,000 clients shown by a click of the radio button (Wine; target <= 1 s)" "$(value build/bench/list-clients.txt clients_click_ms) ms"
add "search keystroke over 100,000 rows, match in the last (Wine; target <= 10 ms)" "$(value build/bench/list-clients.txt search_ms) ms"
add "the same with the list's scroll to it from the top, painted by Wine under Xvfb" "$(value build/bench/list-clients.txt search_scroll_ms) ms"
add "search over 100,000 rows in memory (native)" "$(ms SearchListRows) ms"
add "1,000,000 items shown by a click of the radio button (Wine; target <= 3 s)" "$(value build/bench/list-items.txt items_click_ms) ms"

echo "== Wine: the period check's cost, 100,000 documents"
checked=$(company export-100000 --seed 11 --documents 100000 --lines 5 --clients 5000 --suppliers 1000 --items 5000 --year 2025)
wine build/win/bench/wine/dralmoft-bench-check.exe "$(winepath -w "$checked")" 45658 46022 | tee build/bench/check.txt
wine build/win/bench/wine/dralmoft-bench-proposals.exe "$(winepath -w tests/data/proposals/items.tsv)" | tee build/bench/proposals.txt

echo "== Wine: the export log's recording of 100,000 documents"
(cd build/bench && wine "$root/build/win/bench/wine/dralmoft-bench-log.exe") | tee build/bench/log.txt
add "export log: recording 100,000 documents into a new log / over them again, a file (Wine)" \
    "$(value build/bench/log.txt record_s) s / $(value build/bench/log.txt record_again_s) s"

echo "== Wine: command-line export against the floor"
# The floor is the load and exactly the server calls an export makes (a test holds the
# two to the same calls): no export can be faster on this server. Each figure is the best
# of three runs: the machine's noise is larger than the differences measured.
best() { LC_ALL=C sort -g | head -1; }
ratio() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
share() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN {printf "%+.0f%%", 100 * (a - b) / a}'; }
seconds_of() { tr -d '\r' < "$1" | grep -o '[0-9.]* s$' | cut -d' ' -f1 | best; }
# A folder beside `dir` with an account for every key the company can name in 1253.
every_account() {
  local every="$1-every"
  mkdir -p "$every"
  cp "$1/company.json" "$every/"
  python3 - "$every" <<'PYTHON'
import json, sys
folder = sys.argv[1]
company = json.load(open(folder + "/company.json", encoding="utf-8"))
def write(name, lines):
    with open(folder + "/" + name, "wb") as out:
        for key, account in lines:
            try:
                out.write(key.encode("cp1253") + b";" + account.encode("cp1253") + b"\r\n")
            except UnicodeEncodeError:
                pass
def keys(entries, member):
    return sorted({e.get(member) for e in entries if e.get(member) and ";" not in e.get(member)})
write("client.txt", [(k, "30.00.%05d" % i) for i, k in enumerate(keys(company.get("clients", []), "taxId"))])
write("supplier.txt", [(k, "50.00.%05d" % i) for i, k in enumerate(keys(company.get("suppliers", []), "taxId"))])
write("products.txt", [(k, "20.00.%05d;70.00.%05d" % (i, i)) for i, k in enumerate(keys(company.get("items", []), "name"))])
rates = {r["rate"] for r in company.get("vatRates", [])}
rates |= {l["vatPercent"] for d in company.get("documents", []) for l in d.get("lines", []) if "vatPercent" in l}
write("fpa.txt", [("%f" % r, "54.00;54.00.%02d;54.00.1%02d" % (r, r)) for r in sorted(rates)])
PYTHON
  echo "$every"
}
floor_run() { (cd "$1" && wine "$root/build/win/bench/wine/dralmoft-bench-floor.exe" 45658 46022 ${2:-}) | awk '$1 == "floor_s" {print $2}' | tr -d '\r'; }
export_run() { (cd "$1" && wine "$root/build/win/dralmoft-export.exe" --from 2025-01-01 --to 2025-12-31 --out out.txt "${@:2}") 2>/dev/null; }
for documents in 32767 100000; do
  demo_dir=$(company "export-$documents" --seed 11 --documents "$documents" --lines 5 --clients 5000 --suppliers 1000 --items 5000 --year 2025)
  for accounts in demo every; do
    dir="$demo_dir"
    [ "$accounts" = every ] && dir=$(every_account "$demo_dir")
    point_registry_at "$dir"
    out="build/bench/export-$documents-$accounts"
    : > "$out.floor"; : > "$out.floor-nolog"; : > "$out.log"; : > "$out.nolog"; : > "$out.onlynew"
    for run in 1 2 3; do
      floor_run "$dir" >> "$out.floor"
      floor_run "$dir" --no-log >> "$out.floor-nolog"
      rm -f "$dir/dralmoft-exports.db"  # each export with the log is the year's first
      export_run "$dir" | tee -a "$out.log"
      export_run "$dir" --no-log >> "$out.nolog"
    done
    # The log now holds every document of the year as it is: nothing is new.
    for run in 1 2 3; do export_run "$dir" --only-new >> "$out.onlynew"; done
    (cd "$dir" && wine "$root/build/win/bench/wine/dralmoft-bench-sides.exe" 45658 46022) | tee "$out.sides"
    floor=$(best < "$out.floor"); floor_nolog=$(best < "$out.floor-nolog")
    logged=$(seconds_of "$out.log"); nolog=$(seconds_of "$out.nolog"); onlynew=$(seconds_of "$out.onlynew")
    label="$documents documents, ~5 lines each, $accounts accounts"
    add "floor: load + the export's own server calls, $label (Wine)" "$floor s (without the company's name: $floor_nolog s)"
    add "export with the check and the log / floor, $label (target <= 1.15)" "$logged s / $(ratio "$logged" "$floor")"
    add "export with the check, --no-log / floor, $label (target <= 1.1)" "$nolog s / $(ratio "$nolog" "$floor_nolog")"
    add "the log's cost, $label (target <= 5%)" "$(share "$logged" "$nolog")"
    add "--only-new of the exported year / floor, $label (target <= 1.05)" "$onlynew s / $(ratio "$onlynew" "$floor")"
    add "each side alone, $label: the server's (reads, groups) / the file's (accounts, records, check, log entries, OEM file)" \
        "$(value "$out.sides" read_s) s / $(value "$out.sides" write_s) s"
  done
  if [ "$documents" = 32767 ]; then
    # The same at the pace of a slower server (each call takes 2 µs more, the calling
    # thread busy): the file's side then runs wholly while the server answers.
    point_registry_at "$demo_dir"
    out="build/bench/export-$documents-paced"
    : > "$out.floor"; : > "$out.log"; : > "$out.nolog"
    export DRALMOFT_DEMO_CALL_US=2
    for run in 1 2; do
      floor_run "$demo_dir" >> "$out.floor"
      rm -f "$demo_dir/dralmoft-exports.db"
      export_run "$demo_dir" >> "$out.log"
      export_run "$demo_dir" --no-log >> "$out.nolog"
    done
    unset DRALMOFT_DEMO_CALL_US
    floor=$(best < "$out.floor"); logged=$(seconds_of "$out.log"); nolog=$(seconds_of "$out.nolog")
    add "at a slower server's pace (2 µs a call more): floor / export with the check and the log / --no-log, 32767 documents, demo accounts (best of 2)" \
        "$floor s / $logged s ($(ratio "$logged" "$floor")) / $nolog s ($(ratio "$nolog" "$floor"))"
  fi
  if [ "$documents" = 100000 ]; then
    point_registry_at "$demo_dir"
    # The export's peak memory, with the check's report (the demo server's company included).
    # (Exit 4 is the check's answer here: the demo's accounts leave most keys without one.)
    peak=$( (cd "$demo_dir" && /usr/bin/time -f "%M" wine "$root/build/win/dralmoft-export.exe" --from 2025-01-01 \
             --to 2025-12-31 --check --no-log --report report.csv) 2>&1 >/dev/null | tail -n 1 || true)
    floor_peak=$(cd "$demo_dir" && /usr/bin/time -f "%M" wine "$root/build/win/bench/wine/dralmoft-bench-floor.exe" \
             45658 46022 2>&1 >/dev/null | tail -n 1)
    add "peak working set of --check with its report, 100,000 documents (Wine; target <= 300 MB)" \
        "$((peak / 1024)) MB (the floor, mostly the demo server's company: $((floor_peak / 1024)) MB)"
    add "the proposals window opened on 10,000 keys against 100,000 kept accounts (Wine; target <= 2 s)" \
        "$(value build/bench/proposals.txt open_ms) ms"
    check_share() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f s (%.0f%% of the run)", b - a, 100 * (b - a) / b}'; }
    add "the check's cost in a run, the folder's (demo) accounts: $(value build/bench/check.txt problems) rows (Wine; target <= 10%)" \
        "$(check_share "$(value build/bench/check.txt run_s)" "$(value build/bench/check.txt run_check_s)")"
    add "the check's cost in a run, every account: $(value build/bench/check.txt full_problems) rows (Wine; target <= 5%)" \
        "$(check_share "$(value build/bench/check.txt full_run_s)" "$(value build/bench/check.txt full_run_check_s)")"
  fi
done

wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo
echo "| benchmark | result |"
echo "|---|---|"
for r in "${results[@]}"; do echo "| ${r%%|*} | ${r#*|} |"; done
