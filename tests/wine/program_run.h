#pragma once
// Other programs started by a test: the command-line exporter, and the helper that plays
// another window or another program holding a file.

#include <windows.h>

#include <string>

#include "win/unique_handle.h"

namespace dralmoft::test {

// How a program ended and what it printed (UTF-8, as the programs write to a file). A
// program that did not start, or ran past its time, has exit code 999 and the reason, with
// the system's error or the time, in `err`.
struct ProgramResult {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

// Where a program's standard output goes: a file the result reads, or a pipe nobody reads
// (closed before the program starts), on which every write fails.
enum class Output { File, ClosedPipe };

// A program running in `folder`, with the test's environment (its settings key too). It
// is killed when it goes away before it ended.
class StartedProgram {
public:
    StartedProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder,
                   Output output = Output::File);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Waits (up to a minute) for the end; then its exit code and output.
    ProgramResult Wait();
    // Ends it at once, as the task manager or a power cut would.
    void Kill();
    // Whether it still runs, and its process id (for its windows).
    [[nodiscard]] bool Running() const;
    [[nodiscard]] DWORD Id() const;

private:
    std::wstring m_out;
    std::wstring m_err;
    UniqueKernelHandle m_process;
    DWORD m_startError = 0;  // why CreateProcess failed
};

// Runs a program to its end.
[[nodiscard]] ProgramResult RunProgram(const std::wstring& program, const std::wstring& arguments,
                                       const std::wstring& folder, Output output = Output::File);

// The exporter and the helper, built beside the tests.
[[nodiscard]] std::wstring ExporterProgram();
[[nodiscard]] std::wstring HelperProgram();
// The exporter of the tests' build: it ends itself at the commit step that the
// environment's DRALMOFT_KILL_AT names.
[[nodiscard]] std::wstring KilledExporterProgram();

// Waits (up to ten seconds) until the helper holds `path` (it marks it "<path>.held").
[[nodiscard]] bool WaitUntilHeld(const std::wstring& path);

}  // namespace dralmoft::test
