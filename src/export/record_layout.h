#pragma once
// The ledger package's journal record, field by field: 20 fields, each followed by the
// separator (the last one too), then CR LF; nothing quoted or escaped. One description of
// what each field carries, walked by the writer (which appends the fields) and by the
// period check (which checks each as it will be written), so that a change to a record is
// one change, and no field escapes the check.
//
// Every record of a document is its start (fields 1 to 8) and its close (14 to 20), the
// same in each; between them the amounts (9, 10) and the tail (11 to 13) of its kind:
//   VAT record of a group:   Amounts(net, VAT),          VatTail(VAT account, VAT)
//   item record of a group:  Amounts(net, VAT),          ItemTail(item account, net)
//   trader record:           TraderAmounts(gross, VAT),  TraderTail(trader account, gross)
//
// A visitor has:
//   ServerText(text, server)  not a field: the server's text the next field is made of
//                             (`server` is its UTF-16 form where it differs, or empty)
//   Text(text)                a text field
//   Text(text, number)        a text and a number in one field ("A12")
//   Date(date)                field 6: the document's date in the user's form
//   Number(number)            an integer field
//   Amount(amount)            fields 9 and 10: two decimals
//   Account(account)          field 11
//   PostedAmount(amount)      field 13, what the record posts: two decimals
//   Empty()                   a field that carries nothing

#include <cstdint>
#include <string>
#include <string_view>

namespace dralmoft {

// What every record of one document shares, and what tells the document apart.
struct DocumentFields {
    std::string series;
    std::int32_t number = 0;
    std::int32_t kind = 0;  // see IsSale
    std::int32_t traderNumber = 0;
    std::string taxId;
    std::string date;       // already in the user's short date form
    std::string reference;  // "name-seriesnumber"
    // Not written as fields of their own: for those who look at a composed document.
    std::string name;
    double oleDate = 0.0;
    // The server's own series, name and tax id where they differ from the 1253 texts
    // above (see SourceText); empty where they do not.
    std::u16string serverSeries;
    std::u16string serverName;
    std::u16string serverTaxId;
};

// Whether a document of `kind` is a sale (kind 1): it takes the sales part of its
// accounts, the sales side's codes and the clients' table. Every other kind is a purchase.
[[nodiscard]] constexpr bool IsSale(std::int32_t kind) { return kind == 1; }

// Field 12 of a group's VAT and item records: the document's kind as it is.
[[nodiscard]] constexpr std::int32_t GroupRecordFlag(std::int32_t kind) { return kind; }

// Field 12 of the trader record: 1 for kind 0 only, not the opposite of IsSale: a purchase
// of another kind (2, ...) gets 0 as a sale does. Files have always been written so and
// the ledger's imports of them rely on it.
[[nodiscard]] constexpr std::int32_t TraderRecordFlag(std::int32_t kind) { return kind == 0 ? 1 : 0; }

struct RecordLayout {
    static constexpr int kFieldCount = 20;
    // What ends a record, after its last field's separator.
    static constexpr std::string_view kEnd = "\r\n";

    // Fields 1 to 8.
    template <class Visitor>
    static void Start(const DocumentFields& document, Visitor& visit) {
        visit.ServerText(document.series, document.serverSeries);
        visit.Text(document.series, document.number);
        // Fields 2 and 3 are the ledger package's own codes for the sales side ("13", "1")
        // and the purchases side ("12", "2"): its import reads them, so they are fixed texts.
        const bool sale = IsSale(document.kind);
        visit.Text(sale ? "13" : "12");
        visit.Text(sale ? "1" : "2");
        visit.Number(document.traderNumber);
        visit.ServerText(document.taxId, document.serverTaxId);
        visit.Text(document.taxId);
        visit.Date(document.date);
        visit.ServerText(document.name, document.serverName);
        visit.Text(document.reference);
        visit.Text(document.reference);
    }

    // Fields 9 and 10: a VAT group's net and VAT.
    template <class Visitor>
    static void Amounts(double net, double vat, Visitor& visit) {
        visit.Amount(net);
        visit.Amount(vat);
    }

    // Fields 9 and 10 of the trader record: the net and the VAT of the groups' totals.
    template <class Visitor>
    static void TraderAmounts(double gross, double vat, Visitor& visit) {
        Amounts(gross - vat, vat, visit);
    }

    // Fields 11 to 13 of a group's VAT record, of its item record, of the trader record.
    // `kind` is the document's.
    template <class Visitor>
    static void VatTail(std::int32_t kind, std::string_view account, double vat, Visitor& visit) {
        Tail(account, GroupRecordFlag(kind), vat, visit);
    }
    template <class Visitor>
    static void ItemTail(std::int32_t kind, std::string_view account, double net, Visitor& visit) {
        Tail(account, GroupRecordFlag(kind), net, visit);
    }
    template <class Visitor>
    static void TraderTail(std::int32_t kind, std::string_view account, double gross, Visitor& visit) {
        Tail(account, TraderRecordFlag(kind), gross, visit);
    }

    // Fields 14 to 20.
    template <class Visitor>
    static void Close(const DocumentFields& document, Visitor& visit) {
        visit.Text(document.reference);
        visit.Text(document.reference);
        // Fields 16 to 20 carry nothing from the server, but the import counts twenty
        // fields per record: each stands empty, followed by its separator.
        for (int field = 16; field <= kFieldCount; ++field) visit.Empty();
    }

private:
    template <class Visitor>
    static void Tail(std::string_view account, std::int32_t flag, double amount, Visitor& visit) {
        visit.Account(account);
        visit.Number(flag);
        visit.PostedAmount(amount);
    }
};

}  // namespace dralmoft
