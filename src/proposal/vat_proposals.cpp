#include "proposal/vat_proposals.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "export/journal_record.h"
#include "proposal/account_digits.h"
#include "proposal/trader_proposals.h"

namespace dralmoft {
namespace {

constexpr std::size_t kFields = 3;  // X, purchases, sales

std::array<std::string, kFields> Fields(const std::string& accounts) {
    VatFields fields = VatFieldsOf(accounts);
    return {std::move(fields.x), std::move(fields.purchases), std::move(fields.sales)};
}

// A field as a rate gives it: the same text for every rate, or prefix + (rate + offset)
// in `width` digits.
struct FieldPattern {
    bool constant = true;
    std::string text;  // the constant, or the prefix
    std::size_t width = 0;
    long long offset = 0;

    [[nodiscard]] std::optional<std::string> For(long long rate) const {
        if (constant) return text;
        std::string digits = std::to_string(rate + offset);
        if (rate + offset < 0 || digits.size() > width) return std::nullopt;
        digits.insert(0, width - digits.size(), '0');
        return text + digits;
    }
    auto operator<=>(const FieldPattern&) const = default;
};

// The patterns one rate's field fits: its own text, and the digit pattern of its end.
std::vector<FieldPattern> PatternsOf(const std::string& field, std::optional<long long> rate) {
    std::vector<FieldPattern> patterns{{true, field, 0, 0}};
    const auto [prefix, digits] = SplitEndDigits(field);
    if (const std::optional<long long> value = DigitsValue(digits); rate && value)
        patterns.push_back({false, std::string(prefix), digits.size(), *value - *rate});
    return patterns;
}

// The pattern most rates' field `index` fits; a digit pattern wins a tie, since a constant
// that one rate happens to have is no evidence.
FieldPattern CommonPattern(const VatAccountMap& kept, std::size_t index) {
    std::map<FieldPattern, std::size_t> counts;
    for (const auto& [rate, accounts] : kept)
        for (const FieldPattern& pattern : PatternsOf(Fields(accounts)[index], WholeRate(rate))) ++counts[pattern];
    FieldPattern best;
    std::size_t most = 0;
    for (const auto& [pattern, count] : counts)
        if (count > most || (count == most && !pattern.constant)) {
            best = pattern;
            most = count;
        }
    return best;
}

}  // namespace

Proposal ProposeVatAccounts(const VatAccountMap& kept, double rate) {
    const std::optional<long long> whole = WholeRate(rate);
    if (!whole) return {{}, u"ο συντελεστής έχει δεκαδικά: δεν μπαίνει σε μοτίβο λογαριασμών", 0};
    std::vector<FieldPattern> patterns;
    bool withRate = false;
    for (std::size_t i = 0; i < kFields; ++i) {
        patterns.push_back(CommonPattern(kept, i));
        withRate = withRate || !patterns.back().constant;
    }
    std::size_t following = 0;
    for (const auto& [keptRate, accounts] : kept) {
        const std::optional<long long> keptWhole = WholeRate(keptRate);
        const std::array<std::string, kFields> fields = Fields(accounts);
        bool follows = true;
        for (std::size_t i = 0; i < kFields && follows; ++i)
            follows = (patterns[i].constant || keptWhole) &&
                      patterns[i].For(keptWhole.value_or(0)) == std::optional<std::string>(fields[i]);
        following += follows ? 1 : 0;
    }
    const int share = kept.Empty() ? 0 : static_cast<int>(following * 100 / kept.Size());
    if (!withRate || following < 2 || share < kSharedShare)
        return {{}, u"οι λογαριασμοί των άλλων συντελεστών δεν έχουν κοινό μοτίβο", 0};
    std::array<std::string, kFields> proposed;
    for (std::size_t i = 0; i < kFields; ++i) {
        const std::optional<std::string> field = patterns[i].For(*whole);
        if (!field) return {{}, u"ο συντελεστής δεν χωρά στο μοτίβο των άλλων συντελεστών", 0};
        proposed[i] = *field;
    }
    return {VatText({proposed[0], proposed[1], proposed[2]}), u"το μοτίβο των άλλων συντελεστών", share};
}

VatFields VatFieldsOf(std::string_view text) {
    const std::string_view after = PartAfter(text);
    return {std::string(PartBefore(text)), std::string(PartBefore(after)), std::string(PartAfter(after))};
}

std::string VatText(const VatFields& fields) {
    if (fields.x.empty() && fields.purchases.empty()) return fields.sales;
    return fields.x + ";" + fields.purchases + ";" + fields.sales;
}

}  // namespace dralmoft
