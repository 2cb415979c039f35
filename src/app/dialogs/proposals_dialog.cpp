#include "app/dialogs/proposals_dialog.h"

#include <algorithm>

#include "app/dialogs/account_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "base/code_page.h"
#include "mapping/mapping_format.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

constexpr int kWidths[] = {105, 85, 140, 55, 70, 120, 320, 70};
constexpr bool kNumbers[] = {false, false, false, true, true, false, false, true};
constexpr std::size_t kToldRows = 15;  // rows not stored named one by one; the rest counted

// The kind of key a row is about, as the window names it.
std::wstring KindName(CheckCode code) {
    switch (code) {
        case CheckCode::ClientAccount: return L"Πελάτης";
        case CheckCode::SupplierAccount: return L"Προμηθευτής";
        case CheckCode::ItemAccount: return L"Είδος";
        default: break;
    }
    return L"Συντελεστής ΦΠΑ";
}

}  // namespace

ProposalsDialog::ProposalsDialog(HWND owner, const CheckReport& report, AccountEditing& editing)
    : AppDialog(IDD_PROPOSALS, owner), m_report(report), m_editing(editing) {}

BOOL ProposalsDialog::OnInitDialog() {
    m_list.Attach(::GetDlgItem(Handle(), IDC_PROPOSALS_LIST));
    m_layout.Capture(Handle(), {Widened(IDC_PROPOSALS_HINT), Stretched(IDC_PROPOSALS_LIST),
                                BottomRight(IDC_PROPOSALS_STORE), BottomRight(IDCANCEL)});
    for (KeyProposal& key : ProposeForReport(m_report, m_editing.Accounts())) {
        const bool sure = !key.proposal.account.empty() && key.proposal.confidence >= kTickedConfidence;
        m_rows.push_back({std::move(key), sure, false});
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row& a, const Row& b) { return a.key.amount > b.key.amount; });
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    // The boxes' states come from the rows, as the texts do.
    ListView_SetCallbackMask(m_list.Handle(), LVIS_STATEIMAGEMASK);
    InsertColumns(m_list, LoadWideString(IDS_PROPOSALS_COLUMNS), kWidths, kNumbers);
    m_list.SetItemCount(static_cast<int>(m_rows.size()));
    if (!m_rows.empty()) m_list.SetSelected(0, true);
    ::SetDlgItemTextW(
        Handle(), IDC_PROPOSALS_HINT,
        LoadMessage(IDS_PROPOSALS_HINT, {std::to_wstring(m_rows.size()), std::to_wstring(kTickedConfidence)}).c_str());
    AppDialog::OnInitDialog();
    return TRUE;
}

std::wstring ProposalsDialog::RowText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return {};
    const KeyProposal& key = m_rows[static_cast<std::size_t>(row)].key;
    switch (column) {
        case 0: return KindName(key.code);
        case 1: return AsWide(key.key);
        case 2: return key.code == CheckCode::ItemAccount ? AsWide(key.key) : std::wstring();
        case 3: return std::to_wstring(key.documents);
        case 4: return Part(CentsText(key.amount, ','));
        case 5: return AsWide(Cp1253ToUtf16(key.proposal.account));
        case 6: return AsWide(key.proposal.reason);
        case 7: return key.proposal.account.empty() ? std::wstring() : std::to_wstring(key.proposal.confidence);
        default: return {};
    }
}

bool ProposalsDialog::Ticked(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size() && m_rows[static_cast<std::size_t>(row)].ticked;
}

bool ProposalsDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PROPOSALS_LIST) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& request = reinterpret_cast<NMLVDISPINFOW&>(header);
            if (request.item.mask & LVIF_TEXT)
                AnswerTextRequest(request, RowText(request.item.iItem, request.item.iSubItem));
            if (request.item.mask & LVIF_STATE) {
                request.item.state = INDEXTOSTATEIMAGEMASK(Ticked(request.item.iItem) ? 2 : 1);
                request.item.stateMask = LVIS_STATEIMAGEMASK;
            }
            return true;
        }
        case NM_CLICK: {
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
            if (ListView_HitTest(m_list.Handle(), &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) Toggle(hit.iItem);
            return true;
        }
        case NM_DBLCLK: EditRow(m_list.NextSelected(-1)); return true;
        case LVN_KEYDOWN: {
            const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
            if (key == VK_SPACE)
                for (int row = m_list.NextSelected(-1); row >= 0; row = m_list.NextSelected(row)) Toggle(row);
            else if (key == VK_F2) EditRow(m_list.NextSelected(-1));
            return true;
        }
        default: break;
    }
    (void)result;
    return false;
}

void ProposalsDialog::Toggle(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return;
    Row& chosen = m_rows[static_cast<std::size_t>(row)];
    // A row without an account has nothing to store: it is ticked once one is typed.
    chosen.ticked = !chosen.ticked && !chosen.key.proposal.account.empty();
    m_list.RedrawItems(row, row);
}

void ProposalsDialog::EditRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return;
    Row& chosen = m_rows[static_cast<std::size_t>(row)];
    const std::string key = Utf16ToCp1253(chosen.key.key);
    const bool item = chosen.key.code == CheckCode::ItemAccount;
    const std::optional<std::string> account = AccountDialog::Ask(
        Handle(), item ? std::string() : key, item ? key : std::string(), chosen.key.proposal.account);
    if (!account || *account == chosen.key.proposal.account) return;
    chosen.key.proposal.account = *account;
    chosen.key.proposal.reason = u"όπως το γράψατε";
    chosen.edited = true;
    chosen.ticked = !TrimSpace(*account).empty();
    m_list.RedrawItems(row, row);
}

void ProposalsDialog::Store() {
    std::vector<ProposalLine> lines;
    std::vector<std::size_t> rows;  // the window's row of each line
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const Row& chosen = m_rows[row];
        if (!chosen.ticked || chosen.key.proposal.account.empty()) continue;
        lines.push_back({row + 1, chosen.key.code, Utf16ToCp1253(chosen.key.key), chosen.key.proposal.account});
        rows.push_back(row);
    }
    if (lines.empty()) {
        ShowInformation(Handle(), LoadWideString(IDS_PROPOSALS_NONE_TICKED));
        return;
    }
    const AcceptResult result = Renumber(m_editing.StoreProposals(lines, m_report), rows);
    TellStored(result, rows);
    // With something stored the check runs again; with nothing, the user mends the rows.
    m_stored = result.counts[static_cast<std::size_t>(RowFate::Stored)] != 0;
    if (m_stored) EndDialog(IDOK);
}

AcceptResult ProposalsDialog::Renumber(const AcceptResult& first, const std::vector<std::size_t>& rows) {
    const std::vector<Renumbered> renumbered =
        RenumberTaken(first, m_editing.Accounts(), [&](std::size_t at) { return !m_rows[rows[at]].edited; });
    if (renumbered.empty()) return first;
    std::vector<ProposalLine> again;
    std::vector<std::size_t> places;
    for (const Renumbered& next : renumbered) {
        m_rows[rows[next.at]].key.proposal = next.proposal;
        ProposalLine line = first.rows[next.at].row;
        line.account = next.proposal.account;
        again.push_back(std::move(line));
        places.push_back(next.at);
    }
    AcceptResult merged = first;
    TakeRetried(merged, places, m_editing.StoreProposals(again, m_report));
    m_list.RedrawItems(0, static_cast<int>(m_rows.size()) - 1);
    return merged;
}

void ProposalsDialog::TellStored(const AcceptResult& result, const std::vector<std::size_t>& rows) {
    if (!result.status.ok)
        ShowErrorMessage(Handle(), IDS_PROPOSALS_FILE_FAILED,
                         {AsWide(AccountFileName(result.failed)), Part(result.status.text)});
    std::wstring notStored;
    std::size_t told = 0;
    const std::size_t stored = result.counts[static_cast<std::size_t>(RowFate::Stored)];
    for (std::size_t at = 0; at < result.rows.size(); ++at) {
        const AcceptedRow& row = result.rows[at];
        if (row.fate == RowFate::Stored) continue;
        if (told++ == kToldRows) continue;
        const KeyProposal& key = m_rows[rows[at]].key;
        notStored += (notStored.empty() ? L"" : L"\n") +
                     LoadMessage(IDS_PROPOSALS_NOT_STORED_ROW, {KindName(key.code), AsWide(key.key), AsWide(row.why)});
    }
    if (told > kToldRows)
        notStored += L"\n" + LoadMessage(IDS_PROPOSALS_MORE_NOT_STORED, {std::to_wstring(told - kToldRows)});
    const std::wstring left =
        told == 0 ? std::wstring() : LoadMessage(IDS_PROPOSALS_NOT_STORED, {std::to_wstring(told), notStored});
    if (stored == 0) ShowErrorText(Handle(), LoadMessage(IDS_PROPOSALS_NOTHING_STORED, {left}));
    else ShowInformation(Handle(), LoadMessage(IDS_PROPOSALS_STORED, {std::to_wstring(stored), left}));
}

bool ProposalsDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_PROPOSALS_STORE && code == BN_CLICKED) {
        Store();
        return true;
    }
    return AppDialog::OnCommand(id, code, control);
}

void ProposalsDialog::OnOK() {
    if (::GetFocus() == m_list.Handle()) EditRow(m_list.NextSelected(-1));
}

bool ProposalsDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    return m_layout.Handle(message, lParam, result);
}

}  // namespace dralmoft
