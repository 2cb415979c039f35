#pragma once
// The check's report written with an export (the exporter's --report): both files are
// complete on the disk before either replaces its target; the report goes first, and is
// put back as it was when the export does not follow, so that a report never describes
// an export that is not there.

#include <memory>
#include <optional>
#include <string>

#include "check/check_report.h"
#include "data/atomic_save.h"
#include "data/file_system.h"

namespace dralmoft {

class ReportBeside {
public:
    ReportBeside(FileSystem& files, std::u16string path);

    // Keeps what the target holds now, then writes and seals the report beside it.
    [[nodiscard]] FileStatus Seal(const CheckReport& report);
    // The report replaces its target.
    [[nodiscard]] FileStatus Commit();
    // After a Commit: the target as it was before (removed when there was none).
    [[nodiscard]] FileStatus PutBack();

private:
    FileSystem& m_files;
    std::u16string m_path;
    AtomicFileWriter m_file;
    std::optional<std::string> m_earlier;  // what the target held; nothing when it was not there
};

}  // namespace dralmoft
