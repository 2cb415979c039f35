#include "app/dialogs/error_message.h"

#include "app/shared/resource.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

void ShowErrorMessage(HWND owner, UINT id, std::initializer_list<std::wstring_view> parts) {
    ShowErrorText(owner, LoadMessage(id, parts));
}

namespace {

int Show(HWND owner, std::wstring_view text, UINT style) {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), LoadWideString(IDS_MESSAGE_TITLE).c_str(), style);
}

}  // namespace

void ShowErrorText(HWND owner, std::wstring_view text) { Show(owner, text, MB_OK | MB_ICONERROR); }

void ShowInformation(HWND owner, std::wstring_view text) { Show(owner, text, MB_OK | MB_ICONINFORMATION); }

bool AskYesNo(HWND owner, std::wstring_view text) {
    return Show(owner, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace dralmoft
