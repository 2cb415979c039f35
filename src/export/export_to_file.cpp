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

        ExportRun run(services.source, writer, services.accounts, services.formatDate, services.progress,
                      services.observer);
        FileStatus status;
        try {
            status = run.Run(request.from, request.to, outcome.separator);
        } catch (const ServerError& error) {
            outcome.summary = run.Summary();
            outcome.state = State::ServerFailed;
            outcome.serverError = error;
            outcome.document = run.CurrentDocument();
            return outcome;
        }
        outcome.summary = run.Summary();
        if (status.ok) status = file->Seal();
        if (!status.ok) return FileFailure(std::move(outcome), State::NotSaved, status);
        outcome.state = State::Pending;
        outcome.m_file = std::move(file);
        return outcome;
    }

private:
    using State = ExportOutcome::State;

    static ExportOutcome FileFailure(ExportOutcome outcome, State state, FileStatus status) {
        outcome.state = state;
        outcome.fileError = std::move(status);
        return outcome;
    }
};

ExportOutcome ExportToFile(const ExportRequest& request, const ExportServices& services) {
    return ExportFlow::Run(request, services);
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
