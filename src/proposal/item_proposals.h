#pragma once
// Accounts for the items a period meets without one, from the items of the file that have
// accounts: the item's name is the evidence. The kept items most like it by name (their
// words and the parts of their words, so that "Βίδες" meets "Βίδα") vote for their
// accounts, each with its similarity, and the account with most of the vote is proposed;
// its share of the vote is the confidence.
//
// Only the sides the period lacks are proposed ("purchases;sales"; a single account is the
// sales side): an item with a sales account that is now bought gets a purchases side, and
// keeps its sales side as it is. When the accounts of the file carry a VAT rate in their
// last digits (items at 24 % in ...0024, at 13 % in ...0013), a neighbour's account votes
// with the item's own rate in its place: an item at a rate its neighbours are not gets
// their account at its rate.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/check_report.h"
#include "mapping/account_map.h"
#include "proposal/proposal.h"

namespace dralmoft {

// What the period asks for an item.
struct ItemNeed {
    std::string_view name;     // Windows-1253: the item file's key
    std::string_view current;  // its account text now: empty, or holding the side it has
    bool purchases = false;    // a purchase lacks the purchases side
    bool sales = false;        // a sale lacks the sales side
    std::vector<RateAmount> rates;
};

class ItemProposer {
public:
    // `items`: the item file's table, which must outlive the proposer. `rates`: the rates
    // an account's digits may stand for (the VAT file's, and the period's).
    ItemProposer(const AccountMap& items, const std::vector<double>& rates);

    [[nodiscard]] Proposal Propose(const ItemNeed& need) const;

    // A name's features before their rarity is known: each feature's hash, and its weight
    // in the name.
    using RawFeatures = std::vector<std::pair<std::uint64_t, float>>;

private:
    struct Feature {
        std::uint32_t id;
        float weight;
    };
    struct Kept {
        std::string_view name;
        std::string_view purchases;
        std::string_view sales;
        std::vector<Feature> features;  // by id, of length 1
    };
    struct Neighbour {
        std::uint32_t kept;
        float similarity;
    };

    // The features of a name with their weights (weight in the name times rarity), of
    // length 1, by id; features no kept name has count in the length only.
    [[nodiscard]] std::vector<Feature> FeaturesOf(std::string_view name) const;
    // A name's features (hash and weight in the name) with their rarity.
    [[nodiscard]] std::vector<Feature> Weighed(const RawFeatures& raw) const;
    // The kept items most like `features` that have every side `need` lacks.
    [[nodiscard]] std::vector<Neighbour> Neighbours(const std::vector<Feature>& features, const ItemNeed& need) const;
    // A side's account as a neighbour gives it to an item at `rate`.
    [[nodiscard]] std::string AtRate(std::string_view account, long long rate) const;

    std::vector<Kept> m_kept;
    std::unordered_map<std::uint64_t, std::uint32_t> m_ids;  // a feature's hash to its id
    std::vector<std::uint32_t> m_counts;                     // the kept names holding each feature
    std::vector<float> m_idf;
    std::vector<std::vector<Neighbour>> m_postings;  // per feature: the kept names and its weight there
    std::vector<long long> m_rates;                  // whole rates, ascending
    std::size_t m_rateWidth = 0;                     // 0: the accounts do not carry the rate
    // Per kept name, in a byte: which sides it has (looked at for every posting).
    static constexpr std::uint8_t kPurchases = 1;
    static constexpr std::uint8_t kSales = 2;
    std::vector<std::uint8_t> m_sides;
    mutable std::vector<float> m_scores;  // per kept name, while a proposal is made
};

}  // namespace dralmoft
