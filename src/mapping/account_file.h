#pragma once
// The account files: "client.txt", "supplier.txt", "products.txt" and "fpa.txt". A load
// adds to the table (the caller clears it when it wants it fresh); a save replaces the
// file whole.

#include <functional>
#include <string>

#include "data/file_system.h"
#include "mapping/account_map.h"
#include "mapping/account_tables.h"

namespace dralmoft {

class AccountFile {
public:
    // `createMissing`: the window leaves a missing file behind, empty; a reader that
    // must not write (the command-line exporter) reads it as empty.
    explicit AccountFile(FileSystem& files, bool createMissing = true)
        : m_files(files), m_createMissing(createMissing) {}

    // Creates the file empty when it is missing (see above). A file that cannot be
    // opened or read adds nothing to the table.
    [[nodiscard]] FileStatus Load(const std::u16string& path, AccountMap& table);
    [[nodiscard]] FileStatus Load(const std::u16string& path, VatAccountMap& table);
    // Writes the entries with a non-blank account, in key order. An empty VAT table
    // leaves its file untouched; the other tables are written even when empty.
    [[nodiscard]] FileStatus Save(const std::u16string& path, const AccountMap& table);
    [[nodiscard]] FileStatus Save(const std::u16string& path, const VatAccountMap& table);

    // The file of `kind` into, or from, its table.
    [[nodiscard]] FileStatus Load(AccountKind kind, const AccountTables& tables);
    [[nodiscard]] FileStatus Save(AccountKind kind, const AccountTables& tables);

private:
    FileSystem& m_files;
    bool m_createMissing;
};

// Loads the four files in kAccountLoadOrder, each into its table. `report` hears each
// file that could not be read; the others are loaded all the same.
void LoadAccountFiles(AccountFile& file, const AccountTables& tables,
                      const std::function<void(AccountKind, const FileStatus&)>& report);

}  // namespace dralmoft
