#pragma once
// The account files: "client.txt", "supplier.txt", "products.txt" and "fpa.txt" in the
// folder the program started in. A load adds to the table (the caller clears it when it
// wants it fresh); a save applies a window's changes to the file as it is then.

#include <functional>
#include <string>
#include <vector>

#include "data/file_system.h"
#include "mapping/account_changes.h"
#include "mapping/account_map.h"
#include "mapping/account_tables.h"
#include "mapping/mapping_format.h"

namespace dralmoft {

// How a load went, and the encoding the file was found in.
struct AccountLoad {
    FileStatus status;
    TextEncoding encoding = TextEncoding::Windows1253;
};

class AccountFile {
public:
    // `folder` ("" for the current directory, or ending in a separator) holds the files.
    // `createMissing`: the window leaves a missing file behind, empty; a reader that must
    // not write (the command-line exporter) reads it as empty.
    AccountFile(FileSystem& files, std::u16string folder, bool createMissing = true)
        : m_files(files), m_folder(std::move(folder)), m_createMissing(createMissing) {}

    [[nodiscard]] std::u16string PathOf(AccountKind kind) const;

    // Reads the file (in its encoding) into the table, retrying while another program
    // holds it. A file that cannot be read adds nothing.
    [[nodiscard]] AccountLoad Load(const std::u16string& path, AccountMap& table);
    [[nodiscard]] AccountLoad Load(const std::u16string& path, VatAccountMap& table);
    [[nodiscard]] AccountLoad Load(AccountKind kind, const AccountTables& tables);

    // Applies `changes` to the file as it is now, under the lock beside it, and replaces
    // it atomically; the table then holds the file as saved. Without changes nothing is
    // read or written. When the file cannot be locked, read or written, nothing is
    // written, and the table holds the file as it is (as far as it can be read). `left`
    // (optional) gets the conditional changes the file did not take.
    [[nodiscard]] FileStatus Save(const std::u16string& path, AccountMap& table, const AccountChanges& changes,
                                  std::vector<ChangeLeft>* left = nullptr);
    [[nodiscard]] FileStatus Save(const std::u16string& path, VatAccountMap& table, const AccountChanges& changes,
                                  std::vector<ChangeLeft>* left = nullptr);
    [[nodiscard]] FileStatus Save(AccountKind kind, const AccountTables& tables, const AccountChanges& changes,
                                  std::vector<ChangeLeft>* left = nullptr);

private:
    FileSystem& m_files;
    std::u16string m_folder;
    bool m_createMissing;
};

// Loads the four files in kAccountLoadOrder, each into its table. `report` hears how each
// file's load went; the others are loaded all the same.
void LoadAccountFiles(AccountFile& file, const AccountTables& tables,
                      const std::function<void(AccountKind, const AccountLoad&)>& report);

}  // namespace dralmoft
