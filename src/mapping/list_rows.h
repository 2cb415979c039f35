#pragma once
// The master-data list's rows as the window shows them: three texts each (the key, the
// name, the account) and a VAT row's exact rate. The window keeps them (the list view
// only counts them and asks for their texts), and the search box searches them here: a
// hundred thousand rows are searched as one contiguous text, not row by row.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dralmoft {

class ListRows {
public:
    struct Row {
        std::array<std::string, 3> texts;
        double rate = 0.0;  // a VAT row's exact rate
    };

    void Clear();
    void Add(std::string key, std::string name, std::string account, double rate = 0.0);
    void SetAccount(std::size_t row, std::string account);

    [[nodiscard]] std::size_t Size() const { return m_rows.size(); }
    [[nodiscard]] bool Empty() const { return m_rows.empty(); }
    [[nodiscard]] const Row& operator[](std::size_t row) const { return m_rows[row]; }

    // The first row one of whose texts holds `text`, compared byte for byte (case and
    // accents count); an empty text is in every row. Nothing when no row holds it.
    [[nodiscard]] std::optional<std::size_t> Find(std::string_view text) const;

private:
    // The rows' texts one after the other, each ended by a zero byte (which no searched
    // text holds, so no match runs from one text into the next), and where each row starts.
    void Index() const;

    std::vector<Row> m_rows;
    mutable std::string m_index;
    mutable std::vector<std::size_t> m_starts;
    mutable bool m_indexed = false;
};

}  // namespace dralmoft
