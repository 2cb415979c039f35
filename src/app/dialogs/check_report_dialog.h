#pragma once
// The period check's report (template 132): the problems in a list sortable by column,
// the totals below, the report saved as CSV. Enter or a double click on an account
// problem opens the account editor for its key, and «Προτάσεις...» the account proposals
// for all of them, unless the report is read-only (after an export's run, whose records
// are already composed).

#include <cstddef>
#include <string>
#include <vector>

#include "app/dialogs/account_editing.h"
#include "app/dialogs/app_dialog.h"
#include "check/check_report.h"
#include "data/file_system.h"
#include "ui/anchored_layout.h"
#include "ui/list_view.h"

namespace dralmoft {

class CheckReportDialog : public AppDialog {
public:
    // `period` names the period checked; `folder` is the company folder, whose files the
    // report is never saved over; `editing` null shows the report read-only.
    CheckReportDialog(HWND owner, const CheckReport& report, std::wstring period, FileSystem& files,
                      std::u16string folder, AccountEditing* editing);

    // The problems list's text of row `row` (as shown, after any sort), column `column`.
    [[nodiscard]] std::wstring ProblemText(int row, int column) const;
    // Whether the proposals window stored accounts: the check is to run again.
    [[nodiscard]] bool CheckAgain() const { return m_checkAgain; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Enter: the selected account problem, when the list has the focus.
    void OnOK() override;

private:
    void ShowHint();
    void FillLists();
    void GiveText(NMLVDISPINFOW& request) const;
    void SortProblems(int column);
    void MendSelected();
    void SaveReport();
    // «Προτάσεις...»: the proposals for the report's keys without an account.
    void ShowProposals();

    const CheckReport& m_report;
    std::wstring m_period;
    FileSystem& m_files;
    std::u16string m_folder;
    AccountEditing* m_editing;
    ListView m_problems;
    ListView m_totals;
    ListView m_accounts;
    // The problems in the order shown, by their index in the report; per problem, what
    // was set for its account from here.
    std::vector<std::size_t> m_order;
    std::vector<std::wstring> m_mended;
    int m_sortColumn = -1;
    bool m_descending = false;
    TextLines m_totalLines;
    TextLines m_accountLines;
    AnchoredLayout m_layout;
    bool m_checkAgain = false;
};

}  // namespace dralmoft
