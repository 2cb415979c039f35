#pragma once
// The outcome of an operation on the export log: SQLite's result code and its own text
// (UTF-8, English), which the user is shown as it is, since it names what went wrong
// with the file (locked, damaged, read-only).

#include <string>
#include <utility>

namespace dralmoft {

struct LogStatus {
    bool ok = true;
    int code = 0;  // SQLite's extended result code; 0 when there is none
    std::string text;

    static LogStatus Success() { return {}; }
    static LogStatus Failure(int code, std::string text) { return {false, code, std::move(text)}; }
    // Whether the failure is another program holding the log beyond the wait.
    [[nodiscard]] bool Busy() const;
    // Whether the file is not a database, or one whose pages do not add up.
    [[nodiscard]] bool Damaged() const;
};

}  // namespace dralmoft
