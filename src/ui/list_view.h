#pragma once
// The report-style list view, with the program's texts (1253) in and out.

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace dralmoft {

class ListView : public Control {
public:
    // Puts an owner-data twin in the place of the list: same id, place, styles, font and
    // tab order. Its rows are only counted; their texts come from the owner through
    // LVN_GETDISPINFO, so a hundred thousand rows cost next to nothing.
    void MakeOwnerData();
    // The number of rows of an owner-data list.
    void SetItemCount(int count) const;
    // Repaints rows whose texts the owner changed.
    void RedrawItems(int first, int last) const;

    void InsertColumn(int index, std::string_view caption, int width) const;
    void InsertColumn(int index, std::wstring caption, int width, bool alignRight = false) const;
    [[nodiscard]] int ColumnCount() const;
    void DeleteColumn(int index) const;

    [[nodiscard]] int ItemCount() const;
    void DeleteAllItems() const;
    [[nodiscard]] std::string GetItemText(int row, int column) const;

    [[nodiscard]] int SelectedCount() const;
    // The first selected row after `after` (-1: from the top), or -1.
    [[nodiscard]] int NextSelected(int after) const;
    void SetSelected(int row, bool selected) const;
    void EnsureVisible(int row) const;
    [[nodiscard]] RECT ItemRect(int row) const;

    void SetExtendedStyle(DWORD style) const;
    [[nodiscard]] DWORD ExtendedStyle() const;
};

// Answers an owner-data list's request for a text, cut to the room it gives.
void AnswerTextRequest(NMLVDISPINFOW& request, std::wstring_view text);

// An owner-data list's texts held by its owner, row by column.
using TextLines = std::vector<std::vector<std::wstring>>;
// Answers the request from `lines`; a cell they lack is empty.
void AnswerFromLines(NMLVDISPINFOW& request, const TextLines& lines);

// Adds a column per '|'-separated caption of `captions`, with the widths given (pixels);
// the columns whose flag is set in `alignRight` hold numbers.
void InsertColumns(const ListView& list, std::wstring_view captions, std::span<const int> widths,
                   std::span<const bool> alignRight = {});

}  // namespace dralmoft
