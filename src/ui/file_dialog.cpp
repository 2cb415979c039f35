#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace dralmoft {

std::optional<std::wstring> AskSaveFile(HWND owner, const std::wstring& title, std::wstring filter,
                                        const wchar_t* defaultExtension) {
    wchar_t folder[MAX_PATH * 4] = {};
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
    // The bars are the dialog's zero separators.
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
    return std::wstring(path.data());
}

}  // namespace dralmoft
