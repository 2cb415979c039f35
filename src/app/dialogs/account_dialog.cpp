#include "app/dialogs/account_dialog.h"

#include "app/shared/resource.h"

namespace dralmoft {

AccountDialog::AccountDialog(HWND owner) : AppDialog(IDD_ACCOUNT, owner) {}

std::optional<std::string> AccountDialog::Ask(HWND owner, const std::string& taxId, const std::string& name,
                                              const std::string& account) {
    AccountDialog dialog(owner);
    dialog.m_taxId = taxId;
    dialog.m_name = name;
    dialog.m_account = account;
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.m_account;
}

void AccountDialog::DoDataExchange(const DataExchange& exchange) {
    exchange.Text(IDC_ACCOUNT_EDIT, m_account);
    exchange.Text(IDC_ACCOUNT_NAME, m_name);
    exchange.Text(IDC_ACCOUNT_TAX_ID, m_taxId);
}

}  // namespace dralmoft
