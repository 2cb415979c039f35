#include "mapping/account_file.h"

#include "data/atomic_save.h"
#include "mapping/mapping_format.h"

namespace dralmoft {
namespace {

template <class Table>
FileStatus LoadInto(FileSystem& files, bool createMissing, const std::u16string& path, Table& table) {
    std::string content;
    FileStatus status = createMissing ? files.ReadOrCreate(path, content) : files.ReadIfPresent(path, content);
    if (status.ok) ReadAccountText(content, table);
    return status;
}

}  // namespace

FileStatus AccountFile::Load(const std::u16string& path, AccountMap& table) {
    return LoadInto(m_files, m_createMissing, path, table);
}

FileStatus AccountFile::Load(const std::u16string& path, VatAccountMap& table) {
    return LoadInto(m_files, m_createMissing, path, table);
}

FileStatus AccountFile::Save(const std::u16string& path, const AccountMap& table) {
    return SaveAtomically(m_files, path, WriteAccountText(table));
}

FileStatus AccountFile::Save(const std::u16string& path, const VatAccountMap& table) {
    if (table.Empty()) return FileStatus::Success();
    return SaveAtomically(m_files, path, WriteAccountText(table));
}

FileStatus AccountFile::Load(AccountKind kind, const AccountTables& tables) {
    const std::u16string path(AccountFileName(kind));
    return kind == AccountKind::VatRates ? Load(path, tables.vat) : Load(path, tables.Text(kind));
}

FileStatus AccountFile::Save(AccountKind kind, const AccountTables& tables) {
    const std::u16string path(AccountFileName(kind));
    return kind == AccountKind::VatRates ? Save(path, tables.vat) : Save(path, tables.Text(kind));
}

void LoadAccountFiles(AccountFile& file, const AccountTables& tables,
                      const std::function<void(AccountKind, const FileStatus&)>& report) {
    for (const AccountKind kind : kAccountLoadOrder) {
        const FileStatus status = file.Load(kind, tables);
        if (!status.ok) report(kind, status);
    }
}

}  // namespace dralmoft
