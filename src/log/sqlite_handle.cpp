#include "log/sqlite_handle.h"

#include <sqlite3.h>

namespace dralmoft {
namespace {

sqlite3_destructor_type Destructor(SqliteStatement::Held held) {
    return held == SqliteStatement::Held::InPlace ? SQLITE_STATIC : SQLITE_TRANSIENT;
}

}  // namespace

void SqliteClose::operator()(sqlite3* database) const { sqlite3_close_v2(database); }

void SqliteFinalize::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

bool LogStatus::Busy() const {
    const int primary = code & 0xff;
    return !ok && (primary == SQLITE_BUSY || primary == SQLITE_LOCKED);
}

bool LogStatus::Damaged() const {
    const int primary = code & 0xff;
    return !ok && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB);
}

LogStatus SqliteFailure(sqlite3* database, int code) {
    // The connection's message says more than the code's ("database is locked" against
    // "file is not a database"); without a connection only the code's is known.
    const char* text = database != nullptr ? sqlite3_errmsg(database) : sqlite3_errstr(code);
    const int extended = database != nullptr ? sqlite3_extended_errcode(database) : code;
    return LogStatus::Failure(extended != 0 ? extended : code, text != nullptr ? text : "");
}

LogStatus SqliteExecute(sqlite3* database, const char* sql) {
    const int code = sqlite3_exec(database, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? LogStatus::Success() : SqliteFailure(database, code);
}

SqliteStatement::SqliteStatement(sqlite3* database, std::string_view sql) : m_database(database) {
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(database, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                        &statement, nullptr);
    m_statement.reset(statement);
    if (code != SQLITE_OK) Fail(code);
}

void SqliteStatement::Fail(int code) {
    if (m_status.ok) m_status = SqliteFailure(m_database, code);
}

SqliteStatement& SqliteStatement::Bind(int at, std::int64_t value) {
    if (m_status.ok) {
        if (const int code = sqlite3_bind_int64(m_statement.get(), at, value); code != SQLITE_OK) Fail(code);
    }
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int at, std::string_view text, Held held) {
    if (m_status.ok) {
        const int code =
            sqlite3_bind_text64(m_statement.get(), at, text.data(), text.size(), Destructor(held), SQLITE_UTF8);
        if (code != SQLITE_OK) Fail(code);
    }
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int at, std::string_view bytes, Held held) {
    if (m_status.ok) {
        // A zero-length blob, not NULL: an empty series is a value of the identity.
        const int code = sqlite3_bind_blob64(m_statement.get(), at, bytes.empty() ? "" : bytes.data(), bytes.size(),
                                             Destructor(held));
        if (code != SQLITE_OK) Fail(code);
    }
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int at) {
    if (m_status.ok) {
        if (const int code = sqlite3_bind_null(m_statement.get(), at); code != SQLITE_OK) Fail(code);
    }
    return *this;
}

bool SqliteStatement::Step() {
    if (!m_status.ok) return false;
    const int code = sqlite3_step(m_statement.get());
    if (code == SQLITE_ROW) return true;
    if (code != SQLITE_DONE) Fail(code);
    return false;
}

LogStatus SqliteStatement::Run() {
    while (Step()) {}
    return m_status;
}

void SqliteStatement::Reset() {
    if (m_statement) sqlite3_reset(m_statement.get());
}

std::int64_t SqliteStatement::Integer(int column) const { return sqlite3_column_int64(m_statement.get(), column); }

std::string SqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
    return text != nullptr
               ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(m_statement.get(), column)))
               : std::string();
}

std::string SqliteStatement::Blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement.get(), column));
    return bytes != nullptr
               ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(m_statement.get(), column)))
               : std::string();
}

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(m_statement.get(), column) == SQLITE_NULL; }

}  // namespace dralmoft
