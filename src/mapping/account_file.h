#pragma once
// One account file of the window: "client.txt", "supplier.txt", "products.txt" or
// "fpa.txt", by its bare name in the current directory. A load adds to the table (the
// caller clears it when it wants it fresh); a save replaces the file whole.

#include <string>

#include "mapping/account_map.h"
#include "mapping/file_system.h"

namespace dralmoft {

inline constexpr char kClientFile[] = "client.txt";
inline constexpr char kSupplierFile[] = "supplier.txt";
inline constexpr char kItemFile[] = "products.txt";
inline constexpr char kVatFile[] = "fpa.txt";

class AccountFile {
public:
    // `createMissing`: the window leaves a missing file behind, empty; a reader that
    // must not write (the command-line exporter) reads it as empty.
    explicit AccountFile(FileSystem& files, bool createMissing = true) : m_files(files), m_createMissing(createMissing) {}

    // Creates the file empty when it is missing. A file that cannot be opened or read
    // adds nothing to the table.
    [[nodiscard]] FileStatus Load(const std::string& name, AccountMap& table);
    [[nodiscard]] FileStatus Load(const std::string& name, VatAccountMap& table);
    // Writes the entries with a non-blank account, in key order. An empty VAT table
    // leaves its file untouched; the other tables are written even when empty.
    [[nodiscard]] FileStatus Save(const std::string& name, const AccountMap& table);
    [[nodiscard]] FileStatus Save(const std::string& name, const VatAccountMap& table);

private:
    FileSystem& m_files;
    bool m_createMissing;
};

}  // namespace dralmoft
