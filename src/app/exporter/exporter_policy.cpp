#include "app/exporter/exporter_policy.h"

#include "app/exporter/console_text.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

std::wstring ExporterLogName() { return AsWide(ExportLog::kFileName); }

LoggedPeriodChoice ExporterPolicy::OnLoggedPeriod(const PeriodExports& exports) {
    Tell(STD_ERROR_HANDLE,
         LoadMessage(IDS_PERIOD_EXPORTED_BEFORE, {std::to_wstring(exports.documents), LoggedBatchLines(exports)}));
    return LoggedPeriodChoice::All;
}

void TellLogNotOpened(const LogStatus& status) {
    Tell(STD_ERROR_HANDLE, LoadMessage(IDS_LOG_NOT_OPENED, {ExporterLogName(), LogStatusText(status)}));
}

bool ExporterPolicy::GoOnWithoutLog(const LogStatus& status, bool) {
    TellLogNotOpened(status);
    return false;
}

bool ExporterPolicy::WriteWithProblems(const CheckReport&) { return !m_options.strict; }

bool ExporterPolicy::ReplaceWithEmpty(std::uint64_t) { return true; }

UncertainChoice ExporterPolicy::OnUncertainBatch(const ExportBatch& batch) {
    Tell(STD_ERROR_HANDLE,
         UncertainBatchText(batch) + L"\n\n" + LoadMessage(IDS_UNCERTAIN_SETTLE, {std::to_wstring(batch.number)}));
    return UncertainChoice::Stop;
}

OtherCompanyChoice ExporterPolicy::OnOtherCompany(const std::u16string& folder, const std::u16string& server,
                                                  bool check) {
    const std::wstring from = AsWide(folder);
    const std::wstring to = AsWide(server);
    const bool rebind = !check && m_options.sameCompany;
    const UINT told = check ? IDS_OTHER_COMPANY_CHECK : rebind ? IDS_COMPANY_REBOUND : IDS_OTHER_COMPANY;
    Tell(STD_ERROR_HANDLE, LoadMessage(told, {from, to}));
    return rebind ? OtherCompanyChoice::Rebind : OtherCompanyChoice::Stop;
}

void ExporterPolicy::OnUnnamedCompany() { Tell(STD_ERROR_HANDLE, LoadWideString(IDS_UNNAMED_COMPANY)); }

UnwritableLogChoice ExporterPolicy::OnLogNotWritable(const LogStatus&) { return UnwritableLogChoice::Cancel; }

}  // namespace dralmoft
