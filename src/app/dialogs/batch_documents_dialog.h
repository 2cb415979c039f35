#pragma once
// The documents of one export batch (template 134), as the log holds them.

#include <string>
#include <vector>

#include "app/dialogs/app_dialog.h"
#include "log/export_log.h"
#include "ui/anchored_layout.h"
#include "ui/list_view.h"

namespace dralmoft {

class BatchDocumentsDialog : public AppDialog {
public:
    BatchDocumentsDialog(HWND owner, const ExportBatch& batch, const std::vector<LoggedDocument>& documents);

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    std::wstring m_hint;
    ListView m_list;
    TextLines m_lines;
    AnchoredLayout m_layout;
};

}  // namespace dralmoft
