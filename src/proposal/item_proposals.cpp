#include "proposal/item_proposals.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "base/code_page.h"
#include "export/journal_record.h"
#include "mapping/mapping_format.h"
#include "proposal/account_digits.h"
#include "proposal/name_words.h"
#include "proposal/trader_proposals.h"

namespace dralmoft {
namespace {

// How much a feature of each sort counts: a whole word most, a number least (sizes and
// pack counts say little of what an item is), the parts of a word together about as much
// as the word (they carry its stem through its endings: "βιδα", "βιδεσ").
// (Weights as measured best on the labelled items: see the item evaluation.)
constexpr float kWordWeight = 1.0f;
constexpr float kUnitWeight = 1.0f;
constexpr float kNumberWeight = 0.3f;
constexpr float kPartsWeight = 1.0f;
// A neighbour's vote is its similarity squared: the closest decide, the many far ones do
// not outvote them.
constexpr float kVotePower = 2.0f;
// When the accounts carry the rate, a neighbour at the item's own rate counts this many
// times more: the rate is evidence, not the decision.
constexpr float kSameRateFactor = 4.0f;
// The neighbours that vote.
constexpr std::size_t kVoters = 10;
// A name's postings summed before the rest of its features only refine the best
// candidates: a name of common words among a hundred thousand items would touch most.
constexpr std::size_t kPostingBudget = 8'000;
constexpr std::size_t kRefined = 32;

// FNV-1a of the sort and the text: features are kept by hash (two of a company's names
// sharing a hash by chance only makes them a little more alike).
std::uint64_t Hash(char sort, std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](char c) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    };
    add(sort);
    for (const char c : text) add(c);
    return hash;
}

// A word between its boundary marks, in one buffer: a hundred thousand names have half a
// million words.
std::string& MarkedBuffer() {
    thread_local std::string buffer;
    return buffer;
}

// Each feature once, with its weight in the name.
using RawFeatures = ItemProposer::RawFeatures;

RawFeatures RawFeaturesOf(std::string_view name) {
    RawFeatures raw;
    for (const NameWord& named : NameWordsWithUnits(name)) {
        const std::string& word = named.text;
        if (IsDigit(word.front())) {
            raw.emplace_back(Hash('n', word), kNumberWeight);
            continue;
        }
        if (named.unit) {
            raw.emplace_back(Hash('u', word), kUnitWeight);
            continue;
        }
        if (word.size() < 2) continue;
        raw.emplace_back(Hash('w', word), kWordWeight);
        std::string& marked = MarkedBuffer();
        marked.assign(1, '<').append(word).push_back('>');
        const std::size_t parts = marked.size() - 2;
        for (std::size_t at = 0; at + 3 <= marked.size(); ++at)
            raw.emplace_back(Hash('g', std::string_view(marked).substr(at, 3)),
                             kPartsWeight / std::sqrt(static_cast<float>(parts)));
    }
    std::sort(raw.begin(), raw.end());
    RawFeatures merged;
    for (const auto& [hash, weight] : raw) {
        if (!merged.empty() && merged.back().first == hash) merged.back().second += weight;
        else merged.emplace_back(hash, weight);
    }
    return merged;
}

// The run of digits that ends an account, as (width, value); width 0 when there is none.
std::pair<std::size_t, long long> EndDigits(std::string_view account) {
    const std::string_view digits = SplitEndDigits(account).second;
    const std::optional<long long> value = DigitsValue(digits);
    return value ? std::pair{digits.size(), *value} : std::pair<std::size_t, long long>{0, 0};
}

// The account text with the lacking sides put in: the purchases side before ';', the sales
// side after; an item without a purchases side is its sales account alone.
std::string Compose(std::string_view purchases, std::string_view sales) {
    if (purchases.empty()) return std::string(sales);
    return std::string(purchases) + ";" + std::string(sales);
}

}  // namespace

ItemProposer::ItemProposer(const AccountMap& items, const std::vector<double>& rates) {
    std::vector<RawFeatures> raw;
    for (const auto& [name, account] : items) {
        if (TrimSpace(account).empty()) continue;
        m_kept.push_back({name, PartBefore(account), PartAfter(account), {}});
        raw.push_back(RawFeaturesOf(name));
        for (const auto& [hash, weight] : raw.back()) {
            const auto [id, added] = m_ids.try_emplace(hash, static_cast<std::uint32_t>(m_counts.size()));
            if (added) m_counts.push_back(0);
            ++m_counts[id->second];
        }
    }
    const auto names = static_cast<float>(m_kept.size());
    for (const std::uint32_t count : m_counts) m_idf.push_back(std::log(1.0f + names / static_cast<float>(count)));
    m_postings.resize(m_counts.size());
    for (std::size_t kept = 0; kept < m_kept.size(); ++kept) {
        m_kept[kept].features = Weighed(raw[kept]);
        for (const Feature& feature : m_kept[kept].features)
            m_postings[feature.id].push_back({static_cast<std::uint32_t>(kept), feature.weight});
    }
    m_scores.assign(m_kept.size(), 0.0f);
    for (const Kept& kept : m_kept)
        m_sides.push_back(
            static_cast<std::uint8_t>((kept.purchases.empty() ? 0 : kPurchases) | (kept.sales.empty() ? 0 : kSales)));

    for (const double rate : rates)
        if (const auto whole = WholeRate(rate)) m_rates.push_back(*whole);
    std::sort(m_rates.begin(), m_rates.end());
    m_rates.erase(std::unique(m_rates.begin(), m_rates.end()), m_rates.end());
    // The accounts carry the rate when most of them end in the digits of a rate, and not
    // all of one rate.
    std::map<std::size_t, std::pair<std::size_t, std::set<long long>>> byWidth;
    std::size_t sides = 0;
    for (const Kept& kept : m_kept)
        for (const std::string_view side : {kept.purchases, kept.sales}) {
            if (side.empty()) continue;
            ++sides;
            const auto [width, value] = EndDigits(side);
            if (width < 2 || !std::binary_search(m_rates.begin(), m_rates.end(), value)) continue;
            ++byWidth[width].first;
            byWidth[width].second.insert(value);
        }
    for (const auto& [width, found] : byWidth)
        if (found.second.size() >= 2 && found.first * 100 >= sides * kSharedShare) m_rateWidth = width;
}

std::vector<ItemProposer::Feature> ItemProposer::FeaturesOf(std::string_view name) const {
    return Weighed(RawFeaturesOf(name));
}

std::vector<ItemProposer::Feature> ItemProposer::Weighed(const RawFeatures& raw) const {
    std::vector<Feature> features;
    float length = 0.0f;
    const float unseen = std::log(1.0f + static_cast<float>(m_kept.size()));
    for (const auto& [hash, weight] : raw) {
        const auto id = m_ids.find(hash);
        const float value = weight * (id == m_ids.end() ? unseen : m_idf[id->second]);
        length += value * value;
        if (id != m_ids.end()) features.push_back({id->second, value});
    }
    if (length > 0.0f)
        for (Feature& feature : features) feature.weight /= std::sqrt(length);
    std::sort(features.begin(), features.end(), [](const Feature& a, const Feature& b) { return a.id < b.id; });
    return features;
}

std::vector<ItemProposer::Neighbour> ItemProposer::Neighbours(const std::vector<Feature>& features,
                                                              const ItemNeed& need) const {
    const std::uint8_t needed =
        static_cast<std::uint8_t>((need.purchases ? kPurchases : 0) | (need.sales ? kSales : 0));
    // The rarest features first: they pick the candidates; common ones past the budget
    // only refine them.
    std::vector<Feature> order(features);
    std::sort(order.begin(), order.end(),
              [this](const Feature& a, const Feature& b) { return m_postings[a.id].size() < m_postings[b.id].size(); });
    std::vector<std::uint32_t> touched;
    std::size_t summed = 0;
    bool exact = true;
    for (const Feature& feature : order) {
        const std::vector<Neighbour>& postings = m_postings[feature.id];
        if (summed != 0 && summed + postings.size() > kPostingBudget) {
            exact = false;
            break;
        }
        summed += postings.size();
        for (const Neighbour& posting : postings) {
            if ((m_sides[posting.kept] & needed) != needed) continue;
            if (m_scores[posting.kept] == 0.0f) touched.push_back(posting.kept);
            m_scores[posting.kept] += feature.weight * posting.similarity;
        }
    }
    std::vector<Neighbour> found;
    for (const std::uint32_t kept : touched) {
        found.push_back({kept, m_scores[kept]});
        m_scores[kept] = 0.0f;
    }
    const auto closer = [](const Neighbour& a, const Neighbour& b) {
        return a.similarity != b.similarity ? a.similarity > b.similarity : a.kept < b.kept;
    };
    if (!exact) {
        const std::size_t refined = std::min(found.size(), kRefined);
        std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(refined), found.end(), closer);
        found.resize(refined);
        for (Neighbour& neighbour : found) {
            float similarity = 0.0f;
            const std::vector<Feature>& theirs = m_kept[neighbour.kept].features;
            auto their = theirs.begin();
            for (const Feature& feature : features) {
                while (their != theirs.end() && their->id < feature.id) ++their;
                if (their != theirs.end() && their->id == feature.id) similarity += feature.weight * their->weight;
            }
            neighbour.similarity = similarity;
        }
    }
    const std::size_t voters = std::min(found.size(), kVoters);
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(voters), found.end(), closer);
    found.resize(voters);
    return found;
}

std::string ItemProposer::AtRate(std::string_view account, long long rate) const {
    const auto [width, value] = EndDigits(account);
    if (m_rateWidth == 0 || width != m_rateWidth || !std::binary_search(m_rates.begin(), m_rates.end(), value))
        return std::string(account);
    std::string digits = std::to_string(rate);
    if (digits.size() > width) return std::string(account);
    digits.insert(0, width - digits.size(), '0');
    return std::string(account.substr(0, account.size() - width)) + digits;
}

Proposal ItemProposer::Propose(const ItemNeed& need) const {
    const std::vector<Neighbour> neighbours = Neighbours(FeaturesOf(need.name), need);
    if (neighbours.empty()) {
        const bool anyWithSides = std::any_of(m_kept.begin(), m_kept.end(), [&need](const Kept& kept) {
            return (!need.purchases || !kept.purchases.empty()) && (!need.sales || !kept.sales.empty());
        });
        if (!anyWithSides)
            return {{},
                    need.purchases ? u"κανένα είδος του αρχείου δεν έχει λογαριασμό αγορών"
                                   : u"κανένα είδος του αρχείου δεν έχει λογαριασμό πωλήσεων",
                    0};
        return {{}, u"κανένα είδος με λογαριασμό δεν μοιάζει στο όνομα", 0};
    }
    // The item's rate: the one of its larger amount.
    const RateAmount* rate = nullptr;
    for (const RateAmount& held : need.rates)
        if (rate == nullptr || std::llabs(held.amount) > std::llabs(rate->amount)) rate = &held;
    const std::optional<long long> whole = rate != nullptr ? WholeRate(rate->rate) : std::nullopt;
    const bool atRate = m_rateWidth != 0 && whole.has_value();
    const long long itemRate = whole.value_or(-1);

    struct Vote {
        std::string purchases, sales;
        float weight = 0.0f;
        std::vector<std::uint32_t> voters;
    };
    std::vector<Vote> votes;
    float total = 0.0f;
    for (const Neighbour& neighbour : neighbours) {
        const Kept& kept = m_kept[neighbour.kept];
        std::string purchases =
            need.purchases ? (atRate ? AtRate(kept.purchases, itemRate) : std::string(kept.purchases)) : "";
        std::string sales = need.sales ? (atRate ? AtRate(kept.sales, itemRate) : std::string(kept.sales)) : "";
        auto vote = std::find_if(votes.begin(), votes.end(),
                                 [&](const Vote& v) { return v.purchases == purchases && v.sales == sales; });
        if (vote == votes.end())
            vote = votes.insert(votes.end(), Vote{std::move(purchases), std::move(sales), 0.0f, {}});
        float weight = std::pow(neighbour.similarity, kVotePower);
        if (atRate && EndDigits(need.sales ? kept.sales : kept.purchases).second == itemRate) weight *= kSameRateFactor;
        vote->weight += weight;
        vote->voters.push_back(neighbour.kept);
        total += weight;
    }
    const Vote& winner =
        *std::max_element(votes.begin(), votes.end(), [](const Vote& a, const Vote& b) { return a.weight < b.weight; });
    const int confidence = total > 0.0f ? static_cast<int>(std::floor(winner.weight * 100.0f / total + 1e-4f)) : 0;

    std::u16string reason;
    if (neighbours.size() == 1) reason = u"όπως το παρόμοιο είδος";
    else
        reason =
            u"όπως " + CountText(winner.voters.size()) + u" από " + CountText(neighbours.size()) + u" παρόμοια είδη:";
    for (std::size_t i = 0; i < winner.voters.size() && i < 2; ++i)
        reason += (i == 0 ? u" «" : u", «") + Cp1253ToUtf16(m_kept[winner.voters[i]].name) + u"»";
    if (winner.voters.size() > 2) reason += u", …";
    if (atRate) {
        reason += u", στον συντελεστή " + Cp1253ToUtf16(RateText(rate->rate)) + u" %";
        if (need.rates.size() > 1) reason += u" (του μεγαλύτερου ποσού του)";
    }
    const std::string_view purchases = need.purchases ? std::string_view(winner.purchases) : PartBefore(need.current);
    const std::string_view sales = need.sales ? std::string_view(winner.sales) : PartAfter(need.current);
    return {Compose(purchases, sales), reason, confidence};
}

}  // namespace dralmoft
