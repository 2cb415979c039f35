// The master-data list through the real window: each kind, its skip rules, its
// columns, the reload of its account file, and the search.
#include <windows.h>
#include <commctrl.h>

#include "main_window_fixture.h"

namespace dralmoft::test {
namespace {

std::vector<std::string> Columns(const LedgerExportDialog& dialog) {
    std::vector<std::string> columns;
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(dialog.m_list.Handle(), LVM_GETHEADER, 0, 0));
    for (int i = 0; i < dialog.m_list.ColumnCount(); ++i) {
        wchar_t text[64] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        std::string column = Text1253(std::u16string(text, text + wcslen(text)));
        columns.push_back(column.append("/").append(std::to_string(item.cxy)));
    }
    return columns;
}

std::vector<int> Selected(const LedgerExportDialog& dialog) {
    std::vector<int> rows;
    for (int row = dialog.m_list.NextSelected(-1); row >= 0; row = dialog.m_list.NextSelected(row)) rows.push_back(row);
    return rows;
}

using MasterDataList = MainWindowTest;

TEST_F(MasterDataList, StartUpShowsTheClientsWithTheirAccounts) {
    WriteAccounts(L"client.txt", "099999999;30.00.0001\r\n 77;lost on reload\r\n");
    const auto dialog = Open();
    EXPECT_EQ(Columns(*dialog),
              (std::vector<std::string>{Text1253(u"ΑΦΜ/90"), Text1253(u"Πελάτης/200"), Text1253(u"Λογαριασμός/90")}));
    // No row for the client without IClient nor for the blank tax id; the shared tax id
    // shows the same account; " 77 " keeps its blanks and so has no account.
    EXPECT_EQ(Rows(*dialog),
              (std::vector<std::string>{Text1253(u"099999999|Αλφα Α.Ε.|30.00.0001"), Text1253(u" 77 |Γάμμα|"),
                                        Text1253(u"099999999|Δέλτα|30.00.0001")}));
    EXPECT_EQ(dialog->m_list.ExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT));
}

TEST_F(MasterDataList, EachKindHasItsColumnsRowsAndFile) {
    WriteAccounts(L"supplier.txt", "800000002;50.00.0002\r\n");
    WriteAccounts(L"products.txt", "\xCC\xDD\xEB\xE9;20.00;70.00\r\n");  // "Μέλι"
    WriteAccounts(L"fpa.txt", "24;54.00;54.00.0024;54.00.1024\r\n6.13;not the rate 6.126\r\n");
    const auto dialog = Open();

    Press(dialog->Handle(), IDC_SUPPLIERS);
    EXPECT_EQ(Columns(*dialog)[1], Text1253(u"Προμηθευτής/200"));
    EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{Text1253(u"800000001|Προμηθευτής Ένα|"),
                                                       Text1253(u"800000002|Προμηθευτής Δύο|50.00.0002")}));

    Press(dialog->Handle(), IDC_ITEMS);
    EXPECT_EQ(Columns(*dialog), (std::vector<std::string>{Text1253(u"Κωδικός/90"), Text1253(u"Περιγραφή/200"),
                                                          Text1253(u"Λογαριασμός/90")}));
    EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{Text1253(u"1001|Ελαιόλαδο|"), Text1253(u"1002|Μέλι|20.00;70.00"),
                                                       Text1253(u"1004|Μέλι|20.00;70.00")}));

    Press(dialog->Handle(), IDC_VAT_RATES);
    EXPECT_EQ(Columns(*dialog)[0], Text1253(u"Κωδικός/90"));
    EXPECT_EQ(Rows(*dialog),
              (std::vector<std::string>{"24.00|24.00|54.00;54.00.0024;54.00.1024", "6.13|6.13|", "13.00|13.00|"}));
}

TEST_F(MasterDataList, ShowingAKindReloadsItsFileAndNeverUndoesAnExternalChange) {
    const auto dialog = Open();
    WriteAccounts(L"client.txt", "099999999;changed outside\r\n");
    Press(dialog->Handle(), IDC_CLIENTS);  // already checked: shown again all the same
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"099999999|Αλφα Α.Ε.|changed outside"));

    // The VAT list saves before it reloads; without an edit of this window's that writes
    // nothing over what another program wrote.
    const std::string external = "24;written by another program\r\n13;x\r\n";
    WriteAccounts(L"fpa.txt", external);
    Press(dialog->Handle(), IDC_VAT_RATES);
    EXPECT_EQ(Accounts(L"fpa.txt"), external);
    EXPECT_EQ(Rows(*dialog)[0], "24.00|24.00|written by another program");
    // The list added an empty entry for the rate it showed without one; never written.
    EXPECT_EQ(dialog->m_vatAccounts.Size(), 3u);
}

TEST_F(MasterDataList, ServerFailureDuringAFillIsReportedAndTheWindowStaysUsable) {
    ServeCompany(R"({"clients": [{"id": "C1", "taxId": "1"}],
                   "faults": [{"operation": "IDataService.GetItems", "hresult": "0x80004005",
                               "message": "Ο πίνακας ειδών είναι κλειδωμένος"}]})");
    const auto dialog = Open();
    {
        ModalAnswer message(L"Dralmoft");
        Press(dialog->Handle(), IDC_ITEMS);
        ASSERT_TRUE(message.Found());
        EXPECT_NE(message.AllText().find(L"0x80004005"), std::wstring::npos);
        EXPECT_NE(message.AllText().find(L"Ο πίνακας ειδών είναι κλειδωμένος"), std::wstring::npos);
    }
    EXPECT_FALSE(dialog->Ended());
    Press(dialog->Handle(), IDC_CLIENTS);
    EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{"1||"}));
}

TEST_F(MasterDataList, SearchSelectsTheFirstRowContainingTheText) {
    WriteAccounts(L"client.txt", "099999999;30.00.0077\r\n");
    const auto dialog = Open();
    const HWND window = dialog->Handle();
    Type(window, IDC_SEARCH, L"");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{0}) << "an empty text matches the first row";
    Type(window, IDC_SEARCH, L"Δέλτα");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{2});
    Type(window, IDC_SEARCH, L"0077");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{0}) << "a match in the account column";
    Type(window, IDC_SEARCH, L"δέλτα");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{}) << "the search tells case apart";
    Type(window, IDC_SEARCH, L"Δελτα");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{}) << "and accents";

    // With rows 0 and 2 selected, only the first loses its selection.
    dialog->m_list.SetSelected(0, true);
    dialog->m_list.SetSelected(2, true);
    Type(window, IDC_SEARCH, L"nothing like it");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{2});
}

// Typing in the list jumps to the row whose first column begins with what was typed,
// without regard to case, as a list does; nothing matching leaves the selection.
TEST_F(MasterDataList, TypingInTheListFindsTheRowByItsFirstColumn) {
    ServeCompany(R"({"items": [{"id": "I1", "code": "ΕΛ-01", "name": "Ελαιόλαδο"},
                               {"id": "I2", "code": "ΜΕ-02", "name": "Μέλι"},
                               {"id": "I3", "code": "με-03", "name": "Μέλι βουνού"}]})");
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_ITEMS);
    const HWND list = dialog->m_list.Handle();
    ::SetFocus(list);
    ::SendMessageW(list, WM_CHAR, L'μ', 1);  // lParam: a repeat count of 1
    EXPECT_EQ(Selected(*dialog), std::vector<int>{1});
    ::Sleep(1500);  // past the list's type-ahead pause: a new search
    ::SendMessageW(list, WM_CHAR, L'ε', 1);
    EXPECT_EQ(Selected(*dialog), std::vector<int>{0});
    ::Sleep(1500);
    ::SendMessageW(list, WM_CHAR, L'z', 1);
    EXPECT_EQ(Selected(*dialog), std::vector<int>{0}) << "no row begins with z";
}

TEST_F(MasterDataList, SearchScrollsTheMatchIntoView) {
    std::string json = R"({"clients": [)";
    for (int i = 0; i < 200; ++i) {
        json.append(i ? "," : "").append(R"({"id": "C)").append(std::to_string(i));
        json.append(R"(", "taxId": ")").append(std::to_string(100000 + i)).append(R"("})");
    }
    ServeCompany(json.append("]}"));
    const auto dialog = Open();
    Type(dialog->Handle(), IDC_SEARCH, L"100199");
    EXPECT_EQ(Selected(*dialog), std::vector<int>{199});
    const int top = static_cast<int>(::SendMessageW(dialog->m_list.Handle(), LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(::SendMessageW(dialog->m_list.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GE(199, top);
    EXPECT_LT(199, top + page) << "the row is entirely visible";
}

}  // namespace
}  // namespace dralmoft::test
