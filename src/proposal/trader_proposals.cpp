#include "proposal/trader_proposals.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "base/code_page.h"
#include "mapping/mapping_format.h"
#include "proposal/account_digits.h"

namespace dralmoft {
namespace {

// The share of `part` in `whole`, in whole percent, rounded down: 79.9 % is not 80 %.
int Share(std::size_t part, std::size_t whole) { return static_cast<int>(part * 100 / whole); }

std::vector<Proposal> None(std::size_t newKeys, std::u16string reason) {
    return std::vector<Proposal>(newKeys, Proposal{{}, std::move(reason), 0});
}

// The account most keys share, and how many share it.
std::pair<std::string, std::size_t> MostShared(const std::vector<std::string>& kept) {
    std::map<std::string, std::size_t> counts;
    for (const std::string& account : kept) ++counts[account];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return *most;
}

struct Series {
    std::string prefix;
    std::size_t width = 0;
    std::size_t members = 0;
    std::string largest;  // its digits; of one width, so compared as text
};

// The series most accounts belong to.
Series LargestSeries(const std::vector<std::string>& kept) {
    std::map<std::pair<std::string, std::size_t>, Series> series;
    for (const std::string& account : kept) {
        const auto [prefix, digits] = SplitEndDigits(account);
        if (digits.empty()) continue;
        Series& one = series[{std::string(prefix), digits.size()}];
        one.prefix = prefix;
        one.width = digits.size();
        ++one.members;
        one.largest = std::max(one.largest, std::string(digits));
    }
    Series largest;
    for (const auto& [key, one] : series)
        if (one.members > largest.members) largest = one;
    return largest;
}

std::vector<Proposal> NextInSeries(const Series& series, const std::vector<std::string>& kept, std::size_t newKeys,
                                   int confidence) {
    const std::u16string prefix = Cp1253ToUtf16(series.prefix);
    const std::u16string pattern = prefix + std::u16string(series.width, u'#');
    const std::u16string reason =
        u"επόμενος της σειράς " + pattern + u" (μέγιστος " + prefix + Cp1253ToUtf16(series.largest) + u")";
    const std::set<std::string> held(kept.begin(), kept.end());
    // Up to 18 digits fit the count; a wider series is never used up by a period's keys.
    const std::size_t width = std::min<std::size_t>(series.width, 18);
    std::size_t limit = 1;
    for (std::size_t i = 0; i < width; ++i) limit *= 10;
    std::size_t next = std::stoull(series.largest.substr(series.largest.size() - width)) + 1;
    std::vector<Proposal> proposals;
    for (std::size_t key = 0; key < newKeys; ++key) {
        std::string account;
        for (; next < limit && account.empty(); ++next) {
            std::string digits = std::to_string(next);
            digits.insert(0, series.width - digits.size(), '0');
            if (!held.count(series.prefix + digits)) account = series.prefix + digits;
        }
        if (account.empty())
            proposals.push_back(
                {{},
                 u"η σειρά " + pattern + u" εξαντλήθηκε (μέγιστος " + prefix + Cp1253ToUtf16(series.largest) + u")",
                 0});
        else proposals.push_back({account, reason, confidence});
    }
    return proposals;
}

}  // namespace

std::vector<std::string> KeptAccounts(const AccountMap& table) {
    std::vector<std::string> kept;
    for (const auto& [key, account] : table)
        if (!TrimSpace(account).empty()) kept.push_back(account);
    return kept;
}

bool OwnAccounts::Hold(std::string_view account) const {
    const auto [start, digits] = SplitEndDigits(account);
    return start == prefix && digits.size() == width;
}

std::optional<OwnAccounts> OwnAccountsOf(const std::vector<std::string>& kept) {
    if (kept.size() < kMinimumKept || Share(MostShared(kept).second, kept.size()) >= kSharedShare) return std::nullopt;
    const Series series = LargestSeries(kept);
    if (series.members == 0 || Share(series.members, kept.size()) < kSharedShare) return std::nullopt;
    return OwnAccounts{series.prefix, series.width};
}

std::vector<Proposal> ProposeTraderAccounts(const std::vector<std::string>& kept, std::size_t newKeys,
                                            std::u16string_view kindPlural) {
    const std::u16string kind(kindPlural);
    if (kept.size() < kMinimumKept)
        return None(newKeys, u"λιγότεροι από " + CountText(kMinimumKept) + u" " + kind + u" έχουν λογαριασμό");
    const auto [shared, sharing] = MostShared(kept);
    if (const int share = Share(sharing, kept.size()); share >= kSharedShare) {
        const std::u16string reason =
            sharing == kept.size() ? u"όπως όλοι οι " + kind
                                   : u"όπως " + CountText(sharing) + u" από " + CountText(kept.size()) + u" " + kind;
        return std::vector<Proposal>(newKeys, Proposal{shared, reason, share});
    }
    const Series series = LargestSeries(kept);
    if (const int share = Share(series.members, kept.size()); series.members != 0 && share >= kSharedShare)
        return NextInSeries(series, kept, newKeys, share);
    return None(newKeys, u"ούτε κοινός λογαριασμός ούτε σειρά ανάμεσα στους " + kind);
}

}  // namespace dralmoft
