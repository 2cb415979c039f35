#pragma once
// The program's dialogs: the dialog layer's base, with an unexpected failure told in
// the program's own words.

#include <exception>

#include "ui/dialog.h"

namespace dralmoft {

class AppDialog : public Dialog {
public:
    using Dialog::Dialog;

protected:
    // "Απρόβλεπτο σφάλμα" with the exception's text, over the dialog; the dialog stays open.
    void OnUnexpectedError(const std::exception& error) override;
};

}  // namespace dralmoft
