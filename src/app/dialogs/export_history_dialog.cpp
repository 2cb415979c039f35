#include "app/dialogs/export_history_dialog.h"

#include "app/dialogs/batch_documents_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "log/windows/export_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

constexpr int kWidths[] = {36, 100, 90, 140, 110, 70, 75, 150};
constexpr bool kNumbers[] = {true, false, false, false, false, true, true, false};

std::vector<std::wstring> LineOf(const ExportBatch& batch) {
    const std::wstring state =
        batch.Undone() ? LoadMessage(IDS_BATCH_UNDONE, {BatchTime(batch.undoneWhen, true), AsWide(batch.undoneBy)})
        : batch.state == BatchState::Pending ? LoadWideString(IDS_BATCH_PENDING)
                                             : LoadWideString(IDS_BATCH_STANDING);
    return {std::to_wstring(batch.number),
            BatchTime(batch.when, true),
            AuthorText(batch.user, batch.machine),
            BatchPeriodText(batch),
            AsWide(batch.path),
            std::to_wstring(batch.documents),
            std::to_wstring(batch.records),
            state};
}

}  // namespace

ExportHistoryDialog::ExportHistoryDialog(HWND owner, ExportLog& log, std::wstring logName)
    : AppDialog(IDD_EXPORT_HISTORY, owner), m_log(log), m_logName(std::move(logName)) {}

BOOL ExportHistoryDialog::OnInitDialog() {
    m_list.Attach(::GetDlgItem(Handle(), IDC_HISTORY_LIST));
    m_layout.Capture(Handle(),
                     {Widened(IDC_HISTORY_HINT), Stretched(IDC_HISTORY_LIST), BottomRight(IDC_HISTORY_DOCUMENTS),
                      BottomRight(IDC_HISTORY_UNDO), BottomRight(IDCANCEL)});
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    InsertColumns(m_list, LoadWideString(IDS_HISTORY_COLUMNS), kWidths, kNumbers);
    Reload();
    AppDialog::OnInitDialog();
    return TRUE;
}

void ExportHistoryDialog::Reload() {
    m_batches.clear();
    if (m_log.IsOpen()) {
        if (const LogStatus status = m_log.History(m_batches); !status.ok) {
            m_batches.clear();
            ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {m_logName, LogStatusText(status)});
        }
    }
    m_lines.clear();
    for (const ExportBatch& batch : m_batches) m_lines.push_back(LineOf(batch));
    const int selected = std::max(0, m_list.NextSelected(-1));
    m_list.SetItemCount(static_cast<int>(m_lines.size()));
    m_list.RedrawItems(0, static_cast<int>(m_lines.size()) - 1);
    if (!m_lines.empty()) m_list.SetSelected(std::min(selected, static_cast<int>(m_lines.size()) - 1), true);
    const std::wstring hint =
        CompanyText() + (m_batches.empty()
                             ? LoadMessage(IDS_HISTORY_EMPTY, {m_logName})
                             : LoadMessage(IDS_HISTORY_HINT, {std::to_wstring(m_batches.size()), m_logName}));
    ::SetDlgItemTextW(Handle(), IDC_HISTORY_HINT, hint.c_str());
    for (const int id : {IDC_HISTORY_DOCUMENTS, IDC_HISTORY_UNDO})
        ::EnableWindow(::GetDlgItem(Handle(), id), !m_batches.empty());
}

std::optional<ExportBatch> ExportHistoryDialog::Selected() const {
    const int row = m_list.NextSelected(-1);
    if (row < 0 || static_cast<std::size_t>(row) >= m_batches.size()) return std::nullopt;
    return m_batches[static_cast<std::size_t>(row)];
}

void ExportHistoryDialog::ShowDocuments() {
    // A copy: the list is read again whenever the window comes back to the front.
    const std::optional<ExportBatch> batch = Selected();
    if (!batch) return;
    std::vector<LoggedDocument> documents;
    if (const LogStatus status = m_log.Documents(batch->number, documents); !status.ok) {
        ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {m_logName, LogStatusText(status)});
        return;
    }
    BatchDocumentsDialog dialog(Handle(), *batch, documents);
    dialog.DoModal();
    Reload();
}

std::wstring ExportHistoryDialog::CompanyText() {
    FolderCompany company;
    if (!m_log.Company(company).ok) return {};
    if (company.key.empty()) return LoadWideString(IDS_HISTORY_NO_COMPANY);
    return company.former.empty()
               ? LoadMessage(IDS_HISTORY_COMPANY, {AsWide(company.name)})
               : LoadMessage(IDS_HISTORY_FORMER_COMPANY, {AsWide(company.name), AsWide(company.former)});
}

void ExportHistoryDialog::UndoSelected() {
    const std::optional<ExportBatch> batch = Selected();
    if (!batch) return;
    const std::wstring number = std::to_wstring(batch->number);
    if (batch->Undone() || batch->state == BatchState::Pending) {
        ShowInformation(Handle(), LoadMessage(batch->Undone() ? IDS_FORGET_ALREADY : IDS_UNDO_PENDING, {number}));
        return;
    }
    // The question says what becomes of each of its documents, as the log stands now.
    UndoResult result = UndoResult::Unknown;
    UndoEffect effect;
    if (const LogStatus status = m_log.PreviewUndo(batch->number, result, effect); !status.ok) {
        ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {m_logName, LogStatusText(status)});
        return;
    }
    if (!AskYesNo(Handle(), LoadMessage(IDS_UNDO_QUESTION,
                                        {number, BatchTime(batch->when, true), std::to_wstring(batch->documents),
                                         AsWide(batch->path), UndoEffectText(effect, L"\n")})))
        return;
    const ExportAuthor author = CurrentExportAuthor();
    if (const LogStatus status = m_log.Undo(batch->number, author.when, author.user, result, &effect); !status.ok) {
        ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {m_logName, LogStatusText(status)});
        return;
    }
    // Another user may have undone it in the meantime.
    Reload();
    const std::wstring told = result == UndoResult::Undone
                                  ? LoadMessage(IDS_FORGOTTEN, {number, UndoEffectText(effect, L" ")})
                              : result == UndoResult::Pending ? LoadMessage(IDS_UNDO_PENDING, {number})
                                                              : LoadMessage(IDS_FORGET_ALREADY, {number});
    ::SetDlgItemTextW(Handle(), IDC_HISTORY_HINT, told.c_str());
}

bool ExportHistoryDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED && id == IDC_HISTORY_DOCUMENTS) {
        ShowDocuments();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_HISTORY_UNDO) {
        UndoSelected();
        return true;
    }
    return AppDialog::OnCommand(id, code, control);
}

bool ExportHistoryDialog::OnNotify(NMHDR& header, LRESULT&) {
    switch (header.code) {
        case LVN_GETDISPINFOW: AnswerFromLines(reinterpret_cast<NMLVDISPINFOW&>(header), m_lines); return true;
        case NM_DBLCLK: ShowDocuments(); return true;
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) UndoSelected();
            return true;
        default: return false;
    }
}

void ExportHistoryDialog::OnOK() {
    if (::GetFocus() == m_list.Handle()) ShowDocuments();
}

bool ExportHistoryDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    // Back in front after another window (an export of another program, another user's
    // undo): the log is read again. Not at the first activation: it was just read.
    if (message == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) m_wasInactive = true;
        else if (m_wasInactive) Reload();
    }
    return m_layout.Handle(message, lParam, result);
}

}  // namespace dralmoft
