#!/usr/bin/env python3
"""Recomputes the demo company's export independently of the program, from
demo/company.json and the four account files, for checking the golden files by another
road than the code under test:

    python3 tests/golden/recompute.py FROM TO [--oem] [--company DIR] [--check] > expected.txt

Dates as Wine's Greek locale writes them (d/M/yyyy); separator ";". With --check, the
period check's report as CSV instead of the export."""
import json
import math
import re
import sys
import unicodedata
from datetime import date, timedelta
from decimal import Decimal, ROUND_HALF_EVEN

ROOT = __file__.rsplit("/tests/", 1)[0]
FOLDER = f"{ROOT}/demo"


def to1253(text):
    out = []
    for c in text or "":
        if ord(c) > 0xFFFF:
            out.append("??")
            continue
        try:
            c.encode("cp1253")
            out.append(c)
            continue
        except UnicodeEncodeError:
            pass
        base = "".join(d for d in unicodedata.normalize("NFKD", c) if not unicodedata.combining(d))
        try:
            out.append(base if len(base) == 1 and base.encode("cp1253") else "?")
        except UnicodeEncodeError:
            out.append("?")
    return "".join(out)


def fmt2(x):
    # "%.2f" of the exact binary value ("inf" and every digit of a huge one too); a NaN
    # keeps its sign ("-nan" is what inf - inf gives on x86).
    if math.isnan(x):
        return "-nan" if math.copysign(1.0, x) < 0 else "nan"
    return "%.2f" % x


def accounts(name, vat=False):
    table = {}
    for raw in open(f"{FOLDER}/{name}", "rb").read().split(b"\n"):
        line = raw.strip(b" \t\r\n\v\f").decode("cp1253")
        key, _, account = line.partition(";") if ";" in line else ("", "", line)
        if line:
            table[float(key) if vat else key] = account
    return table


def after(t):
    return t.split(";", 1)[1] if ";" in t else t


def before(t):
    return t.split(";", 1)[0] if ";" in t else ""


def rate_text(rate):
    # The shortest decimal that reads back as the rate, without an exponent.
    text = format(Decimal(repr(rate)), "f")
    return text.rstrip("0").rstrip(".") if "." in text else text


DESCRIPTIONS = {
    "client-account": "Ο πελάτης δεν έχει λογαριασμό: το άρθρο του συναλλασσόμενου γράφεται με κενό λογαριασμό. "
                      "Ορίστε τον λογαριασμό του πελάτη και εξαγάγετε ξανά.",
    "supplier-account": "Ο προμηθευτής δεν έχει λογαριασμό: το άρθρο του συναλλασσόμενου γράφεται με κενό "
                        "λογαριασμό. Ορίστε τον λογαριασμό του προμηθευτή και εξαγάγετε ξανά.",
    "item-account": "Το είδος δεν έχει λογαριασμό για αυτό το είδος παραστατικού (πωλήσεις ή αγορές): το άρθρο "
                    "του γράφεται με κενό λογαριασμό. Ορίστε τον λογαριασμό του είδους και εξαγάγετε ξανά.",
    "vat-account": "Ο συντελεστής ΦΠΑ δεν έχει λογαριασμό για αυτό το είδος παραστατικού (πωλήσεις ή αγορές): "
                   "το άρθρο ΦΠΑ γράφεται με κενό λογαριασμό. Ορίστε τον λογαριασμό του συντελεστή και "
                   "εξαγάγετε ξανά.",
    "unencodable": "Το κείμενο έχει χαρακτήρα που η κωδικοσελίδα του αρχείου δεν έχει: στο αρχείο γράφεται «?». "
                   "Διορθώστε το κείμενο ή εξαγάγετε με την κωδικοσελίδα 1253.",
    "separator-in-field": "Το πεδίο περιέχει το διαχωριστικό: η γραμμή έχει περισσότερα από 20 πεδία και το "
                          "λογιστικό τα διαβάζει μετατοπισμένα. Διορθώστε το κείμενο ή επιλέξτε άλλο "
                          "διαχωριστικό.",
    "line-break-in-field": "Το πεδίο περιέχει αλλαγή γραμμής: η εγγραφή χωρίζεται σε δύο γραμμές του αρχείου. "
                           "Διορθώστε το κείμενο.",
    "bad-amount": "Το ποσό δεν είναι αριθμός ή έχει 13 ή περισσότερα ψηφία πριν από την υποδιαστολή: το "
                  "λογιστικό δεν μπορεί να το διαβάσει. Ελέγξτε τις γραμμές του παραστατικού.",
    "rounding": "Το ποσό του συναλλασσόμενου (πρώτο) διαφέρει από το άθροισμα των στρογγυλεμένων ποσών ΦΠΑ και "
                "ειδών (δεύτερο) λόγω στρογγυλοποίησης. Ελέγξτε την εγγραφή στο λογιστικό.",
    "not-commercial": "Το στοιχείο δεν είναι εμπορικό παραστατικό: δεν εξάγεται.",
    "no-trader": "Το παραστατικό δεν έχει συναλλασσόμενο: δεν εξάγεται.",
    "no-lines": "Το παραστατικό δεν έχει γραμμές: δεν εξάγεται.",
}


def cents(text, value):
    # The amount as written, in cents, when the program adds it up (below 10^13).
    return int(Decimal(text) * 100) if math.isfinite(value) and abs(value) < 1e13 else None


def euros(amount):
    sign = "-" if amount < 0 else ""
    return f"{sign}{abs(amount) // 100},{abs(amount) % 100:02d}"


def csv_line(fields, text_columns=None):
    # A field of a text column (all of them, or the first `text_columns`) that a spreadsheet
    # would take for a formula gets an apostrophe in front; one that begins with an
    # apostrophe a second one. Numbers stay as they are.
    def field(column, text):
        if (text_columns is None or column < text_columns) and text[:1] in ("=", "+", "-", "@", "\t", "\r", "'"):
            text = "'" + text
        return '"' + text.replace('"', '""') + '"' if any(c in text for c in ';"\r\n') else text
    return ";".join(field(column, text) for column, text in enumerate(fields)) + "\r\n"


def check_document(n, doc, oem, add):
    """The problems of one written document, in the order of its records and fields."""
    sep = ";"
    records, made = doc["records"], doc["made"]

    def lost(server):
        text = to1253(server)
        if any(c != "?" and "?" in to1253(c) for c in server):
            return True
        return oem and any(not can737(c) for c in text)

    def server_text(server):
        if lost(server):
            add("unencodable", server)

    def field(text):
        if sep in text:
            add("separator-in-field", text)
        if "\r" in text or "\n" in text:
            add("line-break-in-field", text)

    def amount(text):
        if not re.fullmatch(r"-?\d{1,12}\.\d\d", text):
            add("bad-amount", text)

    first = records[0]
    server_text(doc["texts"]["series"])
    for text in first[0:4]:
        field(text)
    server_text(doc["texts"]["taxId"])
    field(first[4])
    field(first[5])
    server_text(doc["texts"]["name"])
    field(first[6])
    for record, (code, key, _) in zip(records, made):
        amount(record[8])
        amount(record[9])
        if record[10] == "":
            add(code, key)
        if oem and any(not can737(c) for c in record[10]):
            add("unencodable", record[10])
        field(record[10])
        amount(record[12])
    amounts = [cents(record[12], value) for record, (_, _, value) in zip(records, made)]
    if None not in amounts and amounts[-1] != sum(amounts[:-1]):
        add("rounding", f"{records[-1][12]} {euros(sum(amounts[:-1])).replace(',', '.')}")
    return amounts


def can737(c):
    try:
        c.encode("cp737")
        return True
    except UnicodeEncodeError:
        return False


def check_report(elements, oem):
    rows = []
    kinds = {True: {"rates": {}, "documents": 0, "net": 0, "vat": 0, "traders": 0},
             False: {"rates": {}, "documents": 0, "net": 0, "vat": 0, "traders": 0}}
    account_totals = {}
    for element in elements:
        if element[0] == "skip":
            _, code, n, ref, day = element
            rows.append((code, ref, day.isoformat() if day else "", ""))
            continue
        _, n, doc = element
        seen = set()

        def add(code, key):
            if (code, key) not in seen:
                seen.add((code, key))
                rows.append((code, doc["ref"], doc["day"].isoformat(), key))

        amounts = check_document(n, doc, oem, add)
        kind = kinds[doc["sale"]]
        kind["documents"] += 1
        for g in range(0, len(amounts) - 1, 2):
            rate = float(doc["made"][g][1])
            total = kind["rates"].setdefault(rate, [0, 0, 0])
            total[0] += 1
            total[1] += amounts[g + 1] or 0
            total[2] += amounts[g] or 0
            kind["net"] += amounts[g + 1] or 0
            kind["vat"] += amounts[g] or 0
        kind["traders"] += amounts[-1] or 0
        for record, amount in zip(doc["records"], amounts):
            total = account_totals.setdefault(record[10], [0, 0])
            total[0] += 1
            total[1] += amount or 0
    out = ["\ufeff", csv_line(["Κωδικός", "Έγγραφο", "Ημερομηνία", "Κλειδί", "Περιγραφή"])]
    out += [csv_line([code, ref, day, key, DESCRIPTIONS[code]]) for code, ref, day, key in rows]
    out += ["\r\n", csv_line(["Είδος", "Συντελεστής", "Έγγραφα", "Καθαρή αξία", "ΦΠΑ", "Σύνολο", "Συναλλασσόμενοι"])]
    for sale, name in ((True, "Πωλήσεις"), (False, "Αγορές")):
        kind = kinds[sale]
        if kind["documents"] == 0:
            continue
        for rate in sorted(kind["rates"]):
            documents, net, vat = kind["rates"][rate]
            out.append(csv_line([name, rate_text(rate), str(documents), euros(net), euros(vat), euros(net + vat), ""], 1))
        out.append(csv_line([name, "", str(kind["documents"]), euros(kind["net"]), euros(kind["vat"]),
                             euros(kind["net"] + kind["vat"]), euros(kind["traders"])], 1))
    out += ["\r\n", csv_line(["Λογαριασμός", "Εγγραφές", "Ποσό"])]
    for account in sorted(account_totals, key=lambda a: a.encode("cp1253")):
        records, amount = account_totals[account]
        out.append(csv_line([account, str(records), euros(amount)], 1))
    return "".join(out).encode("utf-8")


def read_period():
    """The period's elements in the order the run reads them: ("skip", code, n, ref, day)
    or ("doc", n, document) with its records' fields and what they were made from."""
    global FOLDER
    first, last = date.fromisoformat(sys.argv[1]), date.fromisoformat(sys.argv[2])
    if "--company" in sys.argv:
        FOLDER = sys.argv[sys.argv.index("--company") + 1]
    company = json.load(open(f"{FOLDER}/company.json", encoding="utf-8"))
    traders = {t["id"]: t for t in company["clients"] + company["suppliers"]}
    items = {i["id"]: i for i in company["items"]}
    docs = {d["id"]: d for d in company["documents"]}
    clients, suppliers = accounts("client.txt"), accounts("supplier.txt")
    item_accounts, vat_accounts = accounts("products.txt"), accounts("fpa.txt", vat=True)
    period = [d for d in company["documents"] if first <= date.fromisoformat(d["date"][:10]) <= last]
    ordered = [d for d in period if d.get("posted")] + [d for d in period if not d.get("posted")]
    elements = []
    for n, d in enumerate(ordered, 1):
        if d.get("commercial") is False:
            elements.append(("skip", "not-commercial", n, f"#{n}", None))
            continue
        series = to1253(d["series"])
        ref = f'{to1253(d["name"])}-{series}{d["number"]}'
        day = date.fromisoformat(d["date"][:10])
        if not d.get("trader"):
            elements.append(("skip", "no-trader", n, ref, None))
            continue
        lines = d["lines"]
        if not lines and "sources" in d:
            lines = [l for s in d["sources"] for l in docs[s]["lines"]]
        groups = {}
        for l in lines:
            g = groups.setdefault(l["vatPercent"], [to1253(items[l["item"]]["name"]), 0.0])
            g[1] = g[1] + (l["value"] - l.get("discount", 0.0))
        if not groups:
            elements.append(("skip", "no-lines", n, ref, day))
            continue
        trader = traders[d["trader"]]
        sale = d["kind"] == 1
        tax_id = to1253(trader["taxId"])
        head = [f'{series}{d["number"]}', "13" if sale else "12", "1" if sale else "2", str(trader["number"]),
                tax_id, f"{day.day}/{day.month}/{day.year}", ref, ref]
        gross = vat_total = 0.0
        records, made = [], []
        for pct in sorted(groups):
            name, net = groups[pct]
            vat = net * pct / 100
            gross += net + vat
            vat_total += vat
            vat_text = after(vat_accounts.get(pct, ""))
            item_text = item_accounts.get(name, "")
            vat_account = after(vat_text) if sale else before(vat_text)
            item_account = after(item_text) if sale else before(item_text)
            common = head + [fmt2(net), fmt2(vat)]
            records.append(common + [vat_account, str(d["kind"]), fmt2(vat), ref, ref])
            made.append(("vat-account", rate_text(pct), vat))
            records.append(common + [item_account, str(d["kind"]), fmt2(net), ref, ref])
            made.append(("item-account", name, net))
        account = (clients if sale else suppliers).get(tax_id, "")
        records.append(head + [fmt2(gross - vat_total), fmt2(vat_total), account, "1" if d["kind"] == 0 else "0",
                               fmt2(gross), ref, ref])
        made.append(("client-account" if sale else "supplier-account", tax_id, gross))
        texts = {"series": d["series"], "name": d["name"], "taxId": trader["taxId"]}
        elements.append(("doc", n, {"ref": ref, "day": day, "sale": sale, "records": records, "made": made,
                                    "texts": texts, "gross": gross}))
    return elements


def main():
    oem = "--oem" in sys.argv
    elements = read_period()
    if "--check" in sys.argv:
        sys.stdout.buffer.write(check_report(elements, oem))
        return
    out = [fields for element in elements if element[0] == "doc" for fields in element[2]["records"]]
    text = "".join(";".join(fields + [""] * 5) + ";\r\n" for fields in out)
    sys.stdout.buffer.write(text.encode("cp737", errors="replace") if oem else text.encode("cp1253"))


if __name__ == "__main__":
    main()
