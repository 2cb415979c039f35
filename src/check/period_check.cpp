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

PeriodCheck::PeriodCheck(bool keepCodePage)
    : m_keepCodePage(keepCodePage), m_keys(0, KeyHash{&m_report.texts}, KeyEqual{&m_report.texts}, &m_pool) {}

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
    m_narrowKeys.clear();
    m_accounts.clear();
    m_missing.clear();
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
    StartDocument(document.Index(), fields.reference, fields.oleDate, IsSale(fields.kind));
    AddKeyless(code);
}

class PeriodCheck::FieldChecker {
public:
    FieldChecker(PeriodCheck& check, const MissingAccount& missing) : m_check(check), m_missing(missing) {}

    void ServerText(std::string_view text, const std::u16string& server) { m_check.CheckServerText(text, server); }
    void Text(std::string_view text) { m_check.CheckFieldText(text); }
    void Date(std::string_view text) { Text(text); }
    void Text(std::string_view text, std::int32_t number) {
        m_check.m_scratch.assign(text).append(std::to_string(number));
        m_check.CheckFieldText(m_check.m_scratch);
    }
    void Number(std::int32_t value) {
        if (m_check.m_separatorInNumbers) m_check.CheckFieldText(std::to_string(value));
    }
    void Amount(double value) { (void)m_check.CheckAmount(value); }
    void Account(std::string_view account) { m_check.CheckAccount(account, m_missing); }
    void PostedAmount(double value) { m_check.m_amounts.push_back(m_check.CheckAmount(value)); }
    void Empty() {}

private:
    PeriodCheck& m_check;
    const MissingAccount& m_missing;
};

void PeriodCheck::Written(const ComposedDocument& document, std::string_view separator) {
    const std::size_t index = document.Index();
    const DocumentFields& fields = document.Fields();
    // The row's texts are made only when the document has a problem: most have none.
    m_index = index;
    m_fields = &fields;
    m_firstRow = m_report.problems.size();
    const bool oem = !m_keepCodePage;
    if (oem != m_oem || separator != m_separatorGiven || m_stops.empty()) Prepare(oem, separator);

    m_accountsOf.clear();
    m_missingOf.clear();
    m_amounts.clear();
    // The fields every record shares, once; then each record's own, in the order written.
    MissingAccount missing{CheckCode::VatAccount, {}, 0.0};
    FieldChecker check(*this, missing);
    RecordLayout::Start(fields, check);
    RecordLayout::Close(fields, check);
    for (const ComposedGroup& group : document.Groups()) {
        missing = {CheckCode::VatAccount, {}, group.percent};
        RecordLayout::Amounts(group.net, group.vat, check);
        RecordLayout::VatTail(fields.kind, group.vatAccount, group.vat, check);
        missing = {CheckCode::ItemAccount, group.itemName, 0.0};
        RecordLayout::Amounts(group.net, group.vat, check);
        RecordLayout::ItemTail(fields.kind, group.itemAccount, group.net, check);
    }
    const ComposedTrader& trader = document.Trader();
    missing = {IsSale(fields.kind) ? CheckCode::ClientAccount : CheckCode::SupplierAccount, fields.taxId, 0.0};
    RecordLayout::TraderAmounts(trader.gross, trader.vat, check);
    RecordLayout::TraderTail(fields.kind, trader.account, trader.gross, check);
    CheckRounding(trader.gross);
    AddToTotals(document);
    AddToMissing(document);
}

void PeriodCheck::CheckAccount(std::string_view account, const MissingAccount& missing) {
    std::size_t missingKey = kNotMissing;
    if (account.empty()) {
        const std::string rate = missing.code == CheckCode::VatAccount ? RateText(missing.rate) : std::string();
        const std::string_view key = missing.code == CheckCode::VatAccount ? std::string_view(rate) : missing.key;
        missingKey = NoteMissing(missing.code, Add(missing.code, key));
    }
    m_missingOf.push_back(missingKey);
    if (m_oem && LosesInCp737(account)) Add(CheckCode::Unencodable, account);
    CheckFieldText(account);
    m_accountsOf.push_back(account);
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

PeriodCheck::KeySpan PeriodCheck::Add(CheckCode code, std::string_view key) {
    if (const auto known = m_narrowKeys.find(key); known != m_narrowKeys.end()) return AddRow(code, known->second);
    const std::size_t at = m_report.texts.size();
    AppendWide(m_report.texts, key);
    const KeySpan span = KeepKey(at);
    m_narrowKeys.emplace(key, span);
    return AddRow(code, span);
}

PeriodCheck::KeySpan PeriodCheck::Add(CheckCode code, std::u16string_view key) {
    const std::size_t at = m_report.texts.size();
    m_report.texts.append(key);
    return AddRow(code, KeepKey(at));
}

PeriodCheck::KeySpan PeriodCheck::KeepKey(std::size_t keyAt) {
    const auto [kept, added] = m_keys.insert(KeySpan{keyAt, m_report.texts.size() - keyAt});
    if (!added) m_report.texts.resize(keyAt);
    return *kept;
}

PeriodCheck::KeySpan PeriodCheck::AddRow(CheckCode code, KeySpan key) {
    std::vector<CheckProblem>& problems = m_report.problems;
    for (std::size_t row = m_firstRow; row < problems.size(); ++row)
        if (problems[row].code == code && problems[row].keyAt == key.at) return key;  // one per document, code and key
    if (problems.size() == m_firstRow)
        StartDocument(m_index, m_fields->reference, m_fields->oleDate, IsSale(m_fields->kind));
    problems.push_back(CheckProblem{code, static_cast<std::uint32_t>(m_report.documents.size() - 1),
                                    static_cast<std::uint32_t>(key.at), static_cast<std::uint32_t>(key.length)});
    return key;
}

std::size_t PeriodCheck::NoteMissing(CheckCode code, KeySpan span) {
    const std::uint64_t id = (static_cast<std::uint64_t>(span.at) << 4) | static_cast<std::uint64_t>(code);
    const std::size_t document = m_report.documents.size() - 1;
    const auto [place, added] = m_missing.try_emplace(id, MissingPlace{m_report.missing.size(), document});
    if (added) {
        MissingKey& key = m_report.missing.emplace_back();
        key.code = code;
        key.keyAt = static_cast<std::uint32_t>(span.at);
        key.keyLength = static_cast<std::uint32_t>(span.length);
    }
    MissingKey& key = m_report.missing[place->second.index];
    if (added || place->second.lastDocument != document) ++key.documents;
    place->second.lastDocument = document;
    (IsSale(m_fields->kind) ? key.sales : key.purchases) = true;
    return place->second.index;
}

void PeriodCheck::AddToMissing(const ComposedDocument& document) {
    const std::span<const ComposedGroup> groups = document.Groups();
    for (std::size_t record = 0; record < m_missingOf.size(); ++record) {
        if (m_missingOf[record] == kNotMissing || !m_amounts[record]) continue;
        MissingKey& key = m_report.missing[m_missingOf[record]];
        const std::int64_t cents = *m_amounts[record];
        key.amount += cents;
        if (key.code != CheckCode::ItemAccount) continue;
        const double rate = groups[record / 2].percent;  // a group's records: its VAT, then its item
        const auto same = std::find_if(key.rates.begin(), key.rates.end(), [rate](const RateAmount& held) {
            return !VatRateOrder()(held.rate, rate) && !VatRateOrder()(rate, held.rate);
        });
        if (same == key.rates.end()) key.rates.push_back({rate, cents});
        else same->amount += cents;
    }
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
    KindTotal& kind = IsSale(m_fields->kind) ? m_report.sales : m_report.purchases;
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
    m_narrowKeys.clear();
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
