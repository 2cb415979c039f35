#include "app/ledger_export_dialog.h"

namespace dralmoft {

void LedgerExportDialog::RunExport() { UpdateData(true); }

}  // namespace dralmoft
