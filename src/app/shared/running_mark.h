#pragma once
// The mark a running Dralmoft program leaves for its installer: a named mutex, held for as
// long as the program runs, named after the program's folder. The installer and the
// uninstaller look for it before they replace or remove the folder's files, so that a
// running window is never left beside a half-replaced exporter.

#include <windows.h>

#include <string>
#include <string_view>

#include "win/unique_handle.h"

namespace dralmoft {

// "Global\Dralmoft:" and the folder in lower case, '/' for '\' (a mutex's name holds no
// '\' after its namespace). The installer builds the same name from its folder.
[[nodiscard]] std::wstring RunningMarkName(std::wstring_view folder);

class RunningMark {
public:
    // Marks the folder of the running program; a mark that cannot be made is not a
    // reason to stop (the installer then finds the program's files in use).
    RunningMark();

private:
    UniqueKernelHandle m_mutex;
};

}  // namespace dralmoft
