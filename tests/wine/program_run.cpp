#include "program_run.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dralmoft::test {
namespace {

UniqueFile InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string Contents(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::wstring TemporaryName(const wchar_t* prefix) {
    wchar_t folder[MAX_PATH] = {};
    wchar_t name[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, prefix, 0, name);
    return name;
}

}  // namespace

StartedProgram::StartedProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder,
                               Output output)
    : m_out(TemporaryName(L"out")), m_err(TemporaryName(L"err")) {
    UniqueFile out = InheritableFile(m_out);
    const UniqueFile err = InheritableFile(m_err);
    if (output == Output::ClosedPipe) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE reading = nullptr;
        HANDLE writing = nullptr;
        if (::CreatePipe(&reading, &writing, &inherit, 0)) {
            ::CloseHandle(reading);
            out = UniqueFile(writing);
        }
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    std::wstring command = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                          &process)) {
        m_startError = ::GetLastError();
        return;
    }
    ::CloseHandle(process.hThread);
    m_process.Reset(process.hProcess);
}

StartedProgram::~StartedProgram() {
    if (m_process.Valid() && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) Kill();
    ::DeleteFileW(m_out.c_str());
    ::DeleteFileW(m_err.c_str());
}

ProgramResult StartedProgram::Wait() {
    constexpr DWORD kTimeoutMs = 60000;
    ProgramResult result;
    result.exitCode = 999;
    if (!m_process.Valid()) {
        result.err = "the program did not start: CreateProcess failed with error " + std::to_string(m_startError);
        return result;
    }
    const auto started = ::GetTickCount64();
    if (::WaitForSingleObject(m_process.Get(), kTimeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(m_process.Get(), &result.exitCode);
        result.out = Contents(m_out);
        result.err = Contents(m_err);
        return result;
    }
    Kill();
    result.out = Contents(m_out);
    result.err = "the program ran past its time: still running after " + std::to_string(::GetTickCount64() - started) +
                 " ms, and was killed; it had written: " + Contents(m_err);
    return result;
}

bool StartedProgram::Running() const {
    return m_process.Valid() && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

DWORD StartedProgram::Id() const { return m_process.Valid() ? ::GetProcessId(m_process.Get()) : 0; }

void StartedProgram::Kill() {
    if (!m_process.Valid()) return;
    ::TerminateProcess(m_process.Get(), 9);
    ::WaitForSingleObject(m_process.Get(), 10000);
}

ProgramResult RunProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder,
                         Output output) {
    StartedProgram started(program, arguments, folder, output);
    return started.Wait();
}

std::wstring ExporterProgram() { return std::wstring(DRALMOFT_BINARY_DIR) + L"\\dralmoft-export.exe"; }

std::wstring KilledExporterProgram() {
    return std::wstring(DRALMOFT_TESTS_BINARY_DIR) + L"\\dralmoft-export-killed.exe";
}

std::wstring HelperProgram() { return std::wstring(DRALMOFT_TESTS_BINARY_DIR) + L"\\dralmoft-test-helper.exe"; }

bool WaitUntilHeld(const std::wstring& path) {
    // The helper marks the file once it holds it: probing the file itself would race with
    // the helper's exclusive open.
    const std::wstring mark = path + L".held";
    for (int attempt = 0; attempt < 400; ++attempt) {
        if (::GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        ::Sleep(25);
    }
    return false;
}

}  // namespace dralmoft::test
