#pragma once
// Owners of SQLite's two handles: a connection closed, and a statement finalised, when
// they go away, with the checked calls the export log makes on them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "log/log_status.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dralmoft {

struct SqliteClose {
    void operator()(sqlite3* database) const;
};
struct SqliteFinalize {
    void operator()(sqlite3_stmt* statement) const;
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteClose>;

// A prepared statement: bind, step through its rows, reset to run it again.
class SqliteStatement {
public:
    SqliteStatement() = default;
    // Prepares `sql` on `database`; check Status() before use.
    SqliteStatement(sqlite3* database, std::string_view sql);
    SqliteStatement(SqliteStatement&&) noexcept = default;
    SqliteStatement& operator=(SqliteStatement&&) noexcept = default;

    [[nodiscard]] const LogStatus& Status() const { return m_status; }

    // How a bound text or blob is held: copied into the statement, or read where it
    // stands, which must then stay as it is until the statement has run and is bound
    // again (a batch's hundred thousand rows are bound from the documents they describe).
    enum class Held { Copied, InPlace };

    // Parameters count from 1, as in the SQL's "?".
    SqliteStatement& Bind(int at, std::int64_t value);
    SqliteStatement& Bind(int at, std::string_view text, Held held = Held::Copied);  // UTF-8 text
    SqliteStatement& BindBlob(int at, std::string_view bytes, Held held = Held::Copied);
    SqliteStatement& BindNull(int at);

    // The next row: true when there is one, false when done or failed (see Status()).
    [[nodiscard]] bool Step();
    // Runs a statement that gives no rows; the status of the run.
    [[nodiscard]] LogStatus Run();
    // Ready to run again with new values; keeps the bindings until they are replaced.
    void Reset();

    [[nodiscard]] std::int64_t Integer(int column) const;
    [[nodiscard]] std::string Text(int column) const;  // UTF-8; empty for NULL
    [[nodiscard]] std::string Blob(int column) const;
    [[nodiscard]] bool IsNull(int column) const;

private:
    void Fail(int code);

    sqlite3* m_database = nullptr;
    std::unique_ptr<sqlite3_stmt, SqliteFinalize> m_statement;
    LogStatus m_status;
};

// Runs SQL with no parameters and no rows wanted (several statements allowed).
[[nodiscard]] LogStatus SqliteExecute(sqlite3* database, const char* sql);
// The connection's last error as a status.
[[nodiscard]] LogStatus SqliteFailure(sqlite3* database, int code);

}  // namespace dralmoft
