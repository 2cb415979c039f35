#pragma once
// One field of the CSV files the program writes (UTF-8, ';' between fields): quoted when it
// holds ';', '"' or a line break, its quotes doubled. A field of a text column that begins
// with what a spreadsheet takes for a formula ('=', '+', '-', '@', a tab, a carriage
// return) gets an apostrophe in front, so that Excel shows it as text; one that begins with
// an apostrophe gets a second, so that a reader takes exactly one off. Number columns stay
// numbers ("-12,50").

#include <string>
#include <string_view>

namespace dralmoft {

enum class CsvColumn { Text, Number };

// Appends `utf8` as a field of a `column` column.
void AppendCsvField(std::string& out, std::string_view utf8, CsvColumn column);
// The same for a UTF-16 text, converted as it is appended.
void AppendCsvField(std::string& out, std::u16string_view text, CsvColumn column);

}  // namespace dralmoft
