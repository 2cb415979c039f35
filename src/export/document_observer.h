#pragma once
// A look at each document of an export once its records are composed, before they are
// written: the observer may keep the document (its records are written) or leave it
// out. It is how an export can write only what is new, or keep a digest of what it wrote.

#include <cstddef>
#include <span>
#include <string_view>

#include "export/journal_record.h"

namespace dralmoft {

// What a VAT group's two records were composed from. The accounts are those written:
// cut for the document's kind.
struct ComposedGroup {
    double percent = 0.0;
    std::string_view itemName;
    double net = 0.0;
    double vat = 0.0;
    std::string_view vatAccount;
    std::string_view itemAccount;
};

// What the trader record was composed from: the totals of the groups.
struct ComposedTrader {
    double gross = 0.0;
    double vat = 0.0;
    std::string_view account;
};

// One document's records as they will be written (Windows-1253, before any conversion
// to the OEM code page): its VAT and item record per VAT group, then its trader record.
class ComposedDocument {
public:
    ComposedDocument(const DocumentFields& fields, std::string_view text, std::span<const std::size_t> ends,
                     std::span<const ComposedGroup> groups, const ComposedTrader& trader, std::size_t index = 0)
        : m_fields(fields), m_text(text), m_ends(ends), m_groups(groups), m_trader(trader), m_index(index) {}

    // The element's count in the run (from 1).
    [[nodiscard]] std::size_t Index() const { return m_index; }

    [[nodiscard]] const DocumentFields& Fields() const { return m_fields; }
    // Its groups in the order of their records (ascending percentage), and its trader.
    [[nodiscard]] std::span<const ComposedGroup> Groups() const { return m_groups; }
    [[nodiscard]] const ComposedTrader& Trader() const { return m_trader; }
    // All its records, each ending in CR LF.
    [[nodiscard]] std::string_view Text() const { return m_text; }
    [[nodiscard]] std::size_t RecordCount() const { return m_ends.size(); }
    // Record `index`, from 0. Records are told apart by where they end, not by their line
    // ends: a field's text may hold a line end of its own.
    [[nodiscard]] std::string_view Record(std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : m_ends[index - 1];
        return m_text.substr(start, m_ends[index] - start);
    }

private:
    const DocumentFields& m_fields;
    std::string_view m_text;
    std::span<const std::size_t> m_ends;
    std::span<const ComposedGroup> m_groups;
    const ComposedTrader& m_trader;
    std::size_t m_index;
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // True writes the document's records; false leaves the document out of the file.
    [[nodiscard]] virtual bool Keep(const ComposedDocument& document) = 0;
};

}  // namespace dralmoft
