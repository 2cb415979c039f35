#include "check/csv_field.h"

#include "base/code_page.h"

namespace dralmoft {
namespace {

bool StartsAsFormula(std::string_view field) {
    return !field.empty() && std::string_view("=+-@\t\r'").find(field.front()) != std::string_view::npos;
}

// The field's text is at out[start...]: made safe for a spreadsheet, then quoted, in place.
void Finish(std::string& out, std::size_t start, CsvColumn column) {
    const std::string_view added = std::string_view(out).substr(start);
    const bool guarded = column == CsvColumn::Text && StartsAsFormula(added);
    const bool quoted = added.find_first_of(";\"\r\n") != std::string_view::npos;
    if (!guarded && !quoted) return;  // most fields: a report may have half a million lines
    std::string field;
    field.reserve(added.size() + 3);
    if (quoted) field.push_back('"');
    if (guarded) field.push_back('\'');
    for (const char c : added) {
        if (c == '"') field.push_back('"');
        field.push_back(c);
    }
    if (quoted) field.push_back('"');
    out.resize(start);
    out.append(field);
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view utf8, CsvColumn column) {
    const std::size_t start = out.size();
    out.append(utf8);
    Finish(out, start, column);
}

void AppendCsvField(std::string& out, std::u16string_view text, CsvColumn column) {
    const std::size_t start = out.size();
    AppendUtf8(out, text);
    Finish(out, start, column);
}

}  // namespace dralmoft
