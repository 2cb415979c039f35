#include "session/kept_files.h"

#include <array>

#include "data/atomic_save.h"
#include "log/export_log.h"

namespace dralmoft {
namespace {

// With ASCII letters in lower case: Windows compares names without regard to case.
std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

// A temporary file of an atomic save, or the lock of one, whatever file it serves.
bool IsProgramFileName(std::u16string_view name) {
    const std::u16string lower = Lower(name);
    const std::u16string_view lock = u".lock";
    return IsLeftoverName(lower, {}) || IsPendingName(lower) ||
           (lower.size() > 1 + lock.size() && lower.front() == u'~' &&
            lower.compare(lower.size() - lock.size(), lock.size(), lock) == 0);
}

// The files SQLite keeps beside a database while it writes.
constexpr std::array<std::u16string_view, 4> kLogCompanions = {u"", u"-journal", u"-wal", u"-shm"};

}  // namespace

bool IsDeviceName(std::u16string_view name) {
    // Windows ignores an extension and trailing blanks and dots after a device's name.
    std::u16string stem = Lower(name.substr(0, name.find(u'.')));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (const std::u16string_view device : {u"con", u"prn", u"aux", u"nul", u"conin$", u"conout$"})
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, u"com") == 0 || stem.compare(0, 3, u"lpt") == 0) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

std::optional<KeptFile> KeptFileAt(FileSystem& files, const std::u16string& folder, const std::u16string& target) {
    const std::u16string name(NameOf(target));
    // "\\.\" opens a device by its name, whatever it is.
    if (target.rfind(u"\\\\.\\", 0) == 0 || IsDeviceName(name)) return KeptFile{KeptKind::Device, name};
    for (const AccountKind kind : kAccountLoadOrder) {
        const std::u16string file = folder + std::u16string(AccountFileName(kind));
        if (files.SameFile(target, file)) return KeptFile{KeptKind::AccountFile, std::u16string(AccountFileName(kind))};
    }
    const std::u16string log = folder + std::u16string(ExportLog::kFileName);
    for (const std::u16string_view companion : kLogCompanions)
        if (files.SameFile(target, log + std::u16string(companion)))
            return KeptFile{KeptKind::ExportLog, std::u16string(ExportLog::kFileName)};
    if (IsProgramFileName(name)) return KeptFile{KeptKind::ProgramFile, name};
    return std::nullopt;
}

}  // namespace dralmoft
