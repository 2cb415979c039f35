#pragma once
// The command line's answers in an export session: its options instead of questions.
// What it has to say goes to standard error.

#include <string>

#include "session/export_session.h"
#include "session/exporter_options.h"

namespace dralmoft {

class ExporterPolicy final : public SessionPolicy {
public:
    explicit ExporterPolicy(const ExporterOptions& options) : m_options(options) {}

    // The whole period again, with a warning that names the earlier batches.
    [[nodiscard]] LoggedPeriodChoice OnLoggedPeriod(const PeriodExports& exports) override;
    // Never: a scheduled run does not go on without the log's memory (--no-log does).
    [[nodiscard]] bool GoOnWithoutLog(const LogStatus& status, bool check) override;
    // Unless --strict.
    [[nodiscard]] bool WriteWithProblems(const CheckReport& report) override;
    // Always: the command line has no one to ask.
    [[nodiscard]] bool ReplaceWithEmpty(std::uint64_t earlierBytes) override;
    // Stops, naming the batch and how to settle it (--settle).
    [[nodiscard]] UncertainChoice OnUncertainBatch(const ExportBatch& batch) override;
    // Cancel: nothing is replaced (the exporter tells it).
    [[nodiscard]] UnwritableLogChoice OnLogNotWritable(const LogStatus& status) override;
    // Rebinds with --same-company (and says so), stops otherwise; a check is warned.
    [[nodiscard]] OtherCompanyChoice OnOtherCompany(const std::u16string& folder, const std::u16string& server,
                                                    bool check) override;
    // A warning.
    void OnUnnamedCompany() override;

private:
    const ExporterOptions& m_options;
};

// The export log of the current directory, as the exporter names it.
[[nodiscard]] std::wstring ExporterLogName();
// Tells on standard error that the log could not be opened or read, in SQLite's words.
void TellLogNotOpened(const LogStatus& status);

}  // namespace dralmoft
