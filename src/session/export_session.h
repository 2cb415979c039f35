#pragma once
// One export of a period as both programs run it: the window's «Άρθρα» and «Έλεγχος...»,
// the command line's export and its --check. The session reads the folder's export log
// when there is one, runs the period with the check and the log's observer, settles the
// pending file through the caller's policy (the window asks, the exporter applies its
// options), puts the file in place and records its batch. A session that stops or fails
// leaves the folder as it was: no file, no log where there was none.
//
// Portable: the server, the files, the clock and the user come in from outside.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "check/check_report.h"
#include "export/document_source.h"
#include "export/export_outcome.h"
#include "export/export_to_file.h"
#include "log/export_log.h"
#include "log/export_log_observer.h"
#include "log/export_recording.h"
#include "mapping/account_tables.h"

namespace dralmoft {

struct SessionRequest {
    // The period, the file, the separator and the code page; a check does not use the file.
    ExportRequest run;
    bool check = false;    // the run without a file: its report only
    bool useLog = true;    // false neither reads nor writes the export log
    bool onlyNew = false;  // decided beforehand: write only what the log does not hold as it is
    std::u16string logPath;
    // Where the check's report goes with the export's file (see report_beside.h); empty:
    // the caller writes it, if at all.
    std::u16string reportPath;
};

struct SessionServices {
    DocumentSource& source;
    AccountTables accounts;
    FileSystem& files;
    DateFormatter formatDate;
    ExportProgress* progress = nullptr;
    // Who records a batch, and when: asked once the file is in place.
    std::function<ExportAuthor()> author;
};

enum class LoggedPeriodChoice : std::uint8_t {
    All,      // the whole period, as if nothing had been exported
    OnlyNew,  // only the documents the log does not hold as they are now
    Cancel,   // nothing is read or written
};

// A pending batch whose file the session cannot find in place or not: posted counts it,
// not posted drops it, stop ends the session before anything is read.
enum class UncertainChoice : std::uint8_t { Posted, NotPosted, Stop };

// The log cannot take the batch (the file is written but not yet in place).
enum class UnwritableLogChoice : std::uint8_t {
    Retry,       // try to record it again
    WithoutLog,  // put the file in place without recording it
    Cancel,      // leave the target as it was
};

// The server names another company than the one the folder's log is bound to.
enum class OtherCompanyChoice : std::uint8_t {
    Rebind,  // the same company, renamed or moved: the folder follows the new name
    Stop,    // the account files belong to the folder's company: nothing is exported
};

// Where the session turns to its caller. An answer may be a question to the user or the
// caller's rule; whatever the policy tells the user, it tells itself.
class SessionPolicy {
public:
    virtual ~SessionPolicy() = default;
    // Before an export (unless only-new was decided): the log holds documents of the
    // period.
    [[nodiscard]] virtual LoggedPeriodChoice OnLoggedPeriod(const PeriodExports& exports) = 0;
    // The folder's log cannot be opened or read (`check`: for a run without a file). True
    // goes on without it: nothing is read from it or recorded in it.
    [[nodiscard]] virtual bool GoOnWithoutLog(const LogStatus& status, bool check) = 0;
    // The pending file has blocking problems: true lets it replace the target.
    [[nodiscard]] virtual bool WriteWithProblems(const CheckReport& report) = 0;
    // The pending file has no records and the target holds `earlierBytes`: true lets it
    // replace them.
    [[nodiscard]] virtual bool ReplaceWithEmpty(std::uint64_t earlierBytes) = 0;
    // Before an export reads the log: an earlier export left `batch` pending, and whether
    // its file replaced the target cannot be told from the files.
    [[nodiscard]] virtual UncertainChoice OnUncertainBatch(const ExportBatch& batch) = 0;
    // The written file's batch cannot be recorded (`status`): nothing is replaced yet.
    [[nodiscard]] virtual UnwritableLogChoice OnLogNotWritable(const LogStatus& status) = 0;
    // Before the log is read: the server names company `server`, the folder belongs to
    // `folder`. A check only warns: its answer is not asked for.
    [[nodiscard]] virtual OtherCompanyChoice OnOtherCompany(const std::u16string& folder, const std::u16string& server,
                                                            bool check) = 0;
    // The server gives the company no name: the folder is bound to none by this session.
    virtual void OnUnnamedCompany() = 0;
};

struct SessionResult {
    enum class End : std::uint8_t {
        Stopped,  // before the run, by the policy: nothing was read or written
        Ran,      // the outcome says how the run ended
    };
    // Why a pending file was discarded and the target kept.
    enum class Kept : std::uint8_t {
        No,
        NothingNew,
        Problems,
        EmptyFile,
        ChangedMeanwhile,  // another batch of the period was recorded or undone meanwhile
        LogNotWritable,    // the batch could not be recorded, and the policy cancelled
        ReportNotWritten,  // the report going with the file could not be written
    };

    End end = End::Stopped;
    ExportOutcome outcome;  // Checked, Written, Discarded, or the failure
    Kept kept = Kept::No;
    CheckReport report;
    // New, changed and already exported documents; without the log every document
    // exported counts as new.
    LogCounts counts;
    std::int64_t batch = 0;  // the batch recorded; 0 when none was
    // Stopped: why the log could not be read, when that stopped it. Kept LogNotWritable:
    // why the batch could not be recorded. Written or NotSaved with a batch: why the log
    // could not settle it, which leaves it pending for the next export.
    LogStatus logStatus;
    // Kept ChangedMeanwhile: the batch that changed the log since the session read it.
    std::optional<ExportBatch> changedMeanwhile;
    // The file replaced the target without its batch, as the policy chose.
    bool withoutLog = false;
    // Stopped: the server names another company than the folder's, and the policy stopped.
    bool otherCompany = false;
    // The report is in place with the file (reportPath). Kept ReportNotWritten: why it
    // could not be written. When the file did not follow it, why the earlier report could
    // not be put back, if it could not.
    bool reportWritten = false;
    FileStatus reportStatus;

    // The batch stays pending: the next export that opens the log settles it.
    [[nodiscard]] bool LeftPending() const { return batch != 0 && !logStatus.ok; }
};

[[nodiscard]] SessionResult RunExportSession(const SessionRequest& request, const SessionServices& services,
                                             SessionPolicy& policy);

}  // namespace dralmoft
