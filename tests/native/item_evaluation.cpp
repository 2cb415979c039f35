#include "item_evaluation.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "base/code_page.h"
#include "mapping/account_map.h"
#include "proposal/item_proposals.h"

namespace dralmoft::test {
namespace {

// The categories' numbers in the charts, as an accountant would open sub-accounts.
const std::map<std::string, std::string> kCategoryNumbers = {
    {"food", "01"},       {"drinks_soft", "02"}, {"drinks_alcohol", "03"}, {"hardware", "04"}, {"tools", "05"},
    {"electrical", "06"}, {"paint", "07"},       {"cleaning", "08"},       {"paper", "09"},    {"books", "10"},
    {"pharmacy", "11"},   {"services", "12"},    {"cosmetics", "13"},
};

std::string Utf8Of(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(utf8, text);
    return utf8;
}

std::string Rate4(int rate) {
    std::string digits = std::to_string(rate);
    return std::string(4 - digits.size(), '0') + digits;
}

}  // namespace

std::vector<LabelledItem> LoadLabelledItems() {
    std::ifstream in(DRALMOFT_SOURCE_DIR "/tests/data/proposals/items.tsv", std::ios::binary);
    std::vector<LabelledItem> items;
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, category, rate;
        std::getline(fields, name, '\t');
        std::getline(fields, category, '\t');
        std::getline(fields, rate, '\t');
        const std::optional<std::u16string> wide = Utf8ToUtf16(name);
        if (!wide || !kCategoryNumbers.count(category) || rate.empty())
            throw std::runtime_error("not a labelled item: " + line);
        items.push_back({Utf16ToCp1253(*wide), category, std::stoi(rate)});
    }
    return items;
}

const char* ChartName(Chart chart) {
    switch (chart) {
        case Chart::PerCategory: return "per-category";
        case Chart::PerCategoryAndRate: return "per-category-and-rate";
        case Chart::SingleSales: break;
    }
    return "single-sales";
}

std::string ChartAccount(Chart chart, const LabelledItem& item) {
    const std::string& number = kCategoryNumbers.at(item.category);
    // Services are sold as services and bought as outside services.
    const bool service = item.category == "services";
    const std::string purchases = service ? "64.00." + number : "20.00." + number;
    const std::string sales = service ? "73.00." + number : "70.00." + number;
    switch (chart) {
        case Chart::PerCategory: return purchases + ";" + sales;
        case Chart::PerCategoryAndRate:
            return purchases + ".00." + Rate4(item.rate) + ";" + sales + ".00." + Rate4(item.rate);
        case Chart::SingleSales: break;
    }
    return "70.00.00.0000";
}

Figures CrossValidate(const std::vector<LabelledItem>& items, Chart chart, int threshold,
                      std::vector<std::string>* misses) {
    constexpr std::size_t kFolds = 5;
    Figures figures;
    for (std::size_t fold = 0; fold < kFolds; ++fold) {
        AccountMap kept;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (i % kFolds != fold) kept[items[i].name] = ChartAccount(chart, items[i]);
        const ItemProposer proposer(kept, {6.0, 13.0, 24.0});
        for (std::size_t i = fold; i < items.size(); i += kFolds) {
            const LabelledItem& item = items[i];
            const std::string truth = ChartAccount(chart, item);
            ItemNeed need{item.name, "", chart != Chart::SingleSales, true, {{static_cast<double>(item.rate), 10000}}};
            const Proposal proposal = proposer.Propose(need);
            ++figures.items;
            if (proposal.account.empty()) continue;
            ++figures.proposed;
            const bool exact = proposal.account == truth;
            figures.exact += exact ? 1 : 0;
            if (proposal.confidence >= threshold) {
                ++figures.confident;
                figures.confidentExact += exact ? 1 : 0;
            }
            if (!exact && misses)
                misses->push_back(Utf8Of(Cp1253ToUtf16(item.name)) + " -> " + proposal.account + " (" + truth + ", " +
                                  std::to_string(proposal.confidence) + "): " + Utf8Of(proposal.reason));
        }
    }
    return figures;
}

}  // namespace dralmoft::test
