#pragma once
// What the export log keeps of a document that was written: its identity and a digest of
// its records as field values (Windows-1253, the date as "YYYY-MM-DD"), so that another
// separator, code page or date form in a later export does not make it "changed", while
// any changed amount, account or text does.

#include "export/document_observer.h"
#include "log/export_log.h"

namespace dralmoft {

// Keeps its buffers from one document to the next: an export makes an entry for each of a
// year's documents. The digest is the one the run made as it composed the records, when
// it made one; otherwise the records are composed again in the digest form, the same bytes.
class LogEntryMaker {
public:
    [[nodiscard]] LoggedDocument Make(const ComposedDocument& document);

private:
    DocumentFields m_fields;
    DocumentRecords m_records;
    std::string m_head;
    std::string m_text;
};

// The entry of one document.
[[nodiscard]] LoggedDocument LogEntryOf(const ComposedDocument& document);

}  // namespace dralmoft
