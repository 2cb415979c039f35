#pragma once
// The measure of item proposals: a hand-labelled set of items (tests/data/proposals/
// items.tsv: name, category, rate), the accounts three charts give them, and 5-fold
// cross-validation: a fifth of the items is hidden, proposed from the rest, and compared
// with the account the chart gives it.

#include <cstddef>
#include <string>
#include <vector>

namespace dralmoft::test {

struct LabelledItem {
    std::string name;  // Windows-1253
    std::string category;
    int rate = 0;
};

// The set, read from the source tree (DRALMOFT_SOURCE_DIR); a line that is not a labelled
// item throws.
[[nodiscard]] std::vector<LabelledItem> LoadLabelledItems();

enum class Chart {
    PerCategory,         // purchases and sales account per category
    PerCategoryAndRate,  // the same, with the rate in the last digits
    SingleSales,         // one sales account, no purchases side
};
inline constexpr Chart kCharts[] = {Chart::PerCategory, Chart::PerCategoryAndRate, Chart::SingleSales};
[[nodiscard]] const char* ChartName(Chart chart);

// The account text the chart gives an item, as the item file keeps it.
[[nodiscard]] std::string ChartAccount(Chart chart, const LabelledItem& item);

struct Figures {
    std::size_t items = 0;
    std::size_t proposed = 0;
    std::size_t exact = 0;
    std::size_t confident = 0;  // proposed at or above the window's threshold
    std::size_t confidentExact = 0;

    [[nodiscard]] double Precision() const { return proposed ? 100.0 * exact / proposed : 0.0; }
    [[nodiscard]] double Coverage() const { return items ? 100.0 * proposed / items : 0.0; }
    [[nodiscard]] double Exact() const { return items ? 100.0 * exact / items : 0.0; }
    [[nodiscard]] double ConfidentPrecision() const { return confident ? 100.0 * confidentExact / confident : 0.0; }
    [[nodiscard]] double ConfidentCoverage() const { return items ? 100.0 * confident / items : 0.0; }
};

// Each item hidden once, in five folds (item i in fold i % 5); a hidden item is new: every
// side the chart gives is lacking. `misses` (optional) gets a line per wrong proposal.
// `threshold`: the confidence that counts as confident.
[[nodiscard]] Figures CrossValidate(const std::vector<LabelledItem>& items, Chart chart, int threshold,
                                    std::vector<std::string>* misses = nullptr);

}  // namespace dralmoft::test
