#include "app/main_window/user_guide.h"

#include <shellapi.h>

#include <vector>

#include "app/dialogs/error_message.h"
#include "app/shared/resource.h"
#include "win/string_table.h"

namespace dralmoft {

std::wstring UserGuidePath() {
    // The installed program may be started from any folder (its shortcut starts it in
    // the company folder), so the guide is found by the program's own path.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return L"guide.html";
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            return path.substr(0, path.find_last_of(L"\\/") + 1) + L"guide.html";
        }
        buffer.resize(buffer.size() * 2);
    }
}

void OpenUserGuide(HWND owner) {
    const std::wstring path = UserGuidePath();
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowErrorMessage(owner, IDS_GUIDE_MISSING, {path});
        return;
    }
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute's own convention: above 32 is success.
    if (result <= 32) ShowErrorMessage(owner, IDS_GUIDE_NOT_OPENED, {path, std::to_wstring(result)});
}

}  // namespace dralmoft
