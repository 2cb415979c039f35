#include "export/export_to_file.h"

#include "export/journal_writer.h"

namespace dralmoft {

// The steps of ExportToFile, with the right to hand the pending file to the outcome.
class ExportFlow {
public:
    static ExportOutcome Run(const ExportRequest& request, const ExportServices& services) {
        ExportOutcome outcome;
        outcome.separator = request.separator;
        outcome.targetExisted = services.files.SizeOf(request.path).has_value();
        auto file = std::make_unique<AtomicFileWriter>(services.files, request.path);
        JournalWriter writer(services.files, *file, request.keepCodePage);
        if (FileStatus status = writer.Open(); !status.ok)
            return FileFailure(std::move(outcome), State::Unwritable, status);

        FileStatus status;
        if (!RunPeriod(request, services, writer, outcome, status)) return outcome;
        if (status.ok) status = file->Seal();
        if (!status.ok) return FileFailure(std::move(outcome), State::NotSaved, status);
        outcome.state = State::Pending;
        outcome.fileDigest = writer.FileDigest();
        outcome.m_file = std::move(file);
        return outcome;
    }

    static ExportOutcome Check(const ExportRequest& request, const ExportServices& services) {
        // The records go nowhere: the watcher sees them as they would be written.
        class NoFile final : public RecordSink {
        public:
            FileStatus Write(std::string_view) override { return FileStatus::Success(); }
        } nowhere;
        ExportOutcome outcome;
        outcome.separator = request.separator;
        FileStatus status;
        if (RunPeriod(request, services, nowhere, outcome, status)) outcome.state = State::Checked;
        return outcome;
    }

private:
    using State = ExportOutcome::State;

    // Runs the period into `sink`; false, with the outcome ServerFailed, when the server
    // failed part way.
    static bool RunPeriod(const ExportRequest& request, const ExportServices& services, RecordSink& sink,
                          ExportOutcome& outcome, FileStatus& status) {
        ExportRun run(services.source, sink, services.accounts, services.formatDate, services.progress,
                      services.observer, services.watcher);
        try {
            status = run.Run(request.from, request.to, outcome.separator);
        } catch (const ServerError& error) {
            outcome.serverError = error;
            return Failed(outcome, State::ServerFailed, run);
        } catch (const DateFormatError& error) {
            outcome.unwrittenDate = error.Date();
            return Failed(outcome, State::DateFailed, run);
        }
        outcome.summary = run.Summary();
        return true;
    }

    static bool Failed(ExportOutcome& outcome, State state, const ExportRun& run) {
        outcome.summary = run.Summary();
        outcome.state = state;
        outcome.document = run.CurrentDocument();
        return false;
    }

    static ExportOutcome FileFailure(ExportOutcome outcome, State state, FileStatus status) {
        outcome.state = state;
        outcome.fileError = std::move(status);
        return outcome;
    }
};

ExportOutcome ExportToFile(const ExportRequest& request, const ExportServices& services) {
    return ExportFlow::Run(request, services);
}

ExportOutcome CheckPeriod(const ExportRequest& request, const ExportServices& services) {
    return ExportFlow::Check(request, services);
}

std::u16string ExportOutcome::PendingFile() const { return m_file ? m_file->Temporary() : std::u16string(); }

FileStatus ExportOutcome::SetPending() {
    if (state != State::Pending || !m_file) return FileStatus::Failure("the export is not pending");
    FileStatus status = m_file->SetPending();
    if (!status.ok) {
        m_file.reset();
        state = State::NotSaved;
        fileError = status;
    }
    return status;
}

FileStatus ExportOutcome::Commit() {
    if (state != State::Pending || !m_file) return FileStatus::Failure("the export is not pending");
    FileStatus status = m_file->Commit();
    m_file.reset();
    state = status.ok ? State::Written : State::NotSaved;
    if (!status.ok) fileError = status;
    return status;
}

void ExportOutcome::Discard() {
    if (state != State::Pending) return;
    m_file.reset();  // removes the temporary file
    state = State::Discarded;
}

}  // namespace dralmoft
