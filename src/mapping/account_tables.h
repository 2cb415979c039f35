#pragma once
// The four kinds of accounts a program keeps, each with its table and its file.

#include <array>
#include <string_view>

#include "mapping/account_map.h"

namespace dralmoft {

enum class AccountKind { Clients, Suppliers, Items, VatRates };

// The file of a kind, by its bare name: the programs keep it in the folder they started in.
[[nodiscard]] constexpr std::u16string_view AccountFileName(AccountKind kind) {
    switch (kind) {
        case AccountKind::Clients: return u"client.txt";
        case AccountKind::Suppliers: return u"supplier.txt";
        case AccountKind::Items: return u"products.txt";
        case AccountKind::VatRates: break;
    }
    return u"fpa.txt";
}

// The order in which start-up loads the four files: items, VAT rates, suppliers, clients.
// Each file fills its own table, so the order decides nothing but the order in which
// unreadable files are reported; it is the order the program has always had.
inline constexpr std::array<AccountKind, 4> kAccountLoadOrder = {AccountKind::Items, AccountKind::VatRates,
                                                                 AccountKind::Suppliers, AccountKind::Clients};

// A program's four tables, by reference: the window's members, or the exporter's locals.
struct AccountTables {
    AccountMap& clients;
    AccountMap& suppliers;
    AccountMap& items;
    VatAccountMap& vat;

    // The text-keyed table of a kind; the VAT rates have none (their table is `vat`).
    [[nodiscard]] AccountMap& Text(AccountKind kind) const {
        if (kind == AccountKind::Clients) return clients;
        return kind == AccountKind::Suppliers ? suppliers : items;
    }
};

}  // namespace dralmoft
