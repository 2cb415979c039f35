// The account proposals in the window: from the check's report to the proposals, to the
// accounts stored, to the check run again, without typing an account.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "app/shared/resource.h"
#include "main_window_fixture.h"

namespace dralmoft::test {
namespace {

constexpr const wchar_t* kReportTitle = L"Έλεγχος περιόδου";
constexpr const wchar_t* kProposalsTitle = L"Προτάσεις λογαριασμών";

// tests/data/proposals/company: two new clients of a numbered series, a new item like two
// kept ones, a new VAT rate of the other rates' pattern.
class ProposalsWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ServeFolder("tests/data/proposals/company");
    }

    // Whether the list's row shows its box ticked.
    static bool TickedOnList(HWND list, int row) {
        const auto state = ::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
        return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
    }
    static void WaitUntilGone(HWND window) {
        for (int wait = 0; wait < 250 && ::IsWindow(window) && ::IsWindowVisible(window); ++wait) ::Sleep(20);
    }
};

TEST_F(ProposalsWindow, FromTheReportToStoredAccountsAndTheCheckAgain) {
    const auto dialog = Open();
    SetPicker(dialog->Handle(), IDC_DATE_FROM, 2026, 3, 1);
    SetPicker(dialog->Handle(), IDC_DATE_TO, 2026, 3, 31);
    bool offered = false;
    std::vector<std::wstring> kinds, keys, amounts, accounts, confidences;
    std::vector<bool> ticked, tickedAfter;
    std::wstring told, secondHint, typedOver, edited;
    int secondRows = -1;
    ModalAnswer report(kReportTitle, [&](HWND window) {
        offered = ::IsWindowVisible(::GetDlgItem(window, IDC_REPORT_PROPOSALS)) != FALSE;
        {
            ModalAnswer proposals(kProposalsTitle, [&](HWND shown) {
                const HWND list = ::GetDlgItem(shown, IDC_PROPOSALS_LIST);
                kinds = ListColumn(list, 0);
                keys = ListColumn(list, 1);
                amounts = ListColumn(list, 4);
                accounts = ListColumn(list, 5);
                confidences = ListColumn(list, 7);
                for (int row = 0; row < static_cast<int>(keys.size()); ++row) ticked.push_back(TickedOnList(list, row));
                // The new VAT rate is left for later: Space on its row takes its tick off.
                const auto vat = std::find(keys.begin(), keys.end(), L"17") - keys.begin();
                SelectRow(list, static_cast<int>(vat));
                ::SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
                ::SendMessageW(list, WM_KEYUP, VK_SPACE, 0);
                for (int row = 0; row < static_cast<int>(keys.size()); ++row)
                    tickedAfter.push_back(TickedOnList(list, row));
                // F2 on the second client opens the editor on its proposal; what is typed is taken.
                {
                    ModalAnswer editor(L"Λογαριασμός λογιστικής", [&](HWND edit) {
                        typedOver = TextOf(::GetDlgItem(edit, IDC_ACCOUNT_EDIT));
                        Type(edit, IDC_ACCOUNT_EDIT, L"30.00.00.0100");
                        Press(edit, IDOK);
                    });
                    SelectRow(list, 2);
                    ::SendMessageW(list, WM_KEYDOWN, VK_F2, 0);
                    EXPECT_TRUE(editor.Found());
                }
                edited = ListCell(list, 2, 5) + L" | " + ListCell(list, 2, 6);
                ModalAnswer stored(L"Dralmoft");
                Press(shown, IDC_PROPOSALS_STORE);
                told = stored.AllText();
            });
            Press(window, IDC_REPORT_PROPOSALS);
            EXPECT_TRUE(proposals.Found());
        }
        // The check runs again over the stored accounts, and its report shows what is left.
        WaitUntilGone(window);
        ModalAnswer again(kReportTitle, [&](HWND second) {
            secondHint = TextOf(::GetDlgItem(second, IDC_REPORT_HINT));
            secondRows =
                static_cast<int>(::SendMessageW(::GetDlgItem(second, IDC_REPORT_PROBLEMS), LVM_GETITEMCOUNT, 0, 0));
            Press(second, IDCANCEL);
        });
        EXPECT_TRUE(again.Found());
    });
    Press(dialog->Handle(), IDC_CHECK);
    ASSERT_TRUE(report.Found());

    EXPECT_TRUE(offered);
    // Largest amount first; each proposal sure enough to be ticked.
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"200000001", L"Βίδα ξύλου 3x30", L"200000002", L"17"}));
    EXPECT_EQ(kinds, (std::vector<std::wstring>{L"Πελάτης", L"Είδος", L"Πελάτης", L"Συντελεστής ΦΠΑ"}));
    EXPECT_EQ(amounts, (std::vector<std::wstring>{L"124,00", L"100,00", L"11,70", L"1,70"}));
    EXPECT_EQ(accounts, (std::vector<std::wstring>{L"30.00.00.0006", L"70.04", L"30.00.00.0007",
                                                   L"54.00;54.00.0017;54.00.1017"}));
    EXPECT_EQ(confidences, (std::vector<std::wstring>{L"100", L"100", L"100", L"100"}));
    EXPECT_EQ(ticked, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(tickedAfter, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(typedOver, L"30.00.00.0007");
    EXPECT_EQ(edited, L"30.00.00.0100 | όπως το γράψατε");
    EXPECT_NE(told.find(L"Αποθηκεύτηκαν 3 λογαριασμοί"), std::wstring::npos) << told;

    EXPECT_EQ(secondRows, 1) << "the VAT rate left without an account";
    EXPECT_NE(secondHint.find(L"1 πρόβλημα "), std::wstring::npos) << secondHint;
    const std::string clients = Accounts(L"client.txt");
    EXPECT_EQ(clients.substr(clients.size() - 50), "200000001;30.00.00.0006\r\n200000002;30.00.00.0100\r\n");
    EXPECT_EQ(Accounts(L"products.txt").substr(0, 23), "\xC2\xDF\xE4\xE1 \xEE\xFD\xEB\xEF\xF5 3x30;70.04\r\n");
    EXPECT_EQ(Accounts(L"fpa.txt"), SourceFile("tests/data/proposals/company/fpa.txt"));
    // The list shows the clients with their new accounts.
    const std::vector<std::string> rows = Rows(*dialog);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "200000001|\xC6\xDE\xF4\xE1 \xC1.\xC5.|30.00.00.0006"), rows.end());
}

}  // namespace
}  // namespace dralmoft::test
