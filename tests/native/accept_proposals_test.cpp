#include "proposal/accept_proposals.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

std::string A(std::u16string_view text) { return Utf16ToCp1253(text); }

class AcceptProposalsTest : public testing::Test {
protected:
    AcceptProposalsTest() {
        m_files.files[u"client.txt"] =
            "100000001;30.00.0001\r\n100000002;30.00.0002\r\n100000003;30.00.0003\r\n100000004;30.00.0004\r\n"
            "100000005;30.00.0005\r\n";
        m_files.files[u"products.txt"] = A(u"Μέλι;70.01\r\n");
        m_files.files[u"fpa.txt"] = "13.000000;54.13\r\n";
        LoadAccountFiles(m_file, Tables(), [](AccountKind, const AccountLoad&) {});
    }
    AccountTables Tables() { return {m_clients, m_suppliers, m_items, m_vat}; }
    // The period misses these keys, each sold and bought.
    void Miss(CheckCode code, std::u16string_view key) {
        MissingKey& missing = m_report.missing.emplace_back();
        missing.code = code;
        missing.keyAt = static_cast<std::uint32_t>(m_report.texts.size());
        missing.keyLength = static_cast<std::uint32_t>(key.size());
        m_report.texts += key;
    }

    test::MemoryFileSystem m_files;
    AccountFile m_file{m_files, u""};
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    CheckReport m_report;
};

TEST_F(AcceptProposalsTest, EachRowStoredOrToldWhyNot) {
    for (const char16_t* client : {u"200000001", u"200000002", u"200000003", u"200000004", u"099999999", u"200000005"})
        Miss(CheckCode::ClientAccount, client);
    Miss(CheckCode::ItemAccount, u"Μέλι");
    Miss(CheckCode::VatAccount, u"24");
    // Meanwhile another user gives 200000002 an account and 100000009 the series' 0007.
    m_files.beforeRead = [this, done = false]() mutable {
        if (done) return;
        done = true;
        m_files.files[u"client.txt"] += "100000009;30.00.0007\r\n200000002;30.00.0099\r\n";
    };
    const std::vector<ProposalLine> rows = {
        {2, CheckCode::ClientAccount, "200000001", "30.00.0006"},
        {3, CheckCode::ClientAccount, "200000002", "30.00.0008"},
        {4, CheckCode::ClientAccount, "200000003", "30.00.0007"},
        {5, CheckCode::ClientAccount, "99999999", "30.00.0010"},  // Excel took the leading zero
        {6, CheckCode::ClientAccount, "100000001", "30.00.0011"},
        {7, CheckCode::ClientAccount, "200000004", "30.00.0012 "},
        {8, CheckCode::ClientAccount, "200000001", "30.00.0013"},
        {9, CheckCode::ItemAccount, A(u"Μέλι"), "20.01;70.01"},
        {10, CheckCode::VatAccount, "24,00", "54.00;54.24;54.1024"},  // as a Greek spreadsheet may write it
        {11, CheckCode::ClientAccount, "200000005", "38.00"},         // not of the series: may be shared
    };
    const AcceptResult result = AcceptProposals(rows, m_report, m_file, Tables());
    ASSERT_TRUE(result.status.ok);
    const std::vector<std::pair<RowFate, std::u16string>> expected = {
        {RowFate::Stored, u""},
        {RowFate::HadAccount, u"πήρε λογαριασμό στο μεταξύ «30.00.0099»: δεν άλλαξε"},
        {RowFate::Refused, u"ο λογαριασμός «30.00.0007» ανήκει ήδη στο «100000009»"},
        {RowFate::NotMissing, u"η περίοδος δεν έχει αυτό το κλειδί χωρίς λογαριασμό"},
        {RowFate::HadAccount, u"έχει ήδη λογαριασμό «30.00.0001»: δεν άλλαξε"},
        {RowFate::Refused, u"ο λογαριασμός τελειώνει με κενό"},
        {RowFate::Refused, u"το κλειδί δόθηκε ήδη στη γραμμή 2"},
        {RowFate::Stored, u""},
        {RowFate::Stored, u""},
        {RowFate::Stored, u""},
    };
    ASSERT_EQ(result.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.rows[i].fate, expected[i].first) << rows[i].line;
        EXPECT_EQ(A(result.rows[i].why), A(expected[i].second)) << rows[i].line;
    }
    EXPECT_EQ(result.counts, (std::array<std::size_t, kRowFates>{4, 2, 1, 3}));
    EXPECT_EQ(m_files.files[u"client.txt"],
              "100000001;30.00.0001\r\n100000002;30.00.0002\r\n100000003;30.00.0003\r\n100000004;30.00.0004\r\n"
              "100000005;30.00.0005\r\n100000009;30.00.0007\r\n200000001;30.00.0006\r\n200000002;30.00.0099\r\n"
              "200000005;38.00\r\n");
    EXPECT_EQ(m_files.files[u"products.txt"], A(u"Μέλι;20.01;70.01\r\n"));
    EXPECT_EQ(m_files.files[u"fpa.txt"], "13.000000;54.13\r\n24.000000;54.00;54.24;54.1024\r\n");
    EXPECT_EQ(m_clients["200000001"], "30.00.0006") << "the tables hold the files as saved";
}

// Another user took the series' next two numbers between the proposals and their store:
// the rows the user did not type get the numbers after them and are stored; a typed one
// stays refused.
TEST_F(AcceptProposalsTest, SeriesNumbersTakenMeanwhileAreRenumbered) {
    for (const char16_t* client : {u"200000001", u"200000002", u"200000003"}) Miss(CheckCode::ClientAccount, client);
    m_files.beforeRead = [this, done = false]() mutable {
        if (done) return;
        done = true;
        m_files.files[u"client.txt"] += "900000001;30.00.0006\r\n900000002;30.00.0007\r\n";
    };
    const std::vector<ProposalLine> rows = {{2, CheckCode::ClientAccount, "200000001", "30.00.0006"},
                                            {3, CheckCode::ClientAccount, "200000002", "30.00.0007"},
                                            {4, CheckCode::ClientAccount, "200000003", "30.00.0006"}};
    AcceptResult result = AcceptProposals(rows, m_report, m_file, Tables());
    EXPECT_EQ(result.counts, (std::array<std::size_t, kRowFates>{0, 0, 0, 3}));
    const std::vector<Renumbered> next =
        RenumberTaken(result, Tables(), [](std::size_t at) { return at != 2; });  // row 4 was typed
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[0].at, 0u);
    EXPECT_EQ(next[0].proposal.account, "30.00.0008");
    EXPECT_EQ(next[1].proposal.account, "30.00.0009");
    std::vector<ProposalLine> again;
    for (const Renumbered& row : next) {
        again.push_back(rows[row.at]);
        again.back().account = row.proposal.account;
    }
    TakeRetried(result, {next[0].at, next[1].at}, AcceptProposals(again, m_report, m_file, Tables()));
    EXPECT_EQ(result.counts, (std::array<std::size_t, kRowFates>{2, 0, 0, 1}));
    EXPECT_EQ(result.rows[2].fate, RowFate::Refused);
    EXPECT_EQ(m_files.files[u"client.txt"],
              "100000001;30.00.0001\r\n100000002;30.00.0002\r\n100000003;30.00.0003\r\n100000004;30.00.0004\r\n"
              "100000005;30.00.0005\r\n200000001;30.00.0008\r\n200000002;30.00.0009\r\n900000001;30.00.0006\r\n"
              "900000002;30.00.0007\r\n");
}

TEST_F(AcceptProposalsTest, AFileThatCannotBeSavedRefusesItsRowsAndSaysSo) {
    Miss(CheckCode::ClientAccount, u"200000001");
    Miss(CheckCode::VatAccount, u"24");
    m_files.heldLocks.insert(u"~client.txt.lock");
    const AcceptResult result = AcceptProposals(
        {{2, CheckCode::ClientAccount, "200000001", "30.00.0006"}, {3, CheckCode::VatAccount, "24", "54.24"}}, m_report,
        m_file, Tables());
    EXPECT_FALSE(result.status.ok);
    EXPECT_EQ(result.failed, AccountKind::Clients);
    EXPECT_EQ(result.rows[0].fate, RowFate::Refused);
    EXPECT_EQ(A(result.rows[0].why), A(u"το αρχείο client.txt δεν γράφτηκε"));
    EXPECT_EQ(result.rows[1].fate, RowFate::Stored) << "the other files are saved all the same";
    EXPECT_EQ(m_files.files[u"fpa.txt"], "13.000000;54.13\r\n24.000000;54.24\r\n");
}

}  // namespace
}  // namespace dralmoft
