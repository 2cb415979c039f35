#include "mapping/atomic_save.h"

namespace dralmoft {

std::string TemporaryPathFor(const std::string& target, unsigned long processId, int attempt) {
    // "~" keeps it apart from the user's files; the process id and attempt keep two
    // programs, or a leftover of a crash, from colliding.
    const std::size_t slash = target.find_last_of("\\/");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + "~" + target.substr(nameStart) + "." + std::to_string(processId) + "-" +
           std::to_string(attempt) + ".tmp";
}

AtomicFileWriter::AtomicFileWriter(FileSystem& files, std::string target)
    : m_files(files), m_target(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_temporary.empty()) return;
    m_file.reset();
    m_files.Remove(m_temporary);
}

FileStatus AtomicFileWriter::Begin() {
    FileStatus status = FileStatus::Failure("");
    for (int attempt = 1; attempt <= 3 && !status.ok; ++attempt) {
        const std::string candidate = TemporaryPathFor(m_target, m_files.ProcessId(), attempt);
        status = m_files.CreateNew(candidate, m_file);
        if (status.ok) m_temporary = candidate;
    }
    m_buffer.reserve(kBufferSize);
    return status;
}

FileStatus AtomicFileWriter::Fail(FileStatus status) {
    m_file.reset();
    if (!m_temporary.empty()) m_files.Remove(m_temporary);
    m_temporary.clear();
    return status;
}

FileStatus AtomicFileWriter::Append(std::string_view bytes) {
    if (!m_file) return FileStatus::Failure("the file is not open");
    m_buffer.append(bytes);
    if (m_buffer.size() < kBufferSize) return FileStatus::Success();
    FileStatus status = m_file->Write(m_buffer);
    m_buffer.clear();
    return status.ok ? status : Fail(std::move(status));
}

FileStatus AtomicFileWriter::Finish() {
    if (!m_file) return FileStatus::Failure("the file is not open");
    if (!m_buffer.empty()) {
        FileStatus status = m_file->Write(m_buffer);
        m_buffer.clear();
        if (!status.ok) return Fail(std::move(status));
    }
    FileStatus status = m_file->Commit();
    m_file.reset();
    if (!status.ok) return Fail(std::move(status));
    status = ReplaceWithRetries();
    if (!status.ok) return Fail(std::move(status));
    m_temporary.clear();
    return status;
}

FileStatus AtomicFileWriter::ReplaceWithRetries() {
    FileStatus status = m_files.Replace(m_temporary, m_target);
    for (int attempt = 1; !status.ok && status.transient && attempt < kReplaceAttempts; ++attempt) {
        m_files.Pause(kReplacePauseMs);
        status = m_files.Replace(m_temporary, m_target);
    }
    return status;
}

FileStatus SaveAtomically(FileSystem& files, const std::string& target, std::string_view content) {
    AtomicFileWriter writer(files, target);
    FileStatus status = writer.Begin();
    if (status.ok) status = writer.Append(content);
    if (status.ok) status = writer.Finish();
    return status;
}

}  // namespace dralmoft
