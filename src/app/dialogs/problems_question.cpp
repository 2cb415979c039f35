#include "app/dialogs/problems_question.h"

#include "app/dialogs/error_message.h"
#include "app/dialogs/task_question.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"

namespace dralmoft {

ProblemsAnswer AskAboutProblems(HWND owner, std::wstring_view path, const CheckReport& report) {
    const std::wstring instruction = LoadMessage(IDS_CHECK_QUESTION, {path});
    const QuestionButton buttons[] = {{kProblemsSaveButton, LoadWideString(IDS_CHECK_SAVE)},
                                      {IDCANCEL, LoadWideString(IDS_CHECK_CANCEL)},
                                      {kProblemsDetailsButton, LoadWideString(IDS_CHECK_DETAILS)}};
    // Nothing is lost by the default: the earlier file stays.
    const std::optional<int> pressed = AskTaskQuestion(
        owner, instruction, LoadMessage(IDS_CHECK_QUESTION_TEXT, {CheckCountLines(report, true)}), buttons, IDCANCEL);
    if (!pressed) {
        // Without the task dialog the question is still asked, with Yes for the save.
        return AskYesNo(owner, instruction + L"\n\n" + CheckCountLines(report, true)) ? ProblemsAnswer::Save
                                                                                      : ProblemsAnswer::Cancel;
    }
    if (*pressed == kProblemsSaveButton) return ProblemsAnswer::Save;
    return *pressed == kProblemsDetailsButton ? ProblemsAnswer::Details : ProblemsAnswer::Cancel;
}

}  // namespace dralmoft
