#pragma once
// The About box (template 100): the program's name, version and copyright, and OK.

#include "app/dialogs/app_dialog.h"
#include "app/shared/resource.h"

namespace dralmoft {

class AboutDialog : public AppDialog {
public:
    explicit AboutDialog(HWND owner) : AppDialog(IDD_ABOUTBOX, owner) {}
};

}  // namespace dralmoft
