#include "export/export_to_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "company_documents.h"
#include "company_file.h"
#include "company_generator.h"
#include "data/atomic_save.h"
#include "log/document_digest.h"
#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryDocument;
using test::MemoryDocumentSource;
using test::MemoryFileSystem;
using State = ExportOutcome::State;

std::string Day(double) { return "31/12/2004"; }

// The digest the log keeps of a file: FNV-1a (64 bits) of its bytes, as anyone can take it
// again from the file.
std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t value = 14695981039346656037ull;
    for (const unsigned char byte : bytes) value = (value ^ byte) * 1099511628211ull;
    return value;
}

// Leaves out the documents whose reference it is given, and keeps what it saw.
class Chooser final : public DocumentObserver {
public:
    std::vector<std::string> leaveOut;
    std::vector<std::string> seen;  // "reference date records: first record"

    bool Keep(const ComposedDocument& document) override {
        const DocumentFields& fields = document.Fields();
        seen.push_back(fields.name + " " + fields.reference + " " + std::to_string(fields.oleDate) + " " +
                       std::to_string(document.RecordCount()) + ": " + std::string(document.Record(0)));
        EXPECT_EQ(document.Record(document.RecordCount() - 1),
                  document.Text().substr(document.Text().size() - document.Record(document.RecordCount() - 1).size()))
            << "the trader record ends the document";
        return std::find(leaveOut.begin(), leaveOut.end(), fields.reference) == leaveOut.end();
    }
};

class ExportToFileTest : public testing::Test {
protected:
    ExportToFileTest() {
        m_source.documents = test::TwoSales();
        m_files.files[u"out.txt"] = "earlier export\r\n";
    }

    ExportOutcome Export(std::string separator = "") {
        const ExportRequest request{38000, 39000, u"out.txt", std::move(separator), true};
        return ExportToFile(request,
                            {m_source, {m_clients, m_suppliers, m_items, m_vat}, m_files, Day, nullptr, m_observer});
    }
    [[nodiscard]] bool TargetUntouchedAndNoTemporary() const {
        return m_files.files == std::map<std::u16string, std::string>{{u"out.txt", "earlier export\r\n"}};
    }

    MemoryDocumentSource m_source;
    MemoryFileSystem m_files;
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    DocumentObserver* m_observer = nullptr;
};

// The run's file waits beside the target until the caller commits it (a question to the
// user can come in between); a discarded one leaves the target exactly as it was.
TEST_F(ExportToFileTest, ACompletedRunIsPendingUntilCommittedOrDiscarded) {
    ExportOutcome outcome = Export();
    ASSERT_EQ(outcome.state, State::Pending);
    EXPECT_EQ(outcome.separator, ";") << "the empty separator became \";\"";
    EXPECT_EQ(outcome.summary.exported, 2u);
    EXPECT_EQ(outcome.summary.records, 10u);
    EXPECT_EQ(m_files.files.at(u"out.txt"), "earlier export\r\n");
    const std::string written = m_files.files.at(u"~dralmoft-0000000000000001.tmp");
    EXPECT_EQ(written.substr(0, written.find("\r\n") + 2),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;10.00;0.60;;1;0.60;X-A12;X-A12;;;;;;\r\n");

    // Another save beside it, ten minutes on, while the user is still asked: the pending
    // file is nobody's leftover.
    m_files.ages[u"~dralmoft-0000000000000001.tmp"] = 11.0;
    ASSERT_TRUE(SaveAtomically(m_files, u"other.txt", "x").ok);
    m_files.files.erase(u"other.txt");
    ASSERT_TRUE(outcome.Commit().ok);
    EXPECT_EQ(outcome.state, State::Written);
    EXPECT_EQ(m_files.files, (std::map<std::u16string, std::string>{{u"out.txt", written}}));
    EXPECT_EQ(outcome.fileDigest, Fnv1a(written));

    m_files.files = {{u"out.txt", "earlier export\r\n"}};
    ExportOutcome discarded = Export("|");
    EXPECT_EQ(discarded.separator, "|");
    discarded.Discard();
    EXPECT_EQ(discarded.state, State::Discarded);
    EXPECT_TRUE(TargetUntouchedAndNoTemporary());
    EXPECT_FALSE(discarded.Commit().ok);
}

TEST_F(ExportToFileTest, ServerFailureNamesTheDocumentAndLeavesTheTarget) {
    m_source.failCall = "ItemName";
    m_source.failAt = 3;  // the second document's first group
    const ExportOutcome outcome = Export();
    ASSERT_EQ(outcome.state, State::ServerFailed);
    ASSERT_TRUE(outcome.serverError.has_value());
    EXPECT_EQ(outcome.serverError->Text(), "failed: ItemName");
    EXPECT_EQ(outcome.document, "ΤΙΜ-Β7");
    EXPECT_EQ(outcome.summary.exported, 1u);
    EXPECT_EQ(outcome.separator, ";") << "the first document's records had set it";
    EXPECT_TRUE(TargetUntouchedAndNoTemporary());
}

// The system that cannot write a date in the user's form has failed, not the server: the
// outcome says which, with the document and its date.
TEST_F(ExportToFileTest, ADateTheSystemCannotWriteIsNotAServerFailure) {
    const ExportRequest request{38000, 39000, u"out.txt", "", true};
    const auto formatDate = [](double date) -> std::optional<std::string> {
        if (date == 38353.0) return std::nullopt;
        return "31/12/2004";
    };
    const ExportOutcome outcome =
        ExportToFile(request, {m_source, {m_clients, m_suppliers, m_items, m_vat}, m_files, formatDate});
    EXPECT_EQ(outcome.state, State::DateFailed);
    EXPECT_EQ(outcome.document, "ΤΙΜ-Β7");
    EXPECT_EQ(outcome.unwrittenDate, 38353.0);
    EXPECT_FALSE(outcome.serverError.has_value());
    EXPECT_TRUE(TargetUntouchedAndNoTemporary());
}

TEST_F(ExportToFileTest, FileFailuresLeaveTheTarget) {
    m_files.failCreate = true;
    ExportOutcome outcome = Export();
    EXPECT_EQ(outcome.state, State::Unwritable);
    EXPECT_EQ(outcome.fileError.text, "create refused");
    EXPECT_TRUE(m_source.log.empty()) << "the server is not asked for a file that cannot be written";
    m_files.failCreate = false;

    m_files.failStep = 1;  // the one write of the buffered records
    outcome = Export();
    EXPECT_EQ(outcome.state, State::NotSaved);
    EXPECT_EQ(outcome.fileError.text, "disk full");
    EXPECT_TRUE(TargetUntouchedAndNoTemporary());

    m_files.failStep = 0;
    m_files.steps = 0;
    m_files.busyReplaces = kReplaceAttempts;  // another program holds the target throughout
    outcome = Export();
    ASSERT_EQ(outcome.state, State::Pending);
    EXPECT_FALSE(outcome.Commit().ok);
    EXPECT_EQ(outcome.state, State::NotSaved);
    EXPECT_EQ(outcome.fileError.text, "in use");
    EXPECT_TRUE(TargetUntouchedAndNoTemporary());
}

// The observer sees each document composed, in 1253, and what it leaves out is not written.
TEST_F(ExportToFileTest, TheObserverSeesEachDocumentAndMayLeaveItOut) {
    Chooser chooser;
    chooser.leaveOut = {"X-A12"};
    m_observer = &chooser;
    ExportOutcome outcome = Export();
    ASSERT_EQ(outcome.state, State::Pending);
    ASSERT_TRUE(outcome.Commit().ok);
    EXPECT_EQ(
        chooser.seen,
        (std::vector<std::string>{
            "X X-A12 38352.000000 5: A12;13;1;345;T1;31/12/2004;X-A12;X-A12;10.00;0.60;;1;0.60;X-A12;X-A12;;;;;;\r\n",
            "ΤΙΜ ΤΙΜ-Β7 38353.000000 5: "
            "Β7;13;1;345;T1;31/12/2004;ΤΙΜ-Β7;ΤΙΜ-Β7;10.00;0.60;;1;0.60;ΤΙΜ-Β7;ΤΙΜ-Β7;;;;;;\r\n"}));
    EXPECT_EQ(outcome.summary.leftOut, 1u);
    EXPECT_EQ(outcome.summary.exported, 1u);
    EXPECT_EQ(outcome.summary.records, 5u);
    const std::string& file = m_files.files.at(u"out.txt");
    EXPECT_EQ(file.find("X-A12"), std::string::npos);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 5);
}

// The digest the run makes as it composes a document's records is the one the log has
// always kept (the records composed again in the digest form): a logged document never
// reads as changed after the upgrade. Every document of a generated company (blank and
// odd texts, several rates, credit notes, purchases of every kind), with the separators
// a user may choose.
TEST(RunDigestTest, IsBitForBitTheLogsOwn) {
    class Comparing final : public DocumentObserver {
    public:
        bool Keep(const ComposedDocument& document) override {
            const ComposedDocument again(document.Fields(), document.Text(), {}, document.Groups(), document.Trader());
            EXPECT_TRUE(document.Digest().has_value());
            if (document.Digest() != LogEntryOf(again).digest) ++differing;
            ++compared;
            return true;
        }
        bool WantsDigests() const override { return true; }
        std::size_t compared = 0;
        std::size_t differing = 0;
    };
    demo::GeneratorOptions options;
    options.documents = 3000;
    const demo::Company company = demo::ParseCompany(demo::GenerateCompany(options));
    MemoryDocumentSource source;
    source.documents = test::DocumentsOf(company);
    source.logging = false;
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    for (const std::string separator : {";", "", "\t", "|;|"}) {
        Comparing comparing;
        MemoryFileSystem files;
        const ExportRequest request{38000, 39000, u"out.txt", separator, true};
        const ExportOutcome outcome =
            CheckPeriod(request, {source, {clients, suppliers, items, vat}, files, Day, nullptr, &comparing});
        ASSERT_EQ(outcome.state, State::Checked);
        EXPECT_GT(comparing.compared, 2000u);
        EXPECT_EQ(comparing.differing, 0u) << "separator " << separator;
    }
}

}  // namespace
}  // namespace dralmoft
