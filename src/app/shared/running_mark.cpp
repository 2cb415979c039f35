#include "app/shared/running_mark.h"

#include <vector>

namespace dralmoft {
namespace {

// The folder of this program's file, with its long names.
std::wstring ProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) break;
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data());
    folder.erase(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
    const DWORD length = ::GetLongPathNameW(folder.c_str(), nullptr, 0);
    if (length == 0) return folder;
    std::wstring full(length, L'\0');
    full.resize(::GetLongPathNameW(folder.c_str(), full.data(), length));
    return full;
}

}  // namespace

std::wstring RunningMarkName(std::wstring_view folder) {
    std::wstring name(folder);
    while (!name.empty() && name.back() == L'\\') name.pop_back();
    if (!name.empty()) ::CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    for (wchar_t& c : name)
        if (c == L'\\') c = L'/';
    return L"Global\\Dralmoft:" + name;
}

RunningMark::RunningMark() : m_mutex(::CreateMutexW(nullptr, FALSE, RunningMarkName(ProgramFolder()).c_str())) {}

}  // namespace dralmoft
