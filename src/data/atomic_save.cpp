#include "data/atomic_save.h"

namespace dralmoft {
namespace {

std::u16string Digits(unsigned long number) {
    const std::string text = std::to_string(number);
    return {text.begin(), text.end()};
}

}  // namespace

std::u16string TemporaryPathFor(const std::u16string& target, unsigned long processId, int attempt) {
    // "~" keeps it apart from the user's files; the process id and attempt keep two
    // programs, or a leftover of a crash, from colliding.
    const std::size_t slash = target.find_last_of(u"\\/");
    const std::size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + u"~" + target.substr(nameStart) + u"." + Digits(processId) + u"-" +
           Digits(static_cast<unsigned long>(attempt)) + u".tmp";
}

AtomicFileWriter::AtomicFileWriter(FileSystem& files, std::u16string target)
    : m_files(files), m_target(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

FileStatus AtomicFileWriter::Begin() {
    FileStatus status = FileStatus::Failure("");
    for (int attempt = 1; attempt <= 3 && !status.ok; ++attempt) {
        const std::u16string candidate = TemporaryPathFor(m_target, m_files.ProcessId(), attempt);
        status = m_files.CreateNew(candidate, m_file);
        if (status.ok) m_temporary = candidate;
    }
    m_buffer.reserve(kBufferSize);
    return status;
}

void AtomicFileWriter::Discard() {
    m_file.reset();
    if (!m_temporary.empty()) m_files.Remove(m_temporary);
    m_temporary.clear();
}

FileStatus AtomicFileWriter::Fail(FileStatus status) {
    Discard();
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

FileStatus AtomicFileWriter::Seal() {
    if (!m_file) return FileStatus::Failure("the file is not open");
    if (!m_buffer.empty()) {
        FileStatus status = m_file->Write(m_buffer);
        m_buffer.clear();
        if (!status.ok) return Fail(std::move(status));
    }
    FileStatus status = m_file->Commit();
    m_file.reset();
    if (!status.ok) return Fail(std::move(status));
    m_sealed = true;
    return status;
}

FileStatus AtomicFileWriter::Commit() {
    if (!m_sealed || m_temporary.empty()) return FileStatus::Failure("the file is not complete");
    FileStatus status = ReplaceWithRetries();
    if (!status.ok) return Fail(std::move(status));
    m_temporary.clear();
    return status;
}

FileStatus AtomicFileWriter::Finish() {
    FileStatus status = Seal();
    return status.ok ? Commit() : status;
}

FileStatus AtomicFileWriter::ReplaceWithRetries() {
    FileStatus status = m_files.Replace(m_temporary, m_target);
    for (int attempt = 1; !status.ok && status.transient && attempt < kReplaceAttempts; ++attempt) {
        m_files.Pause(kReplacePauseMs);
        status = m_files.Replace(m_temporary, m_target);
    }
    return status;
}

FileStatus SaveAtomically(FileSystem& files, const std::u16string& target, std::string_view content) {
    AtomicFileWriter writer(files, target);
    FileStatus status = writer.Begin();
    if (status.ok) status = writer.Append(content);
    if (status.ok) status = writer.Finish();
    return status;
}

}  // namespace dralmoft
