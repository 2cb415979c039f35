#include "app/exporter/output_failure.h"

#include <windows.h>

#include "app/exporter/console_text.h"
#include "app/exporter/exit_codes.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"
#include "win/system_error.h"

namespace dralmoft {

int OutputNotWritten() {
    const DWORD error = ::GetLastError();
    Tell(STD_ERROR_HANDLE, LoadMessage(IDS_OUTPUT_NOT_WRITTEN, {Part(SystemErrorText(error))}));
    return kExitFailed;
}

}  // namespace dralmoft
