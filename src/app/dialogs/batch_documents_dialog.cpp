#include "app/dialogs/batch_documents_dialog.h"

#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"

namespace dralmoft {
namespace {

constexpr int kWidths[] = {60, 120, 60, 70, 75, 85};
constexpr bool kNumbers[] = {false, false, false, true, false, false};

std::vector<std::wstring> LineOf(const LoggedDocument& document) {
    const DocumentIdentity& identity = document.identity;
    return {LoadWideString(identity.sale ? IDS_SALE : IDS_PURCHASE),
            Part(identity.name),
            Part(identity.series),
            std::to_wstring(identity.number),
            IsoDayText(document.date),
            Part(identity.taxId)};
}

}  // namespace

BatchDocumentsDialog::BatchDocumentsDialog(HWND owner, const ExportBatch& batch,
                                           const std::vector<LoggedDocument>& documents)
    : AppDialog(IDD_BATCH_DOCUMENTS, owner),
      m_hint(LoadMessage(IDS_DOCUMENTS_HINT, {std::to_wstring(documents.size()), std::to_wstring(batch.number),
                                              BatchTime(batch.when, true), BatchPeriodText(batch)})) {
    m_lines.reserve(documents.size());
    for (const LoggedDocument& document : documents) m_lines.push_back(LineOf(document));
}

BOOL BatchDocumentsDialog::OnInitDialog() {
    m_list.Attach(::GetDlgItem(Handle(), IDC_DOCUMENTS_LIST));
    m_layout.Capture(Handle(), {Widened(IDC_DOCUMENTS_HINT), Stretched(IDC_DOCUMENTS_LIST), BottomRight(IDCANCEL)});
    ::SetDlgItemTextW(Handle(), IDC_DOCUMENTS_HINT, m_hint.c_str());
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    InsertColumns(m_list, LoadWideString(IDS_DOCUMENTS_COLUMNS), kWidths, kNumbers);
    m_list.SetItemCount(static_cast<int>(m_lines.size()));
    if (!m_lines.empty()) m_list.SetSelected(0, true);
    AppDialog::OnInitDialog();
    return TRUE;
}

bool BatchDocumentsDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.code != LVN_GETDISPINFOW) return false;
    AnswerFromLines(reinterpret_cast<NMLVDISPINFOW&>(header), m_lines);
    return true;
}

bool BatchDocumentsDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    return m_layout.Handle(message, lParam, result);
}

}  // namespace dralmoft
