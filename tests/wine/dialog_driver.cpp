#include "dialog_driver.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dralmoft::test {
namespace {

struct Search {
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (process == ::GetCurrentProcessId() && std::wstring(className) == L"#32770" && ::IsWindowVisible(window) &&
        TextOf(window) == *search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(TextOf(child));
    return TRUE;
}

}  // namespace

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    ::SendMessageW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring ListCell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::wstring> ListColumn(HWND list, int column) {
    std::vector<std::wstring> cells;
    const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) cells.push_back(ListCell(list, row, column));
    return cells;
}

void SelectRow(HWND list, int row) {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

ModalAnswer::ModalAnswer(std::wstring title, std::function<void(HWND)> act)
    : m_title(std::move(title)), m_act(std::move(act)), m_thread([this] { Run(); }) {}

ModalAnswer::~ModalAnswer() {
    if (m_thread.joinable()) m_thread.join();
}

void ModalAnswer::Run() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        Search search{&m_title, nullptr};
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            ::Sleep(50);  // let it finish opening
            ::EnumChildWindows(search.found, CollectText, reinterpret_cast<LPARAM>(&m_texts));
            m_found = true;
            if (m_act) m_act(search.found);
            else Press(search.found, IDOK);
            return;
        }
        ::Sleep(25);
    }
}

bool ModalAnswer::Found() {
    if (m_thread.joinable()) m_thread.join();
    return m_found;
}

const std::vector<std::wstring>& ModalAnswer::Texts() {
    Found();
    return m_texts;
}

std::wstring ModalAnswer::AllText() {
    std::wstring all;
    for (const std::wstring& text : Texts()) all += text + L"\n";
    return all;
}

void Press(HWND dialog, int id) {
    const HWND button = ::GetDlgItem(dialog, id);
    if (button != nullptr) ::SendMessageW(button, BM_CLICK, 0, 0);
    else ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void Type(HWND dialog, int id, const std::wstring& text) {
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

CurrentDirectory::CurrentDirectory(const std::wstring& folder) {
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    m_previous = previous;
    ::SetCurrentDirectoryW(folder.c_str());
}

CurrentDirectory::~CurrentDirectory() { ::SetCurrentDirectoryW(m_previous.c_str()); }

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return "<missing>";
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace dralmoft::test
