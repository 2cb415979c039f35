#include "app/main_window/export_questions.h"

#include "app/dialogs/check_report_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/dialogs/log_question.h"
#include "app/dialogs/problems_question.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"

namespace dralmoft {

ExportQuestions::ExportQuestions(HWND owner, std::wstring typed, std::wstring period, std::wstring logPath,
                                 FileSystem& files, std::u16string folder)
    : m_owner(owner),
      m_typed(std::move(typed)),
      m_period(std::move(period)),
      m_logPath(std::move(logPath)),
      m_files(files),
      m_folder(std::move(folder)) {}

LoggedPeriodChoice ExportQuestions::OnLoggedPeriod(const PeriodExports& exports) {
    return AskAboutLoggedPeriod(m_owner, m_period, m_typed, exports);
}

bool ExportQuestions::GoOnWithoutLog(const LogStatus& status, bool check) {
    if (check) {
        ShowErrorMessage(m_owner, IDS_LOG_UNREADABLE, {m_logPath, LogStatusText(status)});
        return false;
    }
    // The user may still export, knowingly, without the log's memory.
    return AskYesNo(m_owner, LoadMessage(IDS_LOG_OPEN_ASK, {m_logPath, LogStatusText(status)}));
}

bool ExportQuestions::WriteWithProblems(const CheckReport& report) {
    for (;;) {
        switch (AskAboutProblems(m_owner, m_typed, report)) {
            case ProblemsAnswer::Save: return true;
            case ProblemsAnswer::Cancel: return false;
            case ProblemsAnswer::Details: {
                CheckReportDialog details(m_owner, report, m_period, m_files, m_folder, nullptr);
                details.DoModal();
                break;
            }
        }
    }
}

bool ExportQuestions::ReplaceWithEmpty(std::uint64_t earlierBytes) {
    return AskYesNo(m_owner, LoadMessage(IDS_EMPTY_EXPORT_REPLACES, {m_typed, std::to_wstring(earlierBytes)}));
}

}  // namespace dralmoft
