#include "app/error_message.h"

#include "app/resource.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

void ShowErrorMessage(HWND owner, UINT id, std::initializer_list<std::string_view> parts) {
    ShowErrorText(owner, LoadMessage(id, parts));
}

void ShowErrorText(HWND owner, std::string_view text) {
    ::MessageBoxW(owner, ToWide(text).c_str(), LoadWideString(IDS_MESSAGE_TITLE).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace dralmoft
