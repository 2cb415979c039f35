#include "app/exporter_options.h"

#include <set>

#include "data/code_page.h"
#include "data/iso_date.h"

namespace dralmoft {
namespace {

ExporterArguments Refuse(std::string error) {
    ExporterArguments arguments;
    arguments.error = std::move(error);
    return arguments;
}

}  // namespace

ExporterArguments ParseExporterArguments(const std::vector<std::u16string>& arguments) {
    ExporterOptions options;
    std::set<std::u16string> given;
    std::string fromText, toText;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& flag = arguments[i];
        const std::string name = Utf16ToCp1253(flag);
        if (flag == u"--help" || flag == u"-h" || flag == u"/?") {
            ExporterArguments help;
            help.help = true;
            return help;
        }
        static const std::set<std::u16string> kOptions = {u"--from",   u"--to",    u"--out",    u"--separator",
                                                          u"--cp1253", u"--check", u"--strict", u"--report"};
        if (!kOptions.count(flag)) return Refuse(name + ": not an option");
        // A second value would silently win over the first: a script's mistake, told.
        if (!given.insert(flag).second) return Refuse(name + ": given twice");
        if (flag == u"--cp1253" || flag == u"--check" || flag == u"--strict") {
            (flag == u"--cp1253" ? options.keepCodePage : flag == u"--check" ? options.check : options.strict) = true;
            continue;
        }
        if (i + 1 >= arguments.size()) return Refuse(name + ": a value is needed");
        const std::u16string& value = arguments[++i];
        const std::string text = Utf16ToCp1253(value);
        if (flag == u"--from" || flag == u"--to") {
            const std::optional<double> date = text.size() == 10 ? ParseOleDate(text) : std::nullopt;
            if (!date) return Refuse(name + ": " + text + " is not a date (YYYY-MM-DD)");
            (flag == u"--from" ? options.from : options.to) = *date;
            (flag == u"--from" ? fromText : toText) = text;
        } else if (flag == u"--out" || flag == u"--report") {
            if (value.empty()) return Refuse(name + ": the file name is empty");
            (flag == u"--out" ? options.out : options.report) = value;
        } else {
            // A line break in the separator would split every record in two.
            if (text.find_first_of("\r\n") != std::string::npos)
                return Refuse(name + ": a separator cannot hold a line break");
            options.separator = text;
        }
    }
    for (const char16_t* required : {u"--from", u"--to", u"--out"}) {
        if (!given.count(required) && !(options.check && required == std::u16string_view(u"--out")))
            return Refuse(Utf16ToCp1253(required) + ": missing");
    }
    // A check writes no export file: an --out with it would be a script's mistake.
    if (options.check && given.count(u"--out")) return Refuse("--out: not with --check (a check writes no file)");
    if (options.from > options.to) return Refuse("--from: " + fromText + " is after --to " + toText);
    ExporterArguments parsed;
    parsed.options = options;
    return parsed;
}

}  // namespace dralmoft
