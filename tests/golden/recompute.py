#!/usr/bin/env python3
"""Recomputes the demo company's export independently of the program, from
demo/company.json and the four account files, for checking the golden files by another
road than the code under test:

    python3 tests/golden/recompute.py FROM TO [--oem] > expected.txt

Dates as Wine's Greek locale writes them (d/M/yyyy); separator ";"."""
import json
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
    # "%.2f" of the exact binary value.
    return str(Decimal(x).quantize(Decimal("0.01"), rounding=ROUND_HALF_EVEN))


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


def main():
    global FOLDER
    first, last = date.fromisoformat(sys.argv[1]), date.fromisoformat(sys.argv[2])
    oem = "--oem" in sys.argv
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
    out = []
    for d in ordered:
        if d.get("commercial") is False or not d.get("trader"):
            continue
        lines = d["lines"]
        if not lines and "sources" in d:
            lines = [l for s in d["sources"] for l in docs[s]["lines"]]
        groups = {}
        for l in lines:
            g = groups.setdefault(l["vatPercent"], [to1253(items[l["item"]]["name"]), 0.0])
            g[1] = g[1] + (l["value"] - l.get("discount", 0.0))
        if not groups:
            continue
        trader = traders[d["trader"]]
        sale = d["kind"] == 1
        day = date.fromisoformat(d["date"][:10])
        series, tax_id = to1253(d["series"]), to1253(trader["taxId"])
        ref = f'{to1253(d["name"])}-{series}{d["number"]}'
        head = [f'{series}{d["number"]}', "13" if sale else "12", "1" if sale else "2", str(trader["number"]),
                tax_id, f"{day.day}/{day.month}/{day.year}", ref, ref]
        gross = vat_total = 0.0
        for pct in sorted(groups):
            name, net = groups[pct]
            vat = net * pct / 100
            gross += net + vat
            vat_total += vat
            vat_text = after(vat_accounts.get(pct, ""))
            item_text = item_accounts.get(name, "")
            common = head + [fmt2(net), fmt2(vat)]
            out.append(common + [after(vat_text) if sale else before(vat_text), str(d["kind"]), fmt2(vat), ref, ref])
            out.append(common + [after(item_text) if sale else before(item_text), str(d["kind"]), fmt2(net), ref, ref])
        account = (clients if sale else suppliers).get(tax_id, "")
        out.append(head + [fmt2(gross - vat_total), fmt2(vat_total), account, "1" if d["kind"] == 0 else "0",
                           fmt2(gross), ref, ref])
    text = "".join(";".join(fields + [""] * 5) + ";\r\n" for fields in out)
    sys.stdout.buffer.write(text.encode("cp737", errors="replace") if oem else text.encode("cp1253"))


if __name__ == "__main__":
    main()
