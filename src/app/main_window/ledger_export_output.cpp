// The output file and its layout: the "..." button and the layout radio buttons.
#include "app/main_window/ledger_export_dialog.h"
#include "ui/file_dialog.h"
#include "win/string_table.h"

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
    const std::optional<std::wstring> path =
        AskSaveFile(Handle(), LoadWideString(IDS_BROWSE_TITLE), LoadWideString(IDS_BROWSE_FILTER));
    if (path) m_fileEdit.SetWideText(*path);  // as chosen, in any language
}

}  // namespace dralmoft
