#include "check/csv_field.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

struct FieldCase {
    std::string_view given;
    CsvColumn column;
    std::string_view written;
};

// What a spreadsheet would run is shown as text; what it would split is quoted; numbers
// stay numbers.
TEST(CsvField, ATextNeverReadsAsAFormulaAndAFieldNeverSplits) {
    const FieldCase cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", CsvColumn::Text, "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"@SUM(1+1)*cmd|' /C calc'!A0", CsvColumn::Text, "'@SUM(1+1)*cmd|' /C calc'!A0"},
        {"+30 210 1234567", CsvColumn::Text, "'+30 210 1234567"},
        {"-21.01 -21.00", CsvColumn::Text, "'-21.01 -21.00"},
        {"\t=1+1", CsvColumn::Text, "'\t=1+1"},
        {"\r=1+1", CsvColumn::Text, "\"'\r=1+1\""},
        {"'quoted", CsvColumn::Text, "''quoted"},
        {"a=b+c", CsvColumn::Text, "a=b+c"},
        {"Α;Β", CsvColumn::Text, "\"Α;Β\""},
        {"", CsvColumn::Text, ""},
        {"-12,50", CsvColumn::Number, "-12,50"},
        {"24", CsvColumn::Number, "24"},
    };
    for (const FieldCase& c : cases) {
        std::string out = "x;";
        AppendCsvField(out, c.given, c.column);
        EXPECT_EQ(out, "x;" + std::string(c.written)) << c.given;
    }
    std::string wide;
    AppendCsvField(wide, std::u16string_view(u"=Ω"), CsvColumn::Text);
    EXPECT_EQ(wide, "'=Ω");
}

}  // namespace
}  // namespace dralmoft
