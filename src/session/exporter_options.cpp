#include "session/exporter_options.h"

#include <charconv>
#include <set>

#include "base/code_page.h"
#include "base/iso_date.h"
#include "export/export_to_file.h"

namespace dralmoft {
namespace {

ExporterArguments Refuse(std::string error) {
    ExporterArguments arguments;
    arguments.error = std::move(error);
    return arguments;
}

ExporterArguments Parsed(const ExporterOptions& options) {
    ExporterArguments parsed;
    parsed.options = options;
    return parsed;
}

// The option's own switch, or null when it takes a value.
bool* Switch(ExporterOptions& options, std::u16string_view flag) {
    if (flag == u"--cp1253") return &options.keepCodePage;
    if (flag == u"--check") return &options.check;
    if (flag == u"--strict") return &options.strict;
    if (flag == u"--only-new") return &options.onlyNew;
    if (flag == u"--no-log") return &options.noLog;
    if (flag == u"--history") return &options.history;
    if (flag == u"--same-company") return &options.sameCompany;
    return nullptr;
}

// A batch number of the log: 1 or more, digits only; 0 when the text is not one.
std::int64_t BatchNumber(std::string_view text) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = error == std::errc() && end == text.data() + text.size() && !text.empty() && text[0] != '-';
    return whole && number > 0 ? number : 0;
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
        if (flag == u"--version") {
            ExporterArguments version;
            version.version = true;
            return version;
        }
        static const std::set<std::u16string> kOptions = {
            u"--from",   u"--to",           u"--out",      u"--separator", u"--cp1253",  u"--check",
            u"--strict", u"--report",       u"--only-new", u"--no-log",    u"--history", u"--forget",
            u"--settle", u"--same-company", u"--suggest",  u"--accept"};
        if (!kOptions.count(flag)) return Refuse(name + ": not an option");
        // A second value would silently win over the first: a script's mistake, told.
        if (!given.insert(flag).second) return Refuse(name + ": given twice");
        if (bool* const set = Switch(options, flag)) {
            *set = true;
            continue;
        }
        if (i + 1 >= arguments.size()) return Refuse(name + ": a value is needed");
        const std::u16string& value = arguments[++i];
        const std::string text = Utf16ToCp1253(value);
        if (flag == u"--from" || flag == u"--to") {
            const std::optional<double> date = text.size() == 10 ? ParseOleDate(text) : std::nullopt;
            if (!date) return Refuse(name + ": " + text + " is not a date (YYYY-MM-DD)");
            if (*date < kFirstPeriodDay || *date > kLastPeriodDay)
                return Refuse(name + ": " + text + " is outside 1900-01-01..9999-12-31");
            (flag == u"--from" ? options.from : options.to) = *date;
            (flag == u"--from" ? fromText : toText) = text;
        } else if (flag == u"--forget" || flag == u"--settle") {
            std::int64_t& number = flag == u"--forget" ? options.forget : options.settle;
            number = BatchNumber(text);
            if (number == 0) return Refuse(name + ": " + text + " is not a batch number");
            if (flag == u"--settle") {
                // What the user found in the ledger, said in full: a script's typo is never an answer.
                const std::u16string answer = i + 1 < arguments.size() ? arguments[++i] : std::u16string();
                if (answer != u"posted" && answer != u"not-posted")
                    return Refuse(name + " " + text + ": posted or not-posted is needed");
                options.posted = answer == u"posted";
            }
        } else if (flag == u"--out" || flag == u"--report" || flag == u"--suggest" || flag == u"--accept") {
            if (value.empty()) return Refuse(name + ": the file name is empty");
            (flag == u"--out"       ? options.out
             : flag == u"--report"  ? options.report
             : flag == u"--suggest" ? options.suggest
                                    : options.accept) = value;
        } else {
            // A line break in the separator would split every record in two.
            if (text.find_first_of("\r\n") != std::string::npos)
                return Refuse(name + ": a separator cannot hold a line break");
            options.separator = text;
        }
    }
    // The log's actions stand alone: they export nothing.
    for (const char16_t* action : {u"--history", u"--forget", u"--settle"}) {
        if (given.count(action) && given.size() > 1) return Refuse(Utf16ToCp1253(action) + ": no other option with it");
    }
    if (options.LogAction()) return Parsed(options);
    if (options.onlyNew && options.noLog) return Refuse("--only-new: not with --no-log (it asks the log)");
    // Proposals are made from a check of the period, and are the run's only file.
    for (const char16_t* proposals : {u"--suggest", u"--accept"}) {
        if (!given.count(proposals)) continue;
        for (const char16_t* other :
             {u"--out", u"--check", u"--report", u"--strict", u"--only-new", u"--suggest", u"--accept"})
            if (given.count(other) && std::u16string_view(other) != proposals)
                return Refuse(Utf16ToCp1253(proposals) + ": not with " + Utf16ToCp1253(other));
    }
    for (const char16_t* required : {u"--from", u"--to", u"--out"}) {
        if (!given.count(required) && !(options.Checks() && required == std::u16string_view(u"--out")))
            return Refuse(Utf16ToCp1253(required) + ": missing");
    }
    // A check writes no export file: an --out with it would be a script's mistake.
    if (options.check && given.count(u"--out")) return Refuse("--out: not with --check (a check writes no file)");
    if (options.from > options.to) return Refuse("--from: " + fromText + " is after --to " + toText);
    return Parsed(options);
}

}  // namespace dralmoft
