// The tests' build of the exporter: ends the process at the commit step that
// DRALMOFT_KILL_AT names ("pending", "renamed", "replaced"), with no clean-up at all, as a
// power cut or an end-task would.
#include <windows.h>

#include <string>

#include "session/commit_step.h"

namespace dralmoft {

void CommitStepReached(CommitStep step) {
    wchar_t wanted[32] = {};
    if (::GetEnvironmentVariableW(L"DRALMOFT_KILL_AT", wanted, 32) == 0) return;
    const wchar_t* const name = step == CommitStep::Pending   ? L"pending"
                                : step == CommitStep::Renamed ? L"renamed"
                                                              : L"replaced";
    if (std::wstring(wanted) == name) ::TerminateProcess(::GetCurrentProcess(), 99);
}

}  // namespace dralmoft
