#include "app/dialogs/task_question.h"

#include <commctrl.h>

#include <vector>

#include "app/shared/resource.h"
#include "win/string_table.h"

namespace dralmoft {

std::optional<int> AskTaskQuestion(HWND owner, const std::wstring& instruction, const std::wstring& content,
                                   std::span<const QuestionButton> buttons, int defaultButton) {
    const std::wstring title = LoadWideString(IDS_MESSAGE_TITLE);
    std::vector<TASKDIALOG_BUTTON> shown;
    for (const QuestionButton& button : buttons) shown.push_back({button.id, button.text.c_str()});

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.hInstance = ::GetModuleHandleW(nullptr);
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = instruction.c_str();
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(shown.size());
    config.pButtons = shown.data();
    config.nDefaultButton = defaultButton;
    int pressed = IDCANCEL;
    if (FAILED(::TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) return std::nullopt;
    return pressed;
}

}  // namespace dralmoft
