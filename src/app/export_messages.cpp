#include "app/export_messages.h"

#include "app/resource.h"
#include "win/string_table.h"

namespace dralmoft {

std::optional<std::string> ExportFailureText(const ExportOutcome& outcome, std::string_view path) {
    using State = ExportOutcome::State;
    switch (outcome.state) {
        case State::Unwritable: return LoadMessage(IDS_EXPORT_FILE_UNWRITABLE, {path, outcome.fileError.text});
        case State::NotSaved: return LoadMessage(IDS_EXPORT_FILE_NOT_SAVED, {path, outcome.fileError.text});
        case State::ServerFailed:
            return LoadMessage(IDS_EXPORT_FAILED,
                               {path, outcome.serverError->StatusHex(), outcome.document, outcome.serverError->Text()});
        case State::Pending:
        case State::Written:
        case State::Discarded: break;
    }
    return std::nullopt;
}

}  // namespace dralmoft
