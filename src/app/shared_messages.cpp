#include "app/shared_messages.h"

#include "app/resource.h"
#include "data/code_page.h"
#include "data/connection_setup.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

// A message, then the lines that follow it, each after an empty line.
std::string Paragraphs(std::string text, std::initializer_list<std::string> more) {
    for (const std::string& line : more) {
        if (!line.empty()) text.append("\n\n").append(line);
    }
    return text;
}

// What became of an earlier file of the target's name: only a file that was there can
// have stayed as it was.
std::string EarlierFileText(const ExportOutcome& outcome) {
    return LoadString1253(outcome.targetExisted ? IDS_EARLIER_FILE_KEPT : IDS_NO_EARLIER_FILE);
}

}  // namespace

std::optional<std::string> ExportFailureText(const ExportOutcome& outcome, std::string_view path) {
    using State = ExportOutcome::State;
    const FileStatus& file = outcome.fileError;
    switch (outcome.state) {
        case State::Unwritable:
            return Paragraphs(LoadMessage(IDS_EXPORT_FILE_UNWRITABLE, {path, file.text}), {HelperFileText(file)});
        case State::NotSaved:
            return Paragraphs(LoadMessage(IDS_EXPORT_FILE_NOT_SAVED, {path, file.text}),
                              {HelperFileText(file), EarlierFileText(outcome)});
        case State::ServerFailed: {
            const ServerError& error = *outcome.serverError;
            // Before the first document the server failed on the period's query itself.
            const std::string failure =
                outcome.document.empty()
                    ? LoadMessage(IDS_EXPORT_FAILED_PERIOD, {path, error.StatusHex(), error.Text()})
                    : LoadMessage(IDS_EXPORT_FAILED, {path, error.StatusHex(), outcome.document, error.Text()});
            return Paragraphs(failure, {EarlierFileText(outcome)});
        }
        case State::Pending:
        case State::Written:
        case State::Discarded: break;
    }
    return std::nullopt;
}

std::string DatabaseNotSetText() {
    return LoadMessage(IDS_DATABASE_NOT_SET, {"HKEY_CURRENT_USER\\" + FromWide(SettingsKeyPath())});
}

std::string HelperFileText(const FileStatus& status) {
    return status.file.empty() ? std::string() : LoadMessage(IDS_HELPER_FILE, {Utf16ToCp1253(status.file)});
}

}  // namespace dralmoft
