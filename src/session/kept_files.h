#pragma once
// What no file the program writes (an export, a check's report) may be written over: the
// company folder's account files and the export log, with the files that go with them
// (their locks, the log's journal), the program's own temporary files, and the names
// Windows keeps for its devices ("NUL", "CON", ...), which are no files at all.

#include <cstdint>
#include <optional>
#include <string>

#include "data/file_system.h"
#include "mapping/account_tables.h"

namespace dralmoft {

enum class KeptKind : std::uint8_t {
    AccountFile,  // an account file
    ExportLog,    // the export log, or a file SQLite keeps beside it
    ProgramFile,  // a temporary file or a lock of the program's, whatever file it serves
    Device,       // a device name
};

struct KeptFile {
    KeptKind kind = KeptKind::AccountFile;
    // The kept file's name as a message names it: the account file's, the log's (also for
    // its journal), the name as given otherwise.
    std::u16string name;
};

// What `target` would write over, or nothing. `folder` is the company folder, ending in a
// separator ("" for the current directory). A file that is there is compared by identity
// (a path of another form, another case or a link), one that is not by its full name.
[[nodiscard]] std::optional<KeptFile> KeptFileAt(FileSystem& files, const std::u16string& folder,
                                                 const std::u16string& target);

// Whether `name` (a path's last part) names a Windows device: CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, CONIN$ or CONOUT$, in any case, with any extension.
[[nodiscard]] bool IsDeviceName(std::u16string_view name);

}  // namespace dralmoft
