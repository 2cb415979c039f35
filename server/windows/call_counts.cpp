#include "call_counts.h"

#include <windows.h>

#include <cwchar>
#include <map>
#include <mutex>
#include <string>

namespace demo {
namespace {

std::wstring Environment(const wchar_t* name) {
    std::wstring value;
    const DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) return value;
    value.resize(length);
    value.resize(::GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

class CallCounts {
public:
    CallCounts() : m_path(Environment(kCallCountsVariable)) {
        const std::wstring pace = Environment(kCallPaceVariable);
        LARGE_INTEGER frequency{};
        if (!pace.empty() && ::QueryPerformanceFrequency(&frequency))
            m_paceTicks = static_cast<LONGLONG>(std::wcstod(pace.c_str(), nullptr) * 1e-6 *
                                                static_cast<double>(frequency.QuadPart));
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
        if (m_paceTicks > 0) Pace();
        if (m_path.empty()) return;
        const std::lock_guard lock(m_mutex);
        const auto known = m_counts.find(operation);
        if (known != m_counts.end()) ++known->second;
        else m_counts.emplace(operation, 1);
    }

private:
    void Pace() const {
        LARGE_INTEGER start{}, now{};
        ::QueryPerformanceCounter(&start);
        do ::QueryPerformanceCounter(&now);
        while (now.QuadPart - start.QuadPart < m_paceTicks);
    }

    std::wstring m_path;
    LONGLONG m_paceTicks = 0;
    std::mutex m_mutex;
    std::map<std::string, long, std::less<>> m_counts;
};

CallCounts g_counts;

}  // namespace

void CountCall(std::string_view operation) { g_counts.Count(operation); }

}  // namespace demo
