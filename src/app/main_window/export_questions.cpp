#include "app/main_window/export_questions.h"

#include "app/dialogs/check_report_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/dialogs/log_question.h"
#include "app/dialogs/problems_question.h"
#include "app/dialogs/task_question.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

ExportQuestions::ExportQuestions(HWND owner, std::wstring typed, std::wstring period, std::wstring logPath,
                                 FileSystem& files, std::u16string folder, bool& toldUnnamed)
    : m_owner(owner),
      m_typed(std::move(typed)),
      m_period(std::move(period)),
      m_logPath(std::move(logPath)),
      m_files(files),
      m_folder(std::move(folder)),
      m_toldUnnamed(toldUnnamed) {}

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

UncertainChoice ExportQuestions::OnUncertainBatch(const ExportBatch& batch) {
    const std::wstring number = std::to_wstring(batch.number);
    const std::wstring ask = LoadMessage(IDS_UNCERTAIN_ASK, {number});
    const std::wstring what = UncertainBatchText(batch);
    const QuestionButton buttons[] = {{kPostedButton, LoadWideString(IDS_UNCERTAIN_POSTED)},
                                      {kNotPostedButton, LoadWideString(IDS_UNCERTAIN_NOT_POSTED)},
                                      {IDCANCEL, LoadWideString(IDS_CHECK_CANCEL)}};
    const std::optional<int> pressed = AskTaskQuestion(m_owner, what, ask, buttons, IDCANCEL);
    // Without the task dialog: the buttons' words are in the text, in the same order.
    const int answer =
        pressed ? *pressed
                : ::MessageBoxW(m_owner, (what + L"\n\n" + ask).c_str(), LoadWideString(IDS_MESSAGE_TITLE).c_str(),
                                MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3);
    if (answer == kPostedButton || answer == IDYES) return UncertainChoice::Posted;
    if (answer == kNotPostedButton || answer == IDNO) return UncertainChoice::NotPosted;
    return UncertainChoice::Stop;
}

UnwritableLogChoice ExportQuestions::OnLogNotWritable(const LogStatus& status) {
    const std::wstring text = LoadMessage(IDS_LOG_NOT_WRITABLE_ASK, {m_typed, m_logPath, LogStatusText(status)});
    const QuestionButton buttons[] = {{kRetryButton, LoadWideString(IDS_LOG_RETRY)},
                                      {kWithoutLogButton, LoadWideString(IDS_LOG_WITHOUT)},
                                      {IDCANCEL, LoadWideString(IDS_CHECK_CANCEL)}};
    // What happened above, what each button does below.
    const std::size_t split = text.find(L"\n\n");
    const std::optional<int> pressed =
        AskTaskQuestion(m_owner, text.substr(0, split),
                        split == std::wstring::npos ? std::wstring() : text.substr(split + 2), buttons, IDCANCEL);
    if (!pressed) {
        // Without the task dialog: again or cancel; going on without the log is not offered.
        return AskYesNo(m_owner, text + L"\n\n" + LoadMessage(IDS_LOG_NOT_WRITABLE_FALLBACK, {m_typed}))
                   ? UnwritableLogChoice::Retry
                   : UnwritableLogChoice::Cancel;
    }
    if (*pressed == kRetryButton) return UnwritableLogChoice::Retry;
    return *pressed == kWithoutLogButton ? UnwritableLogChoice::WithoutLog : UnwritableLogChoice::Cancel;
}

OtherCompanyChoice ExportQuestions::OnOtherCompany(const std::u16string& folder, const std::u16string& server,
                                                   bool check) {
    const std::wstring from = AsWide(folder);
    const std::wstring to = AsWide(server);
    if (check) {
        ShowErrorMessage(m_owner, IDS_OTHER_COMPANY_CHECK, {from, to});
        return OtherCompanyChoice::Stop;
    }
    // No is the default: the account files belong to the folder's company.
    const int answer =
        ::MessageBoxW(m_owner, LoadMessage(IDS_OTHER_COMPANY_ASK, {from, to}).c_str(),
                      LoadWideString(IDS_MESSAGE_TITLE).c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    return answer == IDYES ? OtherCompanyChoice::Rebind : OtherCompanyChoice::Stop;
}

void ExportQuestions::OnUnnamedCompany() {
    if (m_toldUnnamed) return;
    m_toldUnnamed = true;
    ShowInformation(m_owner, LoadWideString(IDS_UNNAMED_COMPANY));
}

bool ExportQuestions::ReplaceWithEmpty(std::uint64_t earlierBytes) {
    return AskYesNo(m_owner, LoadMessage(IDS_EMPTY_EXPORT_REPLACES, {m_typed, std::to_wstring(earlierBytes)}));
}

}  // namespace dralmoft
