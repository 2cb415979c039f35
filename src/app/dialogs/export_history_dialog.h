#pragma once
// The export history (template 133): the batches of the export log, newest first, with
// their documents ("Έγγραφα", Enter or a double click) and their undo ("Αναίρεση...",
// or Delete, after a question that says what becomes of each document). It reads the log
// again after each of its own actions and whenever it comes back to the front.

#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/app_dialog.h"
#include "log/export_log.h"
#include "ui/anchored_layout.h"
#include "ui/list_view.h"

namespace dralmoft {

class ExportHistoryDialog : public AppDialog {
public:
    // `log` is open, or closed when the folder has none yet; `logName` names it in texts.
    ExportHistoryDialog(HWND owner, ExportLog& log, std::wstring logName);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Enter: the selected batch's documents, when the list has the focus.
    void OnOK() override;

private:
    // Reads the batches again and shows them; the hint counts them.
    void Reload();
    // The folder's company, as the header names it (nothing when the log cannot say).
    [[nodiscard]] std::wstring CompanyText();
    [[nodiscard]] std::optional<ExportBatch> Selected() const;
    void ShowDocuments();
    void UndoSelected();

    ExportLog& m_log;
    std::wstring m_logName;
    ListView m_list;
    std::vector<ExportBatch> m_batches;
    TextLines m_lines;
    AnchoredLayout m_layout;
    bool m_wasInactive = false;  // another window came in front since the window opened
};

}  // namespace dralmoft
