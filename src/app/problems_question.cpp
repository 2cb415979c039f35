#include "app/problems_question.h"

#include <commctrl.h>

#include "app/error_message.h"
#include "app/resource.h"
#include "app/shared_messages.h"
#include "win/string_table.h"

namespace dralmoft {

ProblemsAnswer AskAboutProblems(HWND owner, std::wstring_view path, const CheckReport& report) {
    const std::wstring title = LoadWideString(IDS_MESSAGE_TITLE);
    const std::wstring instruction = LoadMessage(IDS_CHECK_QUESTION, {path});
    const std::wstring content = LoadMessage(IDS_CHECK_QUESTION_TEXT, {CheckCountLines(report, true)});
    const std::wstring save = LoadWideString(IDS_CHECK_SAVE);
    const std::wstring cancel = LoadWideString(IDS_CHECK_CANCEL);
    const std::wstring details = LoadWideString(IDS_CHECK_DETAILS);
    const TASKDIALOG_BUTTON buttons[] = {
        {kProblemsSaveButton, save.c_str()}, {IDCANCEL, cancel.c_str()}, {kProblemsDetailsButton, details.c_str()}};

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.hInstance = ::GetModuleHandleW(nullptr);
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = instruction.c_str();
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(std::size(buttons));
    config.pButtons = buttons;
    // Nothing is lost by the default: the earlier file stays.
    config.nDefaultButton = IDCANCEL;
    int pressed = IDCANCEL;
    if (FAILED(::TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        // Without the task dialog (an old common-controls library) the question is still
        // asked, with Yes for the save.
        return AskYesNo(owner, instruction + L"\n\n" + CheckCountLines(report, true)) ? ProblemsAnswer::Save
                                                                                      : ProblemsAnswer::Cancel;
    }
    if (pressed == kProblemsSaveButton) return ProblemsAnswer::Save;
    return pressed == kProblemsDetailsButton ? ProblemsAnswer::Details : ProblemsAnswer::Cancel;
}

}  // namespace dralmoft
