#pragma once
// The application: prepares the common controls and COM for the one thread, runs the
// main window modally and ends the program when it closes.

namespace dralmoft {

class LedgerExportApp {
public:
    // Runs the window; when it has closed there is nothing left to run.
    void InitInstance();
};

}  // namespace dralmoft
