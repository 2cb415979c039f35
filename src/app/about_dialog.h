#pragma once
// The About box (template 100): the program's name, version and copyright, and OK.

#include "app/resource.h"
#include "ui/dialog.h"

namespace dralmoft {

class AboutDialog : public Dialog {
public:
    explicit AboutDialog(HWND owner) : Dialog(IDD_ABOUTBOX, owner) {}
};

}  // namespace dralmoft
