// The main window's life: construction, data exchange, start-up, message routing, and
// the handlers that belong to the window itself (About, the minimised icon).
#include "app/main_window/ledger_export_dialog.h"

#include <commctrl.h>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/main_window/user_guide.h"
#include "app/shared/shared_messages.h"
#include "base/code_page.h"
#include "data/windows/connection_setup.h"
#include "data/windows/server_objects.h"
#include "data/windows/windows_file_system.h"
#include "export/export_to_file.h"
#include "ui/ole_date.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

FileSystem& MachineFiles() {
    static WindowsFileSystem files;
    return files;
}

// The current directory as the program starts, ending in a separator.
std::u16string StartFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return {};  // bare names: the system resolves them against it
        if (length < buffer.size()) {
            std::u16string folder = AsUtf16(std::wstring_view(buffer.data(), length));
            if (folder.back() != u'\\') folder.push_back(u'\\');
            return folder;
        }
        buffer.resize(length);
    }
}

}  // namespace

LedgerExportDialog::LedgerExportDialog(HWND parent, FileSystem* files)
    : LedgerExportDialog(parent, files != nullptr ? *files : MachineFiles(), StartFolder()) {}

LedgerExportDialog::LedgerExportDialog(HWND parent, FileSystem& files, const std::u16string& folder)
    : AppDialog(IDD_LEDGEREXPORT_DIALOG, parent),
      m_filePath(""),
      m_dateFrom(OleNow()),
      m_dateTo(m_dateFrom),
      m_separator(""),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_mapFile(files, folder),
      m_itemFile(files, folder),
      m_vatFile(files, folder),
      m_files(files),
      m_folder(folder) {}

void LedgerExportDialog::DoDataExchange(const DataExchange& exchange) {
    exchange.Control(IDC_SEARCH, m_searchEdit);
    exchange.Control(IDC_PROGRESS, m_progress);
    exchange.Control(IDC_CODE_PAGE, m_codePageCheck);
    exchange.Control(IDC_SEPARATOR, m_separatorEdit);
    exchange.Control(IDC_FIXED_LENGTH, m_fixedLengthRadio);
    exchange.Control(IDC_CLIENTS, m_clientsRadio);
    exchange.Control(IDC_SUPPLIERS, m_suppliersRadio);
    exchange.Control(IDC_LIST, m_list);
    exchange.Control(IDC_FILE_PATH, m_fileEdit);
    exchange.Control(IDC_ITEMS, m_itemsRadio);
    exchange.Control(IDC_VAT_RATES, m_vatRadio);
    exchange.Text(IDC_FILE_PATH, m_filePath);
    exchange.Date(IDC_DATE_FROM, m_dateFrom);
    exchange.Date(IDC_DATE_TO, m_dateTo);
    exchange.Text(IDC_SEPARATOR, m_separator);
}

BOOL LedgerExportDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    m_list.MakeOwnerData();
    // The days a period can span: what the log and the user's date form hold.
    for (const int picker : {IDC_DATE_FROM, IDC_DATE_TO})
        LimitDatePicker(::GetDlgItem(Handle(), picker), kFirstPeriodDay, kLastPeriodDay);
    std::wstring settingsNote;  // what the settings lack, told with a failure they cause
    try {
        Initialize(settingsNote);
    } catch (const ServerError& error) {
        // Without its databases the program can do nothing: say why, then close.
        ShowServerError(IDS_STARTUP_FAILED, error, settingsNote);
        EndDialog(IDCANCEL);
    }
    return TRUE;  // the focus goes to the first tab stop, the first date
}

void LedgerExportDialog::Initialize(std::wstring& settingsNote) {
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup);
    m_fixedLengthRadio.SetCheck(BST_CHECKED);
    m_separatorEdit.Enable(false);
    m_clientsRadio.SetCheck(BST_CHECKED);
    const ConnectionSettings settings = ReadConnectionSettings();
    // Without a location the server gets "\\": the user must hear why, whether the server
    // refuses it (the note goes with that message) or serves whatever it finds there.
    if (settings.location.empty()) settingsNote = DatabaseNotSetText(settings);
    RegisterDatabases(setup, settings);
    if (!settingsNote.empty()) ShowErrorText(Handle(), settingsNote);
    ShowPartnerList(true);

    if (const HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE)) {
        const std::wstring about = LoadWideString(IDS_ABOUTBOX);
        if (!about.empty()) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // The four account files, as the command-line exporter loads them: items, VAT rates,
    // suppliers, clients (the clients' file a second time: the list above loaded it).
    LoadAccountFiles(m_mapFile, Tables(), [this](AccountKind kind, const AccountLoad& load) {
        // The clients' file failed a moment ago too, and the user was told then.
        const bool toldAlready = kind == AccountKind::Clients && StateOf(kind).unreadable;
        this->*SlotOf(kind).fileName = Utf16ToCp1253(AccountFileName(kind));
        StateOf(kind).unreadable = !load.status.ok;
        if (!toldAlready) ReportLoad(kind, load);
    });
}

void LedgerExportDialog::ShowServerError(UINT messageId, const ServerError& error, const std::wstring& note) {
    std::wstring text = LoadMessage(messageId, {Part(error.StatusHex()), Part(error.Text())});
    if (!note.empty()) text.append(L"\n\n").append(note);
    ShowErrorText(Handle(), text);
}

bool LedgerExportDialog::OnCommand(WORD id, WORD code, HWND control) {
    // The list commands report a server failure and leave the window usable.
    auto listCommand = [&](auto&& show) {
        try {
            show();
        } catch (const ServerError& error) {
            ShowServerError(IDS_LIST_FAILED, error);
        }
        return true;
    };
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_BROWSE: BrowseOutputFile(); return true;
            case IDC_EXPORT: RunExport(); return true;
            case IDC_CHECK: RunCheck(); return true;
            case IDC_HISTORY: ShowHistory(); return true;
            case IDC_FIXED_LENGTH:
            case IDC_SEPARATOR_LAYOUT: OnLayoutChanged(); return true;
            case IDC_SUPPLIERS: return listCommand([&] { ShowPartnerList(false); });
            case IDC_CLIENTS: return listCommand([&] { ShowPartnerList(true); });
            case IDC_ITEMS: return listCommand([&] { ShowItemList(); });
            case IDC_VAT_RATES: return listCommand([&] { ShowVatRateList(); });
            default: break;
        }
    }
    if (id == ID_EDIT_ACCOUNT && control == nullptr) {
        OnEditAccount();
        return true;
    }
    if (id == IDC_SEARCH && code == EN_CHANGE) {
        OnSearchChange();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

bool LedgerExportDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_HELP) return false;
    OpenUserGuide(Handle());
    result = TRUE;
    return true;
}

bool LedgerExportDialog::OnSysCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    AboutDialog about(Handle());
    about.DoModal();
    return true;
}

bool LedgerExportDialog::OnPaint() {
    if (!::IsIconic(Handle())) return false;
    PAINTSTRUCT paint{};
    const HDC context = ::BeginPaint(Handle(), &paint);
    ::SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(context, x, y, m_hIcon);
    ::EndPaint(Handle(), &paint);
    return true;
}

HCURSOR LedgerExportDialog::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

}  // namespace dralmoft
