#include "check/period_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/code_page.h"
#include "base/iso_date.h"
#include "base/number_format.h"
#include "mapping/vat_rate_order.h"

namespace dralmoft {
namespace {

// An amount the ledger package reads has at most 12 digits before the point.
constexpr std::int64_t kCentsLimit = 100'000'000'000'000;

// Appends a 1253 text to `texts` as UTF-16.
void AppendWide(std::u16string& texts, std::string_view text) {
    const std::size_t at = texts.size();
    texts.resize(at + text.size());
    Cp1253ToUtf16(text, texts.data() + at);
}

std::string AmountText(double amount) {
    std::string text;
    AppendAmount(text, amount);
    return text;
}

CheckCode SkipCode(SkipReason reason) {
    switch (reason) {
        case SkipReason::NotCommercial: return CheckCode::NotCommercial;
        case SkipReason::NoTrader: return CheckCode::NoTrader;
        case SkipReason::NoLines: break;
    }
    return CheckCode::NoLines;
}

RateTotal& RateOf(KindTotal& kind, double rate) {
    const auto place = std::lower_bound(kind.rates.begin(), kind.rates.end(), rate,
                                        [](const RateTotal& total, double r) { return VatRateOrder()(total.rate, r); });
    if (place != kind.rates.end() && !VatRateOrder()(rate, place->rate)) return *place;
    return *kind.rates.insert(place, RateTotal{rate, 0, 0, 0});
}

}  // namespace

PeriodCheck::PeriodCheck(std::function<bool()> keepCodePage)
    : m_keepCodePage(std::move(keepCodePage)), m_keys(0, KeyHash{&m_report.texts}, KeyEqual{&m_report.texts}) {}

std::size_t PeriodCheck::KeyHash::operator()(const KeySpan& key) const {
    return std::hash<std::u16string_view>()(std::u16string_view(*texts).substr(key.at, key.length));
}

bool PeriodCheck::KeyEqual::operator()(const KeySpan& a, const KeySpan& b) const {
    const std::u16string_view all(*texts);
    return all.substr(a.at, a.length) == all.substr(b.at, b.length);
}

void PeriodCheck::Started() {
    m_report = {};
    m_keys.clear();
    m_accounts.clear();
}

void PeriodCheck::Skipped(SkipReason reason, std::size_t index, std::string_view reference, double oleDate) {
    StartDocument(index, reference, oleDate, true);
    AddKeyless(SkipCode(reason));
}

void PeriodCheck::AddKeyless(CheckCode code) {
    m_report.problems.push_back(CheckProblem{code, static_cast<std::uint32_t>(m_report.documents.size() - 1), 0, 0});
}

void PeriodCheck::Logged(CheckCode code, const ComposedDocument& document) {
    const DocumentFields& fields = document.Fields();
    StartDocument(document.Index(), fields.reference, fields.oleDate, fields.kind == 1);
    AddKeyless(code);
}

void PeriodCheck::Written(const ComposedDocument& document, std::string_view separator) {
    const std::size_t index = document.Index();
    const DocumentFields& fields = document.Fields();
    const bool sale = fields.kind == 1;
    // The row's texts are made only when the document has a problem: most have none.
    m_index = index;
    m_fields = &fields;
    m_firstRow = m_report.problems.size();
    const bool oem = m_keepCodePage && !m_keepCodePage();
    if (oem != m_oem || separator != m_separatorGiven || m_stops.empty()) Prepare(oem, separator);

    m_accountsOf.clear();
    m_amounts.clear();
    CheckShared(fields);
    for (const ComposedGroup& group : document.Groups()) {
        CheckRecord(
            {group.net, group.vat, group.vatAccount, fields.kind, CheckCode::VatAccount, {}, group.percent, group.vat});
        CheckRecord({group.net, group.vat, group.itemAccount, fields.kind, CheckCode::ItemAccount, group.itemName, 0.0,
                     group.net});
    }
    const ComposedTrader& trader = document.Trader();
    // Field 12 of the trader record: 1 for kind 0 only (see DocumentRecords).
    CheckRecord({trader.gross - trader.vat, trader.vat, trader.account, fields.kind == 0 ? 1 : 0,
                 sale ? CheckCode::ClientAccount : CheckCode::SupplierAccount, fields.taxId, 0.0, trader.gross});
    CheckRounding(trader.gross);
    AddToTotals(document);
}

void PeriodCheck::CheckShared(const DocumentFields& fields) {
    // Field 1 is the series and the number together; fields 2 to 4 are numbers and fixed
    // codes, checked for a separator like any other field.
    CheckServerText(fields.series, fields.serverSeries);
    m_scratch.assign(fields.series).append(std::to_string(fields.number));
    CheckFieldText(m_scratch);
    CheckFieldText(fields.kind == 1 ? "13" : "12");
    CheckFieldText(fields.kind == 1 ? "1" : "2");
    CheckFieldText(std::to_string(fields.traderNumber));
    CheckServerText(fields.taxId, fields.serverTaxId);
    CheckFieldText(fields.taxId);
    CheckFieldText(fields.date);
    // The reference (fields 7, 8, 14 and 15) holds the name and the series.
    CheckServerText(fields.name, fields.serverName);
    CheckFieldText(fields.reference);
}

void PeriodCheck::CheckRecord(const RecordFields& record) {
    (void)CheckAmount(record.net);
    (void)CheckAmount(record.vat);
    if (record.account.empty())
        Add(record.missing,
            record.missing == CheckCode::VatAccount ? std::string_view(RateText(record.rate)) : record.key);
    if (m_oem && LosesInCp737(record.account)) Add(CheckCode::Unencodable, record.account);
    CheckFieldText(record.account);
    if (m_separatorInNumbers) CheckFieldText(std::to_string(record.field12));
    m_accountsOf.push_back(record.account);
    m_amounts.push_back(CheckAmount(record.amount));
}

void PeriodCheck::CheckServerText(std::string_view text, const std::u16string& server) {
    bool lost = m_oem && LosesInCp737(text);
    // Without a server form every character had a byte of its own; with one, a '?' that
    // was not a '?' is a character lost.
    for (std::size_t i = 0; !lost && !server.empty() && i < text.size(); ++i)
        lost = text[i] == '?' && server[i] != u'?';
    if (lost && server.empty()) Add(CheckCode::Unencodable, text);
    else if (lost) Add(CheckCode::Unencodable, std::u16string_view(server));
}

void PeriodCheck::Prepare(bool oem, std::string_view separator) {
    m_oem = oem;
    m_separatorGiven.assign(separator);
    m_separator.assign(separator);
    if (m_oem) ConvertCp1253ToCp737(m_separator);
    // Numbers and amounts are written with these only ("-nan", "inf" included).
    m_separatorInNumbers = separator.find_first_of("0123456789.-nainf") != std::string_view::npos;
    std::string written(256, '\0');
    for (std::size_t byte = 0; byte < written.size(); ++byte) written[byte] = static_cast<char>(byte);
    if (m_oem) ConvertCp1253ToCp737(written);
    m_stops.assign(256, false);
    for (std::size_t byte = 0; byte < written.size(); ++byte) {
        const char c = written[byte];
        m_stops[byte] = c == '\r' || c == '\n' || (!m_separator.empty() && c == m_separator.front());
    }
}

void PeriodCheck::CheckFieldText(std::string_view text) {
    // Most texts have no byte that could start a separator or a line break once written.
    if (std::none_of(text.begin(), text.end(), [this](char c) { return m_stops[static_cast<unsigned char>(c)]; }))
        return;
    std::string_view written = text;
    if (m_oem) {
        m_written.assign(text);
        ConvertCp1253ToCp737(m_written);
        written = m_written;
    }
    if (written.find(m_separator) != std::string_view::npos) Add(CheckCode::SeparatorInField, text);
    if (written.find_first_of("\r\n") != std::string_view::npos) Add(CheckCode::LineBreakInField, text);
}

std::optional<std::int64_t> PeriodCheck::CheckAmount(double amount) {
    const std::optional<std::int64_t> cents = AmountCents(amount);
    const bool bad = !cents || *cents >= kCentsLimit || *cents <= -kCentsLimit;
    if (bad || m_separatorInNumbers) {
        const std::string text = AmountText(amount);
        if (bad) Add(CheckCode::BadAmount, text);
        CheckFieldText(text);
    }
    return cents;
}

void PeriodCheck::CheckRounding(double gross) {
    std::int64_t sum = 0;
    for (std::size_t record = 0; record + 1 < m_amounts.size(); ++record) {
        if (!m_amounts[record]) return;
        sum += *m_amounts[record];
    }
    const std::optional<std::int64_t> trader = m_amounts.back();
    if (trader && *trader != sum) Add(CheckCode::Rounding, AmountText(gross) + " " + CentsText(sum));
}

void PeriodCheck::Add(CheckCode code, std::string_view key) {
    const std::size_t at = m_report.texts.size();
    AppendWide(m_report.texts, key);
    AddRow(code, at);
}

void PeriodCheck::Add(CheckCode code, std::u16string_view key) {
    const std::size_t at = m_report.texts.size();
    m_report.texts.append(key);
    AddRow(code, at);
}

void PeriodCheck::AddRow(CheckCode code, std::size_t keyAt) {
    const auto [kept, added] = m_keys.insert(KeySpan{keyAt, m_report.texts.size() - keyAt});
    if (!added) m_report.texts.resize(keyAt);
    std::vector<CheckProblem>& problems = m_report.problems;
    for (std::size_t row = m_firstRow; row < problems.size(); ++row)
        if (problems[row].code == code && problems[row].keyAt == kept->at) return;  // one per document, code and key
    if (problems.size() == m_firstRow)
        StartDocument(m_index, m_fields->reference, m_fields->oleDate, m_fields->kind == 1);
    problems.push_back(CheckProblem{code, static_cast<std::uint32_t>(m_report.documents.size() - 1),
                                    static_cast<std::uint32_t>(kept->at), static_cast<std::uint32_t>(kept->length)});
}

void PeriodCheck::StartDocument(std::size_t index, std::string_view reference, double oleDate, bool sale) {
    CheckedDocument& document = m_report.documents.emplace_back();
    document.index = static_cast<std::uint32_t>(index);
    document.referenceAt = static_cast<std::uint32_t>(m_report.texts.size());
    AppendWide(m_report.texts, reference);
    document.referenceLength = static_cast<std::uint32_t>(m_report.texts.size() - document.referenceAt);
    const std::string date = FormatIsoDate(oleDate);
    document.dateLength = static_cast<std::uint8_t>(std::min(date.size(), document.date.size()));
    std::copy_n(date.begin(), document.dateLength, document.date.begin());
    document.sale = sale;
}

void PeriodCheck::AddToTotals(const ComposedDocument& document) {
    KindTotal& kind = m_fields->kind == 1 ? m_report.sales : m_report.purchases;
    ++kind.documents;
    const std::span<const ComposedGroup> groups = document.Groups();
    for (std::size_t group = 0; group < groups.size(); ++group) {
        RateTotal& rate = RateOf(kind, groups[group].percent);
        ++rate.documents;
        if (const auto vat = m_amounts[2 * group]) {
            rate.vat += *vat;
            kind.vat += *vat;
        }
        if (const auto net = m_amounts[2 * group + 1]) {
            rate.net += *net;
            kind.net += *net;
        }
    }
    if (const auto traders = m_amounts.back()) kind.traders += *traders;
    for (std::size_t record = 0; record < m_amounts.size(); ++record) {
        const std::string_view account = m_accountsOf[record];
        auto total = m_accounts.find(account);
        if (total == m_accounts.end()) total = m_accounts.emplace(account, AccountTotal{std::string(account)}).first;
        ++total->second.records;
        if (m_amounts[record]) total->second.amount += *m_amounts[record];
        else ++m_report.amountsLeftOut;
    }
}

CheckReport PeriodCheck::TakeReport() {
    (void)Report();
    m_keys.clear();
    return std::move(m_report);
}

const CheckReport& PeriodCheck::Report() {
    m_report.accounts.clear();
    m_report.accounts.reserve(m_accounts.size());
    for (const auto& [account, total] : m_accounts) m_report.accounts.push_back(total);
    std::sort(m_report.accounts.begin(), m_report.accounts.end(),
              [](const AccountTotal& a, const AccountTotal& b) { return a.account < b.account; });
    return m_report;
}

}  // namespace dralmoft
