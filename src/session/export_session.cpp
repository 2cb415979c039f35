#include "session/export_session.h"

#include "check/period_check.h"
#include "log/company_key.h"
#include "log/logged_period.h"
#include "session/commit_and_record.h"
#include "session/pending_batches.h"
#include "session/report_beside.h"

namespace dralmoft {
namespace {

// The log's view of a document, told to the check: it lists the changed and the already
// exported documents.
class LoggedToCheck final : public LoggedListener {
public:
    explicit LoggedToCheck(PeriodCheck& check) : m_check(check) {}
    void Logged(LoggedState state, const ComposedDocument& document) override {
        m_check.Logged(state == LoggedState::Changed ? CheckCode::Changed : CheckCode::AlreadyExported, document);
    }

private:
    PeriodCheck& m_check;
};

class ExportSession {
public:
    ExportSession(const SessionRequest& request, const SessionServices& services, SessionPolicy& policy)
        : m_request(request), m_services(services), m_policy(policy), m_check(request.run.keepCodePage) {
        m_result.outcome.separator = request.run.separator;
    }

    SessionResult Run() && {
        if (!ReadLog()) return std::move(m_result);
        m_result.end = SessionResult::End::Ran;
        RunPeriod();
        Settle();
        m_result.counts = m_observing ? m_observer.Counts() : LogCounts{m_result.outcome.summary.exported, 0, 0};
        m_result.report = m_check.TakeReport();
        return std::move(m_result);
    }

private:
    using State = ExportOutcome::State;
    using Kept = SessionResult::Kept;

    // What the log holds of the period, and whether the run is to be observed for it. False
    // when the policy stops the session.
    bool ReadLog() {
        const SessionRequest& r = m_request;
        if (!r.useLog) return true;
        const bool present = ExportLog::Exists(r.logPath);
        // A check reads a log but never makes one; an export records its batch in one,
        // which the recording creates where there is none yet.
        m_company = ServerCompany();
        if (r.check && !present) return true;
        m_observing = true;
        m_onlyNew = r.onlyNew;
        m_logExisted = present;
        if (!present) return true;
        LoggedPeriod period;
        bool stopped = false;
        LogStatus status = m_log.OpenExisting(r.logPath);
        if (status.ok) status = CheckCompany(stopped);
        if (stopped) return false;
        // An export settles what a killed one left pending before it reads; a check only looks.
        if (status.ok && !r.check) status = SettleEarlier(stopped);
        if (stopped) return false;
        if (status.ok) status = ReadLoggedPeriod(m_log, r.run.from, r.run.to, !r.check && !r.onlyNew, period);
        if (!status.ok) {
            // Nothing half read is used.
            m_log = ExportLog();
            m_observing = m_onlyNew = false;
            if (m_policy.GoOnWithoutLog(status, r.check)) return true;
            m_result.logStatus = status;
            return false;
        }
        m_digests = std::move(period.digests);
        m_readChanges = period.changes;
        if (period.exports.documents == 0) return true;
        switch (m_policy.OnLoggedPeriod(period.exports)) {
            case LoggedPeriodChoice::All: return true;
            case LoggedPeriodChoice::OnlyNew: m_onlyNew = true; return true;
            case LoggedPeriodChoice::Cancel: break;
        }
        return false;
    }

    // The company's name as the server gives it; a server that cannot say names none.
    std::u16string ServerCompany() {
        std::u16string name;
        try {
            name = m_services.source.CompanyName();
        } catch (const ServerError&) {
            // The run that follows meets the server's failure and tells it.
        }
        if (CompanyKey(name).empty()) {
            m_policy.OnUnnamedCompany();
            name.clear();
        }
        return name;
    }

    // The folder's account files belong to one company: another one's export stops here
    // unless the policy says it is the same company, which then rebinds the folder.
    LogStatus CheckCompany(bool& stopped) {
        FolderCompany folder;
        if (LogStatus status = m_log.Company(folder); !status.ok) return status;
        if (folder.key.empty() || m_company.empty() || folder.key == CompanyKey(m_company)) return LogStatus::Success();
        const OtherCompanyChoice choice = m_policy.OnOtherCompany(folder.name, m_company, m_request.check);
        if (m_request.check) return LogStatus::Success();
        if (choice == OtherCompanyChoice::Stop) {
            stopped = true;
            m_result.otherCompany = true;
            return LogStatus::Success();
        }
        const ExportAuthor author = m_services.author();
        return m_log.Rebind(m_company, author.when, author.user);
    }

    // The batches earlier exports left pending: settled from the files, or by the policy.
    LogStatus SettleEarlier(bool& stopped) {
        std::vector<ExportBatch> uncertain;
        if (LogStatus status = SettlePending(m_log, m_services.files, uncertain); !status.ok) return status;
        for (const ExportBatch& batch : uncertain) {
            const UncertainChoice choice = m_policy.OnUncertainBatch(batch);
            if (choice == UncertainChoice::Stop) {
                stopped = true;
                return LogStatus::Success();
            }
            if (LogStatus status = SettleAs(m_log, m_services.files, batch, choice == UncertainChoice::Posted);
                !status.ok)
                return status;
        }
        return LogStatus::Success();
    }

    void RunPeriod() {
        m_observer = ExportLogObserver(std::move(m_digests), m_onlyNew, &m_listener);
        const ExportServices services{m_services.source,
                                      m_services.accounts,
                                      m_services.files,
                                      m_services.formatDate,
                                      m_services.progress,
                                      m_observing ? &m_observer : nullptr,
                                      &m_check};
        m_result.outcome =
            m_request.check ? CheckPeriod(m_request.run, services) : ExportToFile(m_request.run, services);
    }

    // Between the run and the target: the pending file is discarded when nothing is new,
    // or when the policy keeps the target from its problems or from an empty file; it is
    // committed and recorded otherwise.
    void Settle() {
        ExportOutcome& outcome = m_result.outcome;
        if (outcome.state != State::Pending) return;
        if (const Kept kept = Keep(); kept != Kept::No) {
            outcome.Discard();
            m_result.kept = kept;
        } else if (PutReportInPlace()) {
            if (m_observing) CommitAndRecord();
            else (void)dralmoft::CommitAndRecord(outcome, nullptr);
            // A report never describes an export that is not there.
            if (m_report && outcome.state != State::Written) {
                m_result.reportStatus = m_report->PutBack();
                m_result.reportWritten = !m_result.reportStatus.ok;
            }
        }
        // A log made for a batch that was not recorded goes again.
        if (!m_logExisted && m_result.batch == 0) m_log.CloseRemovingIfEmpty(m_request.logPath);
    }

    // The report that goes with the file, sealed and put in place before the file; false,
    // with the file discarded, when it cannot be.
    bool PutReportInPlace() {
        if (m_request.reportPath.empty()) return true;
        m_report.emplace(m_services.files, m_request.reportPath);
        FileStatus status = m_report->Seal(m_check.Report());
        if (status.ok) status = m_report->Commit();
        m_result.reportWritten = status.ok;
        if (status.ok) return true;
        m_result.reportStatus = status;
        m_result.outcome.Discard();
        m_result.kept = Kept::ReportNotWritten;
        m_report.reset();
        return false;
    }

    // Puts the file in place with its batch, and settles what the log cannot take.
    void CommitAndRecord() {
        ExportOutcome& outcome = m_result.outcome;
        const BatchToRecord batch{m_log,         m_request.logPath, m_request.run,
                                  m_observer,    m_services.author, m_services.files,
                                  m_readChanges, m_company};
        for (;;) {
            const Committed committed = dralmoft::CommitAndRecord(outcome, &batch);
            m_result.logStatus = committed.log;
            m_result.batch = committed.batch;
            if (outcome.state != State::Pending) return;
            if (committed.changedMeanwhile) {
                outcome.Discard();
                m_result.kept = Kept::ChangedMeanwhile;
                m_result.changedMeanwhile = committed.changedMeanwhile;
                return;
            }
            switch (m_policy.OnLogNotWritable(committed.log)) {
                case UnwritableLogChoice::Retry: continue;
                case UnwritableLogChoice::WithoutLog:
                    (void)dralmoft::CommitAndRecord(outcome, nullptr);
                    m_result.withoutLog = outcome.state == State::Written;
                    m_result.logStatus = LogStatus::Success();
                    return;
                case UnwritableLogChoice::Cancel:
                    outcome.Discard();
                    m_result.kept = Kept::LogNotWritable;
                    return;
            }
        }
    }

    Kept Keep() {
        if (m_onlyNew && m_observer.Entries().empty()) return Kept::NothingNew;
        const CheckReport& report = m_check.Report();
        if (report.BlockingCount() != 0 && !m_policy.WriteWithProblems(report)) return Kept::Problems;
        // A period without documents would turn an earlier export into an empty file.
        if (m_result.outcome.summary.records != 0) return Kept::No;
        const std::uint64_t earlier = m_services.files.SizeOf(m_request.run.path).value_or(0);
        return earlier == 0 || m_policy.ReplaceWithEmpty(earlier) ? Kept::No : Kept::EmptyFile;
    }

    const SessionRequest& m_request;
    const SessionServices& m_services;
    SessionPolicy& m_policy;
    SessionResult m_result;
    ExportLog m_log;
    LoggedDigests m_digests;
    bool m_observing = false;  // the log's observer watches the run
    bool m_onlyNew = false;
    std::int64_t m_readChanges = 0;        // the log's change count as the session read it
    bool m_logExisted = false;             // the folder had its log when the session began
    std::u16string m_company;              // as the server names it; empty when it names none
    std::optional<ReportBeside> m_report;  // the report that goes with the file, once sealed
    PeriodCheck m_check;
    LoggedToCheck m_listener{m_check};
    ExportLogObserver m_observer{{}, false};
};

}  // namespace

SessionResult RunExportSession(const SessionRequest& request, const SessionServices& services, SessionPolicy& policy) {
    return ExportSession(request, services, policy).Run();
}

}  // namespace dralmoft
