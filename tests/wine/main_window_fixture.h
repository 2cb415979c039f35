#pragma once
// The main window on a small company of the demo server, in a scratch working folder
// with the ERP's registry keys pointing at the company.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window/ledger_export_dialog.h"
#include "dialog_driver.h"
#include "test_company.h"

namespace dralmoft::test {

// Clients: a normal one, one without IClient, one with a blank tax id, one with blanks
// around its tax id, one sharing the first one's tax id. Items: two sharing a name.
// VAT rates: one with a long fraction, one without IVatRate.
inline constexpr const char* kWindowCompany = R"({
  "clients": [ {"id": "C1", "name": "Αλφα Α.Ε.", "taxId": "099999999"},
               {"id": "C2", "name": "Κρυφός", "taxId": "111111111", "interface": false},
               {"id": "C3", "name": "Λιανική", "taxId": "   "},
               {"id": "C4", "name": "Γάμμα", "taxId": " 77 "},
               {"id": "C5", "name": "Δέλτα", "taxId": "099999999"} ],
  "suppliers": [ {"id": "S1", "name": "Προμηθευτής Ένα", "taxId": "800000001"},
                 {"id": "S2", "name": "Προμηθευτής Δύο", "taxId": "800000002"} ],
  "items": [ {"id": "I1", "code": "1001", "name": "Ελαιόλαδο"}, {"id": "I2", "code": "1002", "name": "Μέλι"},
             {"id": "I3", "code": "1003", "name": "Κρυφό", "interface": false},
             {"id": "I4", "code": "1004", "name": "Μέλι"} ],
  "vatRates": [ {"rate": 24}, {"rate": 6.126}, {"rate": 0, "interface": false}, {"rate": 13} ]
})";

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes an account file into the working folder (bytes as given).
    void WriteAccounts(const std::wstring& name, std::string_view bytes) const { m_work.Write(name, bytes); }
    [[nodiscard]] std::string Accounts(const std::wstring& name) const {
        return ReadFileBytes(m_work.Path() + L"\\" + name);
    }
    // Opens the main window modeless, as a user would see it after start-up.
    std::unique_ptr<LedgerExportDialog> Open();
    // The company the server serves; tests may replace it before Open.
    // Writes the company the server serves. One without a name gets one, as every company
    // of an ERP has: a server that names none is a case of its own, tested on purpose.
    void ServeCompany(std::string_view json) const;
    // Serves the company of a source folder ("demo", "tests/golden/problems": its
    // company.json) and writes its four account files into the working folder.
    void ServeFolder(const std::string& folder) const;

    // The list's rows, each "col0|col1|col2", in Windows-1253.
    static std::vector<std::string> Rows(const LedgerExportDialog& dialog);

    ComApartment m_apartment;
    TestSettingsKey m_settings;
    TempFolder m_company;
    TempFolder m_work;
    std::unique_ptr<CurrentDirectory> m_directory;
};

// A file of the source tree (the demo company, the golden files), as bytes.
[[nodiscard]] std::string SourceFile(const std::string& path);

// Answers the question an export asks when its file has problems the ledger would take
// wrongly: "Αποθήκευση".
class SaveDespiteProblems : public ModalAnswer {
public:
    SaveDespiteProblems();
};

// Sets a date picker of the window (at 15:00: the run must clear the time).
void SetPicker(HWND dialog, int id, WORD year, WORD month, WORD day);

// Sets the account of the list's row `row` (only it selected) through the editor, as a
// user would.
void EditRow(const LedgerExportDialog& dialog, int row, const wchar_t* account);

}  // namespace dralmoft::test
