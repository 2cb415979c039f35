#pragma once
// Data exchange between a dialog's controls and its members, in one direction per
// pass: loading puts the members into the controls, saving takes the controls into
// the members.

#include <windows.h>

#include <string>

#include "ui/controls.h"

namespace dralmoft {

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}

    [[nodiscard]] bool Saving() const { return m_saving; }
    // Binds control `id` to `member` (in both directions).
    void Control(int id, dralmoft::Control& member) const { member.Attach(::GetDlgItem(m_dialog, id)); }
    // The text of control `id` and a program text.
    void Text(int id, std::string& member) const;
    // The date of picker `id` and an OLE date.
    void Date(int id, double& member) const;

private:
    HWND m_dialog;
    bool m_saving;
};

}  // namespace dralmoft
