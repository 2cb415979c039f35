#include "export/journal_writer.h"

#include "base/code_page.h"

namespace dralmoft {

JournalWriter::JournalWriter(FileSystem& files, AtomicFileWriter& file, bool keepCodePage)
    : m_files(files), m_file(file), m_keepCodePage(keepCodePage) {}

FileStatus JournalWriter::Open() {
    FileStatus status = m_files.CheckReplaceable(m_file.Target());
    if (status.ok) status = m_file.Begin();
    return status;
}

FileStatus JournalWriter::Write(std::string_view record) {
    std::string_view bytes = record;
    if (!m_keepCodePage) {
        m_converted.assign(record);
        ConvertCp1253ToCp737(m_converted);
        bytes = m_converted;
    }
    m_digest.AddBytes(bytes);
    return m_file.Append(bytes);
}

}  // namespace dralmoft
