#pragma once
// What a run shows of itself to those who watch it without being part of it (the period
// check, the export log): each document once its records are composed, before they are
// written, which an observer may leave out of the file (how an export writes only what is
// new); and the run's start, its skipped elements and its written documents.

#include <cstddef>
#include <cstdint>
#include <optional>
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
                     std::span<const ComposedGroup> groups, const ComposedTrader& trader, std::size_t index = 0,
                     std::optional<std::uint64_t> digest = std::nullopt)
        : m_fields(fields),
          m_text(text),
          m_ends(ends),
          m_groups(groups),
          m_trader(trader),
          m_index(index),
          m_digest(digest) {}

    // The element's count in the run (from 1).
    [[nodiscard]] std::size_t Index() const { return m_index; }

    [[nodiscard]] const DocumentFields& Fields() const { return m_fields; }
    // Its groups in the order of their records (ascending percentage), and its trader.
    [[nodiscard]] std::span<const ComposedGroup> Groups() const { return m_groups; }
    [[nodiscard]] const ComposedTrader& Trader() const { return m_trader; }
    // All its records, each ending in CR LF.
    [[nodiscard]] std::string_view Text() const { return m_text; }
    [[nodiscard]] std::size_t RecordCount() const { return m_ends.size(); }
    // The digest of its records' form without separator, code page or date form (FNV-1a
    // of the digest form, closed by its length), when the run made it as it composed them.
    [[nodiscard]] std::optional<std::uint64_t> Digest() const { return m_digest; }
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
    std::optional<std::uint64_t> m_digest;
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // True writes the document's records; false leaves the document out of the file.
    [[nodiscard]] virtual bool Keep(const ComposedDocument& document) = 0;
    // True: the run makes each document's digest as it composes its records (Digest).
    [[nodiscard]] virtual bool WantsDigests() const { return false; }
};

// Why the run passed an element of the period by without a record.
enum class SkipReason : std::uint8_t {
    NotCommercial,  // the element is not a commercial document
    NoTrader,
    NoLines,
};

// Follows a run from its start: what it skipped and what it wrote, as it happens.
class RunWatcher {
public:
    virtual ~RunWatcher() = default;
    // The run begins (again): what an earlier run left is forgotten.
    virtual void Started() = 0;
    // Element `index` (from 1) was skipped; `reference` is its 1253 reference (or "#n"
    // before its texts were read), `oleDate` its date when read (NaN when not).
    virtual void Skipped(SkipReason reason, std::size_t index, std::string_view reference, double oleDate) = 0;
    // The document's records were written, their fields separated by `separator`.
    virtual void Written(const ComposedDocument& document, std::string_view separator) = 0;
};

}  // namespace dralmoft
