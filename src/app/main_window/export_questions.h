#pragma once
// What the window asks between the parts of an export session: the period the log holds
// documents of, a log that cannot be read, a file with problems, an empty file over an
// earlier one. A check's log that cannot be read is told, not asked about.

#include <windows.h>

#include <string>

#include "data/file_system.h"
#include "session/export_session.h"

namespace dralmoft {

// The buttons of the questions about the log's batch.
inline constexpr int kPostedButton = 120;
inline constexpr int kNotPostedButton = 121;
inline constexpr int kRetryButton = 122;
inline constexpr int kWithoutLogButton = 123;

class ExportQuestions final : public SessionPolicy {
public:
    // Asked over `owner`, naming the file as typed, the period as the user writes it and
    // the folder's log.
    // `toldUnnamed` is the window's: a server without a company name is told once.
    ExportQuestions(HWND owner, std::wstring typed, std::wstring period, std::wstring logPath, FileSystem& files,
                    std::u16string folder, bool& toldUnnamed);

    [[nodiscard]] LoggedPeriodChoice OnLoggedPeriod(const PeriodExports& exports) override;
    [[nodiscard]] bool GoOnWithoutLog(const LogStatus& status, bool check) override;
    // The report on request, read-only (the records are composed), then the question again.
    [[nodiscard]] bool WriteWithProblems(const CheckReport& report) override;
    [[nodiscard]] bool ReplaceWithEmpty(std::uint64_t earlierBytes) override;
    // Posted, not posted or cancel, with the batch's details; cancel is the default.
    [[nodiscard]] UncertainChoice OnUncertainBatch(const ExportBatch& batch) override;
    // Again, without the log, or cancel (the default: the target stays as it was).
    [[nodiscard]] UnwritableLogChoice OnLogNotWritable(const LogStatus& status) override;
    // Yes rebinds; No, the default, stops. A check is warned.
    [[nodiscard]] OtherCompanyChoice OnOtherCompany(const std::u16string& folder, const std::u16string& server,
                                                    bool check) override;
    void OnUnnamedCompany() override;

private:
    HWND m_owner;
    std::wstring m_typed;
    std::wstring m_period;
    std::wstring m_logPath;
    FileSystem& m_files;
    std::u16string m_folder;  // the company folder: the report is not saved over its files
    bool& m_toldUnnamed;
};

}  // namespace dralmoft
