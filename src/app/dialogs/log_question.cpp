#include "app/dialogs/log_question.h"

#include <string>

#include "app/dialogs/error_message.h"
#include "app/dialogs/task_question.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"

namespace dralmoft {

LoggedPeriodChoice AskAboutLoggedPeriod(HWND owner, std::wstring_view period, std::wstring_view path,
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
                   ? LoggedPeriodChoice::OnlyNew
                   : LoggedPeriodChoice::Cancel;
    }
    if (*pressed == kLogOnlyNewButton) return LoggedPeriodChoice::OnlyNew;
    return *pressed == kLogAllButton ? LoggedPeriodChoice::All : LoggedPeriodChoice::Cancel;
}

}  // namespace dralmoft
