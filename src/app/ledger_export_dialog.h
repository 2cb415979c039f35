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

#include "app/app_dialog.h"
#include "app/resource.h"
#include "data/file_system.h"
#include "data/server_error.h"
#include "data/server_interfaces.h"
#include "mapping/account_file.h"
#include "mapping/account_map.h"
#include "mapping/account_tables.h"
#include "ui/controls.h"
#include "ui/list_view.h"

namespace dralmoft {

class LedgerExportDialog : public AppDialog {
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

    // The export.
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

    void Initialize();
    void ShowServerError(UINT messageId, const ServerError& error);
    // The four tables, for the units that work on all of them.
    [[nodiscard]] AccountTables Tables();
    // The kind of list shown, as the radio buttons say; nothing when none is checked.
    [[nodiscard]] std::optional<AccountKind> ShownKind() const;
    void LoadAccounts(AccountKind kind);
    void SaveAccounts(AccountKind kind);
    void ReportLoad(AccountKind kind, const FileStatus& status);
    void ReportSave(AccountKind kind, const FileStatus& status);
    // Gives the account to row `row` of the list and to its entry in the table of `kind`.
    void SetAccount(AccountKind kind, int row, const std::string& account);
    // Creates m_server when empty and takes m_documentQuery afresh from it.
    void ConnectDocumentQuery();
    // Clears the list and gives it the kind's three columns.
    void PrepareList(UINT keyCaption, UINT nameCaption);
    // Appends a row (the list shows it when the fill ends); `rate` is a VAT row's rate.
    void AddRow(const std::string& key, const std::string& name, const std::string& account, double rate = 0.0);
    void SetRowAccount(int row, const std::string& account);
    // Answers the list's request for a row's text.
    void GiveRowText(NMLVDISPINFOW& request) const;

    FileSystem& m_files;
    // The list's rows as the list shows them (it asks for their texts): the search reads
    // them here rather than asking the control for each of a hundred thousand rows.
    struct ListRow {
        std::array<std::string, 3> texts;
        double rate = 0.0;  // a VAT row's exact rate
    };
    std::vector<ListRow> m_rows;
};

}  // namespace dralmoft
