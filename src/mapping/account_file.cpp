#include "mapping/account_file.h"

#include "mapping/atomic_save.h"
#include "mapping/mapping_format.h"

namespace dralmoft {
namespace {

template <class Table>
FileStatus LoadInto(FileSystem& files, bool createMissing, const std::string& name, Table& table) {
    std::string content;
    FileStatus status = createMissing ? files.ReadOrCreate(name, content) : files.ReadIfPresent(name, content);
    if (status.ok) ReadAccountText(content, table);
    return status;
}

}  // namespace

FileStatus AccountFile::Load(const std::string& name, AccountMap& table) { return LoadInto(m_files, m_createMissing, name, table); }

FileStatus AccountFile::Load(const std::string& name, VatAccountMap& table) { return LoadInto(m_files, m_createMissing, name, table); }

FileStatus AccountFile::Save(const std::string& name, const AccountMap& table) {
    return SaveAtomically(m_files, name, WriteAccountText(table));
}

FileStatus AccountFile::Save(const std::string& name, const VatAccountMap& table) {
    if (table.Empty()) return FileStatus::Success();
    return SaveAtomically(m_files, name, WriteAccountText(table));
}

}  // namespace dralmoft
