#pragma once
// The account editor (template 131): shows a row's texts and takes the account.

#include <optional>
#include <string>

#include "app/dialogs/app_dialog.h"

namespace dralmoft {

class AccountDialog : public AppDialog {
public:
    explicit AccountDialog(HWND owner);

    std::string m_account;  // edit 1008: the account, as typed
    std::string m_name;     // static 1006: column 1 of the row
    std::string m_taxId;    // static 1007: column 0 of the row

    // Runs the editor over a row's texts: the account typed, or nothing when cancelled.
    static std::optional<std::string> Ask(HWND owner, const std::string& taxId, const std::string& name,
                                          const std::string& account);

protected:
    void DoDataExchange(const DataExchange& exchange) override;
};

}  // namespace dralmoft
