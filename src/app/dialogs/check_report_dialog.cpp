#include "app/dialogs/check_report_dialog.h"

#include <algorithm>

#include "app/dialogs/error_message.h"
#include "app/dialogs/proposals_dialog.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "base/code_page.h"
#include "check/check_report_csv.h"
#include "export/journal_record.h"
#include "proposal/report_proposals.h"
#include "session/kept_files.h"
#include "ui/file_dialog.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

// The problems list's columns: the report's five, then what was set from here.
constexpr int kProblemColumns = 6;
constexpr int kProblemWidths[kProblemColumns] = {165, 70, 75, 110, 240, 100};

std::wstring FromUtf8(const std::string& text) { return AsWide(Utf8ToUtf16(text).value_or(u"")); }

TextLines Wide(const std::vector<ReportLine>& lines) {
    TextLines wide;
    wide.reserve(lines.size());
    for (const ReportLine& line : lines) {
        std::vector<std::wstring>& fields = wide.emplace_back();
        for (const std::string& field : line) fields.push_back(FromUtf8(field));
    }
    return wide;
}

void AddColumns(const ListView& list, const ReportLine& header, int firstWidth, int width) {
    for (std::size_t column = 0; column < header.size(); ++column)
        list.InsertColumn(static_cast<int>(column), FromUtf8(header[column]), column == 0 ? firstWidth : width,
                          column != 0);
}

// The account a problem's record would carry now: the text cut as the records cut it.
std::string_view AccountFor(CheckCode code, std::string_view text, bool sale) {
    if (code == CheckCode::ItemAccount) return ItemAccountFor(text, sale);
    if (code == CheckCode::VatAccount) return VatAccountFor(text, sale);
    return text;
}

}  // namespace

CheckReportDialog::CheckReportDialog(HWND owner, const CheckReport& report, std::wstring period, FileSystem& files,
                                     std::u16string folder, AccountEditing* editing)
    : AppDialog(IDD_CHECK_REPORT, owner),
      m_report(report),
      m_period(std::move(period)),
      m_files(files),
      m_folder(std::move(folder)),
      m_editing(editing),
      m_mended(report.problems.size()) {
    m_order.resize(report.problems.size());
    for (std::size_t index = 0; index < m_order.size(); ++index) m_order[index] = index;
}

BOOL CheckReportDialog::OnInitDialog() {
    m_problems.Attach(::GetDlgItem(Handle(), IDC_REPORT_PROBLEMS));
    m_totals.Attach(::GetDlgItem(Handle(), IDC_REPORT_TOTALS));
    m_accounts.Attach(::GetDlgItem(Handle(), IDC_REPORT_ACCOUNTS));
    // The problems take the growth; the totals keep their height at the bottom and share
    // the width three to two; the buttons keep to the bottom right.
    constexpr double kTotalsShare = 0.6;
    m_layout.Capture(Handle(), {Widened(IDC_REPORT_HINT),
                                Stretched(IDC_REPORT_PROBLEMS),
                                {IDC_REPORT_TOTALS_CAPTION, 0, 1, kTotalsShare, 1},
                                {IDC_REPORT_TOTALS, 0, 1, kTotalsShare, 1},
                                {IDC_REPORT_ACCOUNTS_CAPTION, kTotalsShare, 1, 1, 1},
                                {IDC_REPORT_ACCOUNTS, kTotalsShare, 1, 1, 1},
                                BottomRight(IDC_REPORT_PROPOSALS),
                                BottomRight(IDC_REPORT_SAVE),
                                BottomRight(IDCANCEL)});
    // Proposals are stored in the account files: not from a read-only report, nor for a
    // report without a key to give an account to.
    if (m_editing == nullptr || m_report.missing.empty())
        ::ShowWindow(::GetDlgItem(Handle(), IDC_REPORT_PROPOSALS), SW_HIDE);
    ShowHint();
    FillLists();
    AppDialog::OnInitDialog();
    return TRUE;
}

void CheckReportDialog::ShowHint() {
    const std::size_t blocking = m_report.BlockingCount();
    const std::wstring information = std::to_wstring(m_report.problems.size() - blocking);
    const UINT hint = m_editing != nullptr ? IDS_REPORT_HINT : IDS_REPORT_HINT_READ_ONLY;
    ::SetDlgItemTextW(Handle(), IDC_REPORT_HINT,
                      LoadMessage(hint, {std::to_wstring(blocking), information, m_period}).c_str());
}

void CheckReportDialog::FillLists() {
    const DWORD style = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    m_problems.SetExtendedStyle(style);
    const ReportLine header = ProblemsHeader();
    for (int column = 0; column < kProblemColumns; ++column) {
        std::wstring caption = column < static_cast<int>(header.size())
                                   ? FromUtf8(header[static_cast<std::size_t>(column)])
                                   : LoadWideString(IDS_ACCOUNT);
        m_problems.InsertColumn(column, std::move(caption), kProblemWidths[column]);
    }
    m_problems.SetItemCount(static_cast<int>(m_order.size()));
    if (!m_order.empty()) m_problems.SetSelected(0, true);

    m_totalLines = Wide(TotalsLines(m_report));
    m_totals.SetExtendedStyle(style);
    AddColumns(m_totals, TotalsHeader(), 65, 70);
    m_totals.SetItemCount(static_cast<int>(m_totalLines.size()));
    m_accountLines = Wide(AccountLines(m_report));
    m_accounts.SetExtendedStyle(style);
    AddColumns(m_accounts, AccountsHeader(), 100, 60);
    m_accounts.SetItemCount(static_cast<int>(m_accountLines.size()));
}

std::wstring CheckReportDialog::ProblemText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_order.size()) return {};
    const std::size_t index = m_order[static_cast<std::size_t>(row)];
    const CheckProblem& problem = m_report.problems[index];
    switch (column) {
        case 0: return AsWide(CheckCodeTitle(problem.code));
        case 1: return AsWide(m_report.Reference(problem));
        case 2: return Part(m_report.DocumentOf(problem).Date());
        case 3: return AsWide(m_report.Key(problem));
        case 4: return AsWide(CheckDescription(problem.code));
        case 5: return m_mended[index];
        default: return {};
    }
}

void CheckReportDialog::GiveText(NMLVDISPINFOW& request) const {
    if (!(request.item.mask & LVIF_TEXT)) return;
    switch (request.hdr.idFrom) {
        case IDC_REPORT_PROBLEMS:
            AnswerTextRequest(request, ProblemText(request.item.iItem, request.item.iSubItem));
            break;
        case IDC_REPORT_TOTALS: AnswerFromLines(request, m_totalLines); break;
        case IDC_REPORT_ACCOUNTS: AnswerFromLines(request, m_accountLines); break;
        default: break;
    }
}

bool CheckReportDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code == LVN_GETDISPINFOW) {
        GiveText(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    }
    if (header.idFrom != IDC_REPORT_PROBLEMS) return false;
    if (header.code == LVN_COLUMNCLICK) {
        SortProblems(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return true;
    }
    if (header.code == NM_DBLCLK) {
        MendSelected();
        return true;
    }
    (void)result;
    return false;
}

void CheckReportDialog::SortProblems(int column) {
    // The same column again turns the order round.
    m_descending = column == m_sortColumn && !m_descending;
    m_sortColumn = column;
    std::vector<std::wstring> texts(m_report.problems.size());
    for (std::size_t row = 0; row < m_order.size(); ++row) {
        texts[m_order[row]] = ProblemText(static_cast<int>(row), column);
    }
    std::sort(m_order.begin(), m_order.end());
    std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
        return m_descending ? texts[b] < texts[a] : texts[a] < texts[b];
    });
    m_problems.RedrawItems(0, static_cast<int>(m_order.size()) - 1);
}

void CheckReportDialog::MendSelected() {
    const int row = m_problems.NextSelected(-1);
    if (m_editing == nullptr || row < 0 || static_cast<std::size_t>(row) >= m_order.size()) return;
    const CheckProblem& chosen = m_report.problems[m_order[static_cast<std::size_t>(row)]];
    if (!IsAccountProblem(chosen.code)) return;
    const AccountKind kind = AccountKindOf(chosen.code);
    const std::u16string_view key = m_report.Key(chosen);
    const std::string text = m_editing->EditAccountOf(Handle(), kind, Utf16ToCp1253(key));
    // Every row of the key shows what its record would carry now (an item's rows by the
    // cut of their own kind of document).
    for (std::size_t index = 0; index < m_report.problems.size(); ++index) {
        const CheckProblem& problem = m_report.problems[index];
        if (!IsAccountProblem(problem.code) || AccountKindOf(problem.code) != kind || m_report.Key(problem) != key)
            continue;
        const std::string_view account = AccountFor(problem.code, text, m_report.DocumentOf(problem).sale);
        m_mended[index] = account.empty() ? std::wstring() : LoadMessage(IDS_REPORT_ACCOUNT_SET, {Part(account)});
    }
    m_problems.RedrawItems(0, static_cast<int>(m_order.size()) - 1);
}

void CheckReportDialog::SaveReport() {
    const std::optional<std::wstring> path =
        AskSaveFile(Handle(), LoadWideString(IDS_REPORT_SAVE_TITLE), LoadWideString(IDS_REPORT_SAVE_FILTER), L"csv");
    if (!path) return;
    if (const std::optional<KeptFile> kept = KeptFileAt(m_files, m_folder, AsUtf16(*path))) {
        ShowErrorText(Handle(), KeptFileText(*kept, *path, m_folder, WrittenFile::Report));
        return;
    }
    const FileStatus saved = SaveCheckReport(m_files, AsUtf16(*path), m_report);
    if (!saved.ok) {
        ShowErrorText(Handle(), ReportNotSavedText(*path, saved));
        return;
    }
    ::SetDlgItemTextW(Handle(), IDC_REPORT_HINT, LoadMessage(IDS_REPORT_SAVED, {*path}).c_str());
}

void CheckReportDialog::ShowProposals() {
    if (m_editing == nullptr || m_report.missing.empty()) return;
    ProposalsDialog proposals(Handle(), m_report, *m_editing);
    proposals.DoModal();
    if (!proposals.Stored()) return;
    m_checkAgain = true;
    EndDialog(IDOK);
}

bool CheckReportDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_REPORT_SAVE && code == BN_CLICKED) {
        SaveReport();
        return true;
    }
    if (id == IDC_REPORT_PROPOSALS && code == BN_CLICKED) {
        ShowProposals();
        return true;
    }
    return AppDialog::OnCommand(id, code, control);
}

void CheckReportDialog::OnOK() {
    if (::GetFocus() == m_problems.Handle()) MendSelected();
}

bool CheckReportDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    return m_layout.Handle(message, lParam, result);
}

}  // namespace dralmoft
