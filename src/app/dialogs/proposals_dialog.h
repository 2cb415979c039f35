#pragma once
// The account proposals for a check's report (template 135): a row per key the period
// finds without an account, largest amount first, each with its proposal, reason and
// confidence. The sure ones are ticked; the user ticks or unticks (Space, a click on the
// box) and changes an account before it is taken (F2, Enter, a double click: the account
// editor). «Αποθήκευση επιλεγμένων» stores the ticked rows through the account files'
// merged save, tells what was stored and what not, and ends the window: the check then
// runs again.

#include <cstddef>
#include <string>
#include <vector>

#include "app/dialogs/account_editing.h"
#include "app/dialogs/app_dialog.h"
#include "check/check_report.h"
#include "proposal/report_proposals.h"
#include "ui/anchored_layout.h"
#include "ui/list_view.h"

namespace dralmoft {

class ProposalsDialog : public AppDialog {
public:
    ProposalsDialog(HWND owner, const CheckReport& report, AccountEditing& editing);

    // Whether rows were stored: the check is to run again.
    [[nodiscard]] bool Stored() const { return m_stored; }
    // The list's text of row `row` (as shown), column `column`; whether the row is ticked.
    [[nodiscard]] std::wstring RowText(int row, int column) const;
    [[nodiscard]] bool Ticked(int row) const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Enter: the selected row's account, when the list has the focus.
    void OnOK() override;

private:
    struct Row {
        KeyProposal key;
        bool ticked = false;
        bool edited = false;  // the user typed its account: never renumbered
    };

    void Toggle(int row);
    void EditRow(int row);
    void Store();
    // Rows refused because another key took their series number meanwhile, and not typed
    // by the user, get the next numbers of the series as the files now hold it and are
    // stored again. Answers that second store's result.
    [[nodiscard]] AcceptResult Renumber(const AcceptResult& first, const std::vector<std::size_t>& stored);
    void TellStored(const AcceptResult& result, const std::vector<std::size_t>& rows);

    const CheckReport& m_report;
    AccountEditing& m_editing;
    std::vector<Row> m_rows;
    ListView m_list;
    AnchoredLayout m_layout;
    bool m_stored = false;
};

}  // namespace dralmoft
