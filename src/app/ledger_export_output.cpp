// The output file and its layout: the "..." button and the layout radio buttons.
#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "app/ledger_export_dialog.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

void LedgerExportDialog::OnLayoutChanged() {
    if (m_fixedLengthRadio.GetCheck() == BST_CHECKED) {
        m_separatorEdit.Enable(false);
    } else {
        m_separatorEdit.Enable(true);
        m_separatorEdit.Focus();
    }
}

void LedgerExportDialog::BrowseOutputFile() {
    wchar_t folder[MAX_PATH * 4] = {};
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);

    // "description|patterns||" with the bars as the dialog's zero separators.
    std::wstring filter = LoadWideString(IDS_BROWSE_FILTER);
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    const std::wstring title = LoadWideString(IDS_BROWSE_TITLE);
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = title.c_str();
    // OFN_NOCHANGEDIR: the account files stay those of the folder the program started in.
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&dialog)) return;
    m_fileEdit.SetWideText(path.data());  // as chosen, in any language
}

}  // namespace dralmoft
