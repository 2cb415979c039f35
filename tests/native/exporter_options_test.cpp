#include "session/exporter_options.h"

#include <gtest/gtest.h>

#include "export/export_to_file.h"

namespace dralmoft {
namespace {

ExporterArguments Parse(std::vector<std::u16string> arguments) { return ParseExporterArguments(arguments); }

TEST(ExporterOptions, ThePeriodTheFileAndTheChoices) {
    const ExporterArguments parsed = Parse({u"--to", u"2026-12-31", u"--from", u"2026-01-01", u"--out",
                                            u"D:\\Отчёт\\2026.txt", u"--separator", u"||", u"--cp1253"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options->from, 46023.0);
    EXPECT_EQ(parsed.options->to, 46387.0);
    EXPECT_EQ(parsed.options->out, u"D:\\Отчёт\\2026.txt") << "a path in any language, kept as given";
    EXPECT_EQ(parsed.options->separator, "||");
    EXPECT_TRUE(parsed.options->keepCodePage);

    const ExporterArguments widest = Parse({u"--from", u"1900-01-01", u"--to", u"9999-12-31", u"--out", u"a.txt"});
    ASSERT_TRUE(widest.options) << widest.error;
    EXPECT_EQ(widest.options->from, kFirstPeriodDay);
    EXPECT_EQ(widest.options->to, kLastPeriodDay);

    const ExporterArguments defaults = Parse({u"--from", u"2026-01-01", u"--to", u"2026-01-01", u"--out", u"a.txt"});
    ASSERT_TRUE(defaults.options);
    EXPECT_EQ(defaults.options->separator, ";");
    EXPECT_FALSE(defaults.options->keepCodePage);
    EXPECT_FALSE(defaults.options->check || defaults.options->strict || !defaults.options->report.empty());
    EXPECT_TRUE(Parse({u"--out", u"x", u"/?"}).help);
    const ExporterArguments version = Parse({u"--version", u"--from", u"nonsense"});
    EXPECT_TRUE(version.version && !version.help && !version.options && version.error.empty());

    const ExporterArguments check =
        Parse({u"--from", u"2026-01-01", u"--to", u"2026-01-31", u"--check", u"--report", u"έλεγχος.csv"});
    ASSERT_TRUE(check.options) << "a check needs no --out";
    EXPECT_TRUE(check.options->check);
    EXPECT_EQ(check.options->report, u"έλεγχος.csv");
    const ExporterArguments strict =
        Parse({u"--from", u"2026-01-01", u"--to", u"2026-01-31", u"--out", u"a", u"--strict"});
    ASSERT_TRUE(strict.options);
    EXPECT_TRUE(strict.options->strict);

    const ExporterArguments suggest = Parse({u"--from", u"2026-01-01", u"--to", u"2026-01-31", u"--suggest", u"π.csv"});
    ASSERT_TRUE(suggest.options) << "proposals need no --out";
    EXPECT_EQ(suggest.options->suggest, u"π.csv");
    EXPECT_TRUE(suggest.options->Checks());
    const ExporterArguments accept = Parse({u"--accept", u"π.csv", u"--from", u"2026-01-01", u"--to", u"2026-01-31"});
    ASSERT_TRUE(accept.options);
    EXPECT_EQ(accept.options->accept, u"π.csv");

    const ExporterArguments onlyNew =
        Parse({u"--from", u"2026-01-01", u"--to", u"2026-01-31", u"--out", u"a", u"--only-new"});
    ASSERT_TRUE(onlyNew.options);
    EXPECT_TRUE(onlyNew.options->onlyNew);
    EXPECT_FALSE(onlyNew.options->noLog);
    const ExporterArguments history = Parse({u"--history"});
    ASSERT_TRUE(history.options) << "the log's actions need no period and no file";
    EXPECT_TRUE(history.options->history);
    const ExporterArguments forget = Parse({u"--forget", u"14"});
    ASSERT_TRUE(forget.options);
    EXPECT_EQ(forget.options->forget, 14);
    for (const bool posted : {true, false}) {
        const ExporterArguments settle = Parse({u"--settle", u"7", posted ? u"posted" : u"not-posted"});
        ASSERT_TRUE(settle.options);
        EXPECT_EQ(settle.options->settle, 7);
        EXPECT_EQ(settle.options->posted, posted);
        EXPECT_TRUE(settle.options->LogAction());
    }
}

// Each usage error names the option and what was wrong with its value.
TEST(ExporterOptions, UsageErrorsSayWhatIsWrong) {
    const std::vector<std::u16string> period = {u"--from", u"2026-01-01", u"--to", u"2026-01-31"};
    const auto with = [&](std::vector<std::u16string> more) {
        std::vector<std::u16string> arguments = period;
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Parse(arguments);
    };
    const std::pair<ExporterArguments, std::string> cases[] = {
        {Parse({u"--from", u"2026-02-30", u"--to", u"2026-03-01", u"--out", u"a"}),
         "--from: 2026-02-30 is not a date (YYYY-MM-DD)"},
        {Parse({u"--from", u"2026-03-01", u"--to", u"2026-02-01", u"--out", u"a"}),
         "--from: 2026-03-01 is after --to 2026-02-01"},
        {Parse({u"--from", u"0000-01-01", u"--to", u"0001-01-01", u"--out", u"a"}),
         "--from: 0000-01-01 is outside 1900-01-01..9999-12-31"},
        {Parse({u"--from", u"1899-12-31", u"--to", u"2026-01-01", u"--out", u"a"}),
         "--from: 1899-12-31 is outside 1900-01-01..9999-12-31"},
        {with({u"--out", u"a", u"--out", u"b"}), "--out: given twice"},
        {with({u"--out", u"a", u"--cp1253", u"--cp1253"}), "--cp1253: given twice"},
        {with({u"--out", u"a", u"--separator", u";\r\n"}), "--separator: a separator cannot hold a line break"},
        {with({u"--out"}), "--out: a value is needed"},
        {with({u"--out", u""}), "--out: the file name is empty"},
        {with({u"--strict"}), "--out: missing"},
        {with({u"--check", u"--out", u"a"}), "--out: not with --check (a check writes no file)"},
        {with({u"--check", u"--report"}), "--report: a value is needed"},
        {with({u"--verbose"}), "--verbose: not an option"},
        {with({u"--out", u"a", u"--only-new", u"--no-log"}), "--only-new: not with --no-log (it asks the log)"},
        {with({u"--history"}), "--history: no other option with it"},
        {Parse({u"--forget", u"0"}), "--forget: 0 is not a batch number"},
        {Parse({u"--forget", u"-3"}), "--forget: -3 is not a batch number"},
        {Parse({u"--forget", u"3x"}), "--forget: 3x is not a batch number"},
        {Parse({u"--forget", u"3", u"--to", u"2026-01-01"}), "--forget: no other option with it"},
        {Parse({u"--settle", u"3"}), "--settle 3: posted or not-posted is needed"},
        {Parse({u"--settle", u"3", u"Posted"}), "--settle 3: posted or not-posted is needed"},
        {Parse({u"--settle", u"3", u"posted", u"--history"}), "--history: no other option with it"},
        {with({}), "--out: missing"},
        {with({u"--suggest", u"p.csv", u"--out", u"a"}), "--suggest: not with --out"},
        {with({u"--accept", u"p.csv", u"--check"}), "--accept: not with --check"},
        {with({u"--accept", u"p.csv", u"--suggest", u"q.csv"}), "--suggest: not with --accept"},
        {with({u"--suggest", u""}), "--suggest: the file name is empty"},
        {Parse({u"--accept", u"p.csv", u"--from", u"2026-01-01"}), "--to: missing"},
    };
    for (const auto& [parsed, error] : cases) {
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.help);
        EXPECT_EQ(parsed.error, error);
    }
}

}  // namespace
}  // namespace dralmoft
