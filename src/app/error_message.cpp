#include "app/error_message.h"

#include "ui/message_text.h"
#include "app/resource.h"
#include "ui/window_text.h"

namespace dralmoft {

void ShowErrorMessage(HWND owner, UINT id, std::initializer_list<std::string_view> parts) {
    const std::string text = FillMessage(LoadString1253(id), parts);
    ::MessageBoxW(owner, ToWide(text).c_str(), LoadWideString(IDS_MESSAGE_TITLE).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace dralmoft
