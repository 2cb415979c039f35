#include "mapping/account_file.h"

#include <new>

#include "data/atomic_save.h"

namespace dralmoft {
namespace {

// Reads and decodes `path` into `table`, retrying while another program holds it.
template <class Table>
AccountLoad ReadInto(FileSystem& files, bool createMissing, const std::u16string& path, Table& table) {
    AccountLoad load;
    std::string content;
    load.status = WithRetries(
        files, [&] { return createMissing ? files.ReadOrCreate(path, content) : files.ReadIfPresent(path, content); });
    if (!load.status.ok) return load;
    try {
        DecodedText decoded = DecodeAccountText(std::move(content));
        load.encoding = decoded.encoding;
        // Read whole first: a file that runs out of memory half way adds nothing.
        Table read;
        ReadAccountText(decoded.text, read);
        if (table.Size() == 0) table = std::move(read);
        else
            for (const auto& [key, account] : read) table[key] = account;
    } catch (const std::bad_alloc&) {
        load.status = FileStatus::Failure(files.ErrorText(kErrorNotEnoughMemory), false, kErrorNotEnoughMemory);
    }
    return load;
}

template <class Table>
FileStatus SaveChanges(FileSystem& files, const std::u16string& path, Table& table, const AccountChanges& changes,
                       std::vector<ChangeLeft>* left) {
    if (changes.Empty()) return FileStatus::Success();
    std::unique_ptr<FileLock> lock;
    FileStatus status = LockBeside(files, path, lock);
    Table saved;
    // Under the lock: the file as another window or program left it, then ours on top.
    if (status.ok) status = ReadInto(files, false, path, saved).status;
    if (status.ok) {
        std::vector<ChangeLeft> notTaken = changes.ApplyTo(saved);
        if (left != nullptr) *left = std::move(notTaken);
        status = SaveAtomically(files, path, WriteAccountText(saved));
    }
    if (status.ok) {
        table = std::move(saved);
        return status;
    }
    // Not saved: the window shows what the file holds, without the changes.
    Table current;
    if (ReadInto(files, false, path, current).status.ok) table = std::move(current);
    return status;
}

}  // namespace

std::u16string AccountFile::PathOf(AccountKind kind) const { return m_folder + std::u16string(AccountFileName(kind)); }

AccountLoad AccountFile::Load(const std::u16string& path, AccountMap& table) {
    return ReadInto(m_files, m_createMissing, path, table);
}

AccountLoad AccountFile::Load(const std::u16string& path, VatAccountMap& table) {
    return ReadInto(m_files, m_createMissing, path, table);
}

AccountLoad AccountFile::Load(AccountKind kind, const AccountTables& tables) {
    return kind == AccountKind::VatRates ? Load(PathOf(kind), tables.vat) : Load(PathOf(kind), tables.Text(kind));
}

FileStatus AccountFile::Save(const std::u16string& path, AccountMap& table, const AccountChanges& changes,
                             std::vector<ChangeLeft>* left) {
    return SaveChanges(m_files, path, table, changes, left);
}

FileStatus AccountFile::Save(const std::u16string& path, VatAccountMap& table, const AccountChanges& changes,
                             std::vector<ChangeLeft>* left) {
    return SaveChanges(m_files, path, table, changes, left);
}

FileStatus AccountFile::Save(AccountKind kind, const AccountTables& tables, const AccountChanges& changes,
                             std::vector<ChangeLeft>* left) {
    return kind == AccountKind::VatRates ? Save(PathOf(kind), tables.vat, changes, left)
                                         : Save(PathOf(kind), tables.Text(kind), changes, left);
}

void LoadAccountFiles(AccountFile& file, const AccountTables& tables,
                      const std::function<void(AccountKind, const AccountLoad&)>& report) {
    for (const AccountKind kind : kAccountLoadOrder) report(kind, file.Load(kind, tables));
}

}  // namespace dralmoft
