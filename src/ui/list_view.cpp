#include "ui/list_view.h"

#include <algorithm>
#include <vector>

#include "win/wide_text.h"

namespace dralmoft {
namespace {

constexpr std::size_t kLongestText = 1 << 16;

}  // namespace

void ListView::MakeOwnerData() {
    const HWND old = m_window;
    const HWND parent = ::GetParent(old);
    RECT place{};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const auto style = static_cast<DWORD>(::GetWindowLongW(old, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(old, GWL_EXSTYLE));
    const int id = ::GetDlgCtrlID(old);
    const HWND twin =
        ::CreateWindowExW(exStyle, WC_LISTVIEWW, L"", style | LVS_OWNERDATA, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (twin == nullptr) return;  // the plain list still works, only slower
    ::SendMessageW(twin, WM_SETFONT, ::SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    ::SetWindowPos(twin, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(old);
    m_window = twin;
}

void ListView::SetItemCount(int count) const {
    ::SendMessageW(m_window, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

void ListView::RedrawItems(int first, int last) const {
    ::SendMessageW(m_window, LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
    ::UpdateWindow(m_window);
}

void ListView::InsertColumn(int index, std::string_view caption, int width) const {
    InsertColumn(index, ToWide(caption), width);
}

void ListView::InsertColumn(int index, std::wstring text, int width, bool alignRight) const {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = alignRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = index;
    ::SendMessageW(m_window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListView::ColumnCount() const {
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(m_window, LVM_GETHEADER, 0, 0));
    return header == nullptr ? 0 : static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void ListView::DeleteColumn(int index) const {
    ::SendMessageW(m_window, LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
}

int ListView::ItemCount() const { return static_cast<int>(::SendMessageW(m_window, LVM_GETITEMCOUNT, 0, 0)); }

void ListView::DeleteAllItems() const { ::SendMessageW(m_window, LVM_DELETEALLITEMS, 0, 0); }

std::string ListView::GetItemText(int row, int column) const {
    // The control says how much it copied; a full buffer may mean more is there. A list
    // text is never longer than the largest buffer tried.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<std::size_t>(
            ::SendMessageW(m_window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size() || buffer.size() >= kLongestText)
            return FromWide(std::wstring_view(buffer.data(), std::min(copied, buffer.size() - 1)));
        buffer.resize(buffer.size() * 4);
    }
}

int ListView::SelectedCount() const { return static_cast<int>(::SendMessageW(m_window, LVM_GETSELECTEDCOUNT, 0, 0)); }

int ListView::NextSelected(int after) const {
    return static_cast<int>(::SendMessageW(m_window, LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
}

void ListView::SetSelected(int row, bool selected) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    ::SendMessageW(m_window, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::EnsureVisible(int row) const {
    ::SendMessageW(m_window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

RECT ListView::ItemRect(int row) const {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendMessageW(m_window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void ListView::SetExtendedStyle(DWORD style) const {
    ::SendMessageW(m_window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

DWORD ListView::ExtendedStyle() const {
    return static_cast<DWORD>(::SendMessageW(m_window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void AnswerTextRequest(NMLVDISPINFOW& request, std::wstring_view text) {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
}

void AnswerFromLines(NMLVDISPINFOW& request, const TextLines& lines) {
    const auto row = static_cast<std::size_t>(request.item.iItem);
    const auto column = static_cast<std::size_t>(request.item.iSubItem);
    if (row < lines.size() && column < lines[row].size()) AnswerTextRequest(request, lines[row][column]);
    else AnswerTextRequest(request, {});
}

void InsertColumns(const ListView& list, std::wstring_view captions, std::span<const int> widths,
                   std::span<const bool> alignRight) {
    std::size_t column = 0;
    for (std::size_t start = 0; start <= captions.size(); ++column) {
        const std::size_t end = std::min(captions.find(L'|', start), captions.size());
        const int width = column < widths.size() ? widths[column] : 80;
        const bool right = column < alignRight.size() && alignRight[column];
        list.InsertColumn(static_cast<int>(column), std::wstring(captions.substr(start, end - start)), width, right);
        start = end + 1;
    }
}

}  // namespace dralmoft
