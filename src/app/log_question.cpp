#include "app/log_question.h"

#include <string>

#include "app/error_message.h"
#include "app/resource.h"
#include "app/shared_messages.h"
#include "app/task_question.h"
#include "win/string_table.h"

namespace dralmoft {

LoggedPeriodAnswer AskAboutLoggedPeriod(HWND owner, std::wstring_view period, std::wstring_view path,
                                        const PeriodExports& exports) {
    const std::wstring instruction = LoadMessage(IDS_LOG_QUESTION, {std::to_wstring(exports.documents), period});
    const std::wstring batches = LoggedBatchLines(exports);
    const QuestionButton buttons[] = {{kLogOnlyNewButton, LoadWideString(IDS_LOG_ONLY_NEW)},
                                      {kLogAllButton, LoadWideString(IDS_LOG_ALL)},
                                      {IDCANCEL, LoadWideString(IDS_CHECK_CANCEL)}};
    // The default never posts a document twice.
    const std::optional<int> pressed = AskTaskQuestion(
        owner, instruction, LoadMessage(IDS_LOG_QUESTION_TEXT, {batches, path}), buttons, kLogOnlyNewButton);
    if (!pressed) {
        // Without the task dialog: Yes for the safe choice, No for nothing.
        return AskYesNo(owner, instruction + L"\n" + batches + L"\n\n" + LoadWideString(IDS_LOG_QUESTION_FALLBACK))
                   ? LoggedPeriodAnswer::OnlyNew
                   : LoggedPeriodAnswer::Cancel;
    }
    if (*pressed == kLogOnlyNewButton) return LoggedPeriodAnswer::OnlyNew;
    return *pressed == kLogAllButton ? LoggedPeriodAnswer::All : LoggedPeriodAnswer::Cancel;
}

}  // namespace dralmoft
