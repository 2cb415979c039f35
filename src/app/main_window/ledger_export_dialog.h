#pragma once
// The main window: the period, the output file and its layout, the master-data list
// with its accounts, and the export. It owns all of the running program's state.

#include <windows.h>
#include <commctrl.h>
#include <wrl/client.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/account_editing.h"
#include "app/dialogs/app_dialog.h"
#include "app/shared/resource.h"
#include "base/server_error.h"
#include "check/check_report.h"
#include "data/file_system.h"
#include "data/windows/server_interfaces.h"
#include "mapping/account_file.h"
#include "mapping/account_map.h"
#include "mapping/account_tables.h"
#include "mapping/list_rows.h"
#include "session/export_session.h"
#include "ui/controls.h"
#include "ui/list_view.h"

namespace dralmoft {

class LedgerExportDialog : public AppDialog, private AccountEditing {
public:
    // `files` serves the account files (the machine's own file system when null).
    explicit LedgerExportDialog(HWND parent, FileSystem* files = nullptr);

    // The window's state, in the order it has always had. The controls are bound by data
    // exchange; m_filePath, the dates and m_separator take the controls' values when an
    // export starts (the dates at midnight); the four tables hold the accounts of the four
    // account files, whose names and file objects follow them.
    Edit m_searchEdit;
    ProgressBar m_progress;
    Button m_codePageCheck;
    Edit m_separatorEdit;
    Button m_fixedLengthRadio;
    Button m_clientsRadio;
    Button m_suppliersRadio;
    Button m_itemsRadio;
    Button m_vatRadio;
    ListView m_list;
    Edit m_fileEdit;
    std::string m_filePath;
    double m_dateFrom;  // the period, as OLE dates
    double m_dateTo;
    std::string m_separator;
    HICON m_hIcon;
    AccountMap m_clientAccounts;
    AccountMap m_supplierAccounts;
    AccountMap m_itemAccounts;
    std::string m_mapFileName;  // the client, supplier or item file being read or written
    std::string m_vatFileName;
    // The server's DataRoot, created on first use and kept while the window lives.
    Microsoft::WRL::ComPtr<IBusinessTable> m_server;
    AccountFile m_mapFile;  // the client and supplier files
    AccountFile m_itemFile;
    AccountFile m_vatFile;
    // Taken afresh by every list fill and every export.
    Microsoft::WRL::ComPtr<IDataService> m_documentQuery;
    VatAccountMap m_vatAccounts;

    // The account files.
    void LoadItemAccounts();
    void LoadVatAccounts();
    void LoadPartnerAccounts(bool clients);
    void SaveItemAccounts();
    void SaveVatAccounts();
    void SavePartnerAccounts(bool clients);

    // The master-data list.
    void ShowPartnerList(bool clients);
    void ShowItemList();
    void ShowVatRateList();
    void RemoveAllColumns();
    void OnSearchChange();

    // The account editor.
    void OnEditAccount();
    void EditAccount();

    // The export, its output file and its layout.
    void RunExport();
    void BrowseOutputFile();
    void OnLayoutChanged();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(const DataExchange& exchange) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnContextMenu(HWND window, POINT screen) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnSysCommand(WPARAM command, LPARAM parameter) override;
    // F1 (WM_HELP): the user guide.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnPaint() override;
    HCURSOR OnQueryDragIcon() override;

private:
    // Where the loads and saves of a kind go: its file object and the member naming it.
    struct AccountFileSlot {
        AccountKind kind;
        AccountFile LedgerExportDialog::*file;
        std::string LedgerExportDialog::*fileName;
    };
    static const AccountFileSlot kAccountFileSlots[4];
    [[nodiscard]] static const AccountFileSlot& SlotOf(AccountKind kind);

    // What the window knows of a kind's table beyond its entries.
    struct AccountState {
        AccountChanges changes;   // the accounts set since the table was last loaded
        bool unreadable = false;  // its last load failed: the table lacks the file's accounts
        bool encodingTold = false;
    };

    LedgerExportDialog(HWND parent, FileSystem& files, const std::u16string& folder);

    // "Έλεγχος...": the export's run without a file, and its report.
    void RunCheck();
    // "Εξαγωγές...": the history of the start folder's export log.
    void ShowHistory();
    // Start-up; `settingsNote` receives what the settings lack, for a failure's message.
    void Initialize(std::wstring& settingsNote);
    void ShowServerError(UINT messageId, const ServerError& error, const std::wstring& note = {});
    // The four tables, for the units that work on all of them.
    [[nodiscard]] AccountTables Tables();
    [[nodiscard]] AccountState& StateOf(AccountKind kind);
    // The kind of list shown, as the radio buttons say; nothing when none is checked.
    [[nodiscard]] std::optional<AccountKind> ShownKind() const;
    // Loads the kind's file into its table; `report`: a failure is told at once.
    AccountLoad LoadAccounts(AccountKind kind, bool report = true);
    void SaveAccounts(AccountKind kind);
    void ReportLoad(AccountKind kind, const AccountLoad& load);
    void ReportSave(AccountKind kind, const FileStatus& status);
    // The full path of the kind's file, for messages.
    [[nodiscard]] std::wstring AccountFileText(AccountKind kind) const;
    // The key of row `row` in the table of `kind`: a tax id, an item's name, or a rate.
    [[nodiscard]] std::string RowKey(AccountKind kind, int row) const;
    // Shows the account on row `row` and records it as a change of the table of `kind`.
    void SetAccount(AccountKind kind, int row, const std::string& account);
    // Why the keys cannot take `account` (one line each), or nothing when all can.
    [[nodiscard]] std::wstring WhyUnstorable(const std::vector<std::string>& keys, const std::string& account) const;
    // Shows the accounts of the table of `kind` on the list's rows.
    void RefreshRowAccounts(AccountKind kind);
    // Loads again the tables whose load failed; false (and the user told) when one still fails.
    [[nodiscard]] bool AccountsReadable();
    // False (and the user told) when the output file is one the folder keeps (an account
    // file, the export log, ...) or a device.
    [[nodiscard]] bool TargetIsFreeToWrite(const std::u16string& target);
    // The export session of the window's period, file, separator and code page, with its
    // questions; `check` runs it without a file.
    [[nodiscard]] SessionResult RunSession(bool check);
    // The report window over the period of m_dateFrom and m_dateTo; `mendable` lets its
    // account problems open the editor and the proposals. Answers whether proposals were
    // stored from it (the check is to run again).
    bool ShowReport(const CheckReport& report, bool mendable);
    // The export log of the start folder.
    [[nodiscard]] std::u16string LogPath() const;
    // The period as the user writes it: "1/3/2026 - 31/3/2026".
    [[nodiscard]] std::wstring PeriodText() const;
    // Takes the period at midnight; false (and the user told) when it is reversed.
    [[nodiscard]] bool TakePeriod();
    // The report's account editor: see AccountEditing.
    std::string EditAccountOf(HWND owner, AccountKind kind, const std::string& key) override;
    AccountTables Accounts() override { return Tables(); }
    AcceptResult StoreProposals(const std::vector<ProposalLine>& rows, const CheckReport& report) override;
    // The output file as typed, in any language: the file calls and the messages take it
    // as it is (m_filePath holds its Windows-1253 form).
    [[nodiscard]] std::wstring TypedFilePath() const;
    // Creates m_server when empty and takes m_documentQuery afresh from it.
    void ConnectDocumentQuery();
    // Clears the list and gives it the kind's three columns.
    void PrepareList(UINT keyCaption, UINT nameCaption);
    // Appends a row (the list shows it when the fill ends); `rate` is a VAT row's rate.
    void AddRow(const std::string& key, const std::string& name, const std::string& account, double rate = 0.0);
    void SetRowAccount(int row, const std::string& account);
    // Answers the list's request for a row's text.
    void GiveRowText(NMLVDISPINFOW& request) const;
    // Answers the list's type-ahead: the row whose first column the typed text begins (or
    // is), or -1.
    [[nodiscard]] LRESULT FindRow(const NMLVFINDITEMW& request) const;

    FileSystem& m_files;
    // The folder the program started in: the account files are there, whatever folder the
    // "..." dialog or anything else makes current later.
    std::u16string m_folder;
    // Whether the user was told that the server gives the company no name (once a window).
    bool m_toldUnnamedCompany = false;
    std::array<AccountState, 4> m_accountState;  // by AccountKind
    // The list's rows as the list shows them (it asks for their texts): the search reads
    // them here rather than asking the control for each of a hundred thousand rows.
    ListRows m_rows;
};

}  // namespace dralmoft
