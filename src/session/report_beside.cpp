#include "session/report_beside.h"

#include "check/check_report_csv.h"

namespace dralmoft {

ReportBeside::ReportBeside(FileSystem& files, std::u16string path)
    : m_files(files), m_path(std::move(path)), m_file(files, m_path) {}

FileStatus ReportBeside::Seal(const CheckReport& report) {
    FileStatus status = m_files.CheckReplaceable(m_path);
    if (status.ok && m_files.SizeOf(m_path)) {
        std::string earlier;
        status = m_files.ReadIfPresent(m_path, earlier);
        m_earlier = std::move(earlier);
    }
    return status.ok ? WriteCheckReport(m_file, report) : status;
}

FileStatus ReportBeside::Commit() { return m_file.Commit(); }

FileStatus ReportBeside::PutBack() {
    if (m_earlier) return SaveAtomically(m_files, m_path, *m_earlier);
    m_files.Remove(m_path);
    return m_files.SizeOf(m_path) ? FileStatus::Failure("the report could not be removed") : FileStatus::Success();
}

}  // namespace dralmoft
