#include "call_counts.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <string>

namespace demo {
namespace {

class CallCounts {
public:
    CallCounts() {
        const DWORD length = ::GetEnvironmentVariableW(kCallCountsVariable, nullptr, 0);
        if (length == 0) return;
        m_path.resize(length);
        m_path.resize(::GetEnvironmentVariableW(kCallCountsVariable, m_path.data(), length));
    }
    // The counts are written as the DLL goes: the program's last call has been made.
    ~CallCounts() {
        if (m_path.empty()) return;
        std::string text;
        for (const auto& [operation, count] : m_counts)
            text.append(operation).append(" ").append(std::to_string(count)).append("\r\n");
        const HANDLE file =
            ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }

    void Count(std::string_view operation) {
        if (m_path.empty()) return;
        const std::lock_guard lock(m_mutex);
        const auto known = m_counts.find(operation);
        if (known != m_counts.end()) ++known->second;
        else m_counts.emplace(operation, 1);
    }

private:
    std::wstring m_path;
    std::mutex m_mutex;
    std::map<std::string, long, std::less<>> m_counts;
};

CallCounts g_counts;

}  // namespace

void CountCall(std::string_view operation) { g_counts.Count(operation); }

}  // namespace demo
