#include "data/atomic_save.h"

namespace dralmoft {
namespace {

constexpr std::u16string_view kTemporaryPrefix = u"~dralmoft-";
constexpr std::u16string_view kTemporarySuffix = u".tmp";
constexpr std::u16string_view kPendingSuffix = u".pending";

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Whether `text` is one or more decimal digits.
bool AllDigits(std::u16string_view text) {
    if (text.empty()) return false;
    for (const char16_t c : text)
        if (!IsDigit(c)) return false;
    return true;
}

bool StartsWith(std::u16string_view text, std::u16string_view start) { return text.substr(0, start.size()) == start; }

bool EndsWith(std::u16string_view text, std::u16string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::u16string_view FolderOf(std::u16string_view path) {
    // A drive-relative "D:out.txt" has its folder in "D:".
    const std::size_t slash = path.find_last_of(u"\\/:");
    return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash + 1);
}

std::u16string_view NameOf(std::u16string_view path) { return path.substr(FolderOf(path).size()); }

std::u16string TemporaryPathFor(std::u16string_view target, std::uint64_t random) {
    std::u16string path(FolderOf(target));
    path.append(kTemporaryPrefix);
    for (int shift = 60; shift >= 0; shift -= 4) path.push_back(u"0123456789abcdef"[(random >> shift) & 0xF]);
    path.append(kTemporarySuffix);
    return path;
}

std::u16string PendingPathFor(std::u16string_view temporary) {
    std::u16string path(temporary);
    if (EndsWith(path, kTemporarySuffix)) path.resize(path.size() - kTemporarySuffix.size());
    return path.append(kPendingSuffix);
}

std::u16string TemporaryPathOf(std::u16string_view pending) {
    std::u16string path(pending);
    if (EndsWith(path, kPendingSuffix)) path.resize(path.size() - kPendingSuffix.size());
    return path.append(kTemporarySuffix);
}

bool IsPendingName(std::u16string_view name) {
    if (!EndsWith(name, kPendingSuffix)) return false;
    return IsLeftoverName(TemporaryPathOf(name), {}) && StartsWith(name, kTemporaryPrefix);
}

std::u16string LockPathFor(std::u16string_view target) {
    std::u16string path(FolderOf(target));
    path.append(u"~").append(NameOf(target)).append(u".lock");
    return path;
}

bool IsLeftoverName(std::u16string_view name, std::u16string_view targetName) {
    if (!EndsWith(name, kTemporarySuffix)) return false;
    const std::u16string_view stem = name.substr(0, name.size() - kTemporarySuffix.size());
    if (StartsWith(stem, kTemporaryPrefix)) {
        const std::u16string_view digits = stem.substr(kTemporaryPrefix.size());
        if (digits.size() != 16) return false;
        for (const char16_t c : digits)
            if (!IsHexDigit(c)) return false;
        return true;
    }
    // The earlier form: "~" + the target's name + ".<process>-<attempt>".
    if (targetName.empty() || !StartsWith(stem, u"~") || stem.substr(1, targetName.size()) != targetName) return false;
    const std::u16string_view tail = stem.substr(1 + targetName.size());
    const std::size_t dash = tail.find(u'-');
    return StartsWith(tail, u".") && dash != std::u16string_view::npos && AllDigits(tail.substr(1, dash - 1)) &&
           AllDigits(tail.substr(dash + 1));
}

void RemoveLeftovers(FileSystem& files, std::u16string_view target) {
    const std::u16string folder(FolderOf(target));
    for (const FolderEntry& entry : files.List(folder, u"~")) {
        if (entry.ageMinutes >= kLeftoverMinutes && IsLeftoverName(entry.name, NameOf(target)))
            files.Remove(folder + entry.name);
    }
}

FileStatus LockBeside(FileSystem& files, std::u16string_view target, std::unique_ptr<FileLock>& lock) {
    const std::u16string path = LockPathFor(target);
    FileStatus status = WithRetries(
        files, [&] { return files.Lock(path, lock); }, kLockAttempts);
    if (!status.ok) status.file = path;
    return status;
}

AtomicFileWriter::AtomicFileWriter(FileSystem& files, std::u16string target)
    : m_files(files), m_target(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

FileStatus AtomicFileWriter::Begin() {
    RemoveLeftovers(m_files, m_target);
    FileStatus status;
    std::u16string candidate;
    // Another file of the same random name is all but impossible; a second draw settles it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        candidate = TemporaryPathFor(m_target, m_files.RandomNumber());
        status = m_files.CreateNew(candidate, m_file);
        if (status.ok) break;
    }
    if (!status.ok) {
        status.file = candidate;
        return status;
    }
    m_temporary = candidate;
    m_buffer.reserve(kBufferSize);
    return status;
}

void AtomicFileWriter::Discard() {
    m_hold.reset();
    m_file.reset();
    if (!m_temporary.empty()) m_files.Remove(m_temporary);
    m_temporary.clear();
}

FileStatus AtomicFileWriter::Fail(FileStatus status) {
    if (status.file.empty()) status.file = m_temporary;
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
    // Not holding it only leaves the small risk it guards against.
    (void)m_files.Hold(m_temporary, m_hold);
    return status;
}

FileStatus AtomicFileWriter::SetPending() {
    if (!m_sealed || m_temporary.empty()) return FileStatus::Failure("the file is not complete");
    m_hold.reset();
    const std::u16string pending = PendingPathFor(m_temporary);
    FileStatus status = WithRetries(m_files, [&] { return m_files.Replace(m_temporary, pending); });
    if (!status.ok) return Fail(std::move(status));
    m_temporary = pending;
    (void)m_files.Hold(m_temporary, m_hold);  // as Seal holds it
    return status;
}

FileStatus AtomicFileWriter::Commit() {
    if (!m_sealed || m_temporary.empty()) return FileStatus::Failure("the file is not complete");
    m_hold.reset();
    FileStatus status = WithRetries(m_files, [&] { return m_files.Replace(m_temporary, m_target); });
    if (!status.ok) {
        // The replace failed on the target, not on the temporary file.
        Discard();
        return status;
    }
    m_temporary.clear();
    return status;
}

FileStatus AtomicFileWriter::Finish() {
    FileStatus status = Seal();
    return status.ok ? Commit() : status;
}

FileStatus SaveAtomically(FileSystem& files, const std::u16string& target, std::string_view content) {
    AtomicFileWriter writer(files, target);
    FileStatus status = writer.Begin();
    if (status.ok) status = writer.Append(content);
    if (status.ok) status = writer.Finish();
    return status;
}

}  // namespace dralmoft
