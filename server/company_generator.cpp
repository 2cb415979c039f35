#include "company_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace demo {
namespace {

// splitmix64: tiny, fast and the same on every compiler, unlike the standard
// distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : static_cast<std::size_t>(Next() % bound); }
    bool Chance(unsigned perMille) { return Below(1000) < perMille; }

private:
    std::uint64_t m_state;
};

constexpr std::array kSurnames = {"Παπαδόπουλος", "Γεωργίου", "Νικολάου", "Οικονόμου", "Δημητρίου", "Ιωάννου",
                                  "Κωνσταντίνου", "Αθανασίου", "Χριστοδούλου", "Βασιλείου", "Μακρής", "Λαμπράκης"};
constexpr std::array kTrades = {"Εμπορική", "Τεχνική", "Ξενοδοχειακή", "Βιομηχανία Τροφίμων", "Μεταφορική",
                                "Οικοδομική", "Φαρμακευτική", "Εκδοτική"};
constexpr std::array kForms = {"Α.Ε.", "Ο.Ε.", "Ε.Π.Ε.", "Ι.Κ.Ε.", "& ΣΙΑ Ε.Ε."};
constexpr std::array kGoods = {"Ελαιόλαδο", "Φέτα", "Μέλι", "Χαρτί Α4", "Τόνερ", "Καφές", "Ζάχαρη", "Αλεύρι",
                               "Απορρυπαντικό", "Λάμπα LED", "Καλώδιο", "Βίδες", "Μπογιά", "Ρύζι", "Ζυμαρικά"};
constexpr std::array kSizes = {"500 γρ.", "1 κιλό", "5 λίτρα", "κιβώτιο 12 τεμ.", "τεμάχιο", "παλέτα"};
constexpr std::array kRates = {24.0, 13.0, 6.0, 17.0, 9.0, 4.0, 0.0};

class Writer {
public:
    explicit Writer(const GeneratorOptions& options) : m_options(options), m_random(options.seed) {}

    std::string Write() {
        m_out.reserve(m_options.documents * 420 + 4096);
        m_out += "{\n\"name\": \"Γενική Εμπορική Δοκιμών Α.Ε.\",\n";
        WriteTraders("clients", "C", m_options.clients, 100000);
        WriteTraders("suppliers", "S", m_options.suppliers, 500000);
        WriteItems();
        WriteRates();
        WriteDocuments();
        m_out += "}\n";
        return std::move(m_out);
    }

private:
    template <class... Args>
    void Put(const char* format, Args... args) {
        char buffer[512];
        const int length = std::snprintf(buffer, sizeof buffer, format, args...);
        m_out.append(buffer, static_cast<std::size_t>(std::max(0, length)));
    }

    template <std::size_t N>
    const char* Pick(const std::array<const char*, N>& words) {
        return words[m_random.Below(N)];
    }

    void WriteTraders(const char* member, const char* prefix, std::size_t count, int firstNumber) {
        Put("\"%s\": [\n", member);
        for (std::size_t i = 0; i < count; ++i) {
            Put("{\"id\": \"%s%zu\", \"name\": ", prefix, i + 1);
            // Every so many entries one of the odd kinds, so that even a small company has them.
            if (i % 83 == 82) m_out += "null";
            else Put("\"%s %s %s\"", Pick(kSurnames), Pick(kTrades), Pick(kForms));
            if (i % 89 == 88) m_out += ", \"taxId\": \"   \"";  // blank: no row in the lists
            else Put(", \"taxId\": \"%09zu\"", 90000000 + i * 7919 % 9000000);
            Put(", \"number\": %d", firstNumber + static_cast<int>(i));
            if (i % 97 == 96) m_out += ", \"interface\": false";
            m_out += i + 1 < count ? "},\n" : "}\n";
        }
        m_out += "],\n";
    }

    void WriteItems() {
        m_out += "\"items\": [\n";
        for (std::size_t i = 0; i < m_options.items; ++i) {
            Put("{\"id\": \"I%zu\", \"code\": \"%zu\", \"name\": \"%s %s %zu\"", i + 1, 1000 + i, Pick(kGoods),
                Pick(kSizes), i + 1);
            if (m_random.Chance(5)) m_out += ", \"interface\": false";
            m_out += i + 1 < m_options.items ? "},\n" : "}\n";
        }
        m_out += "],\n";
    }

    void WriteRates() {
        m_out += "\"vatRates\": [\n";
        for (std::size_t i = 0; i < kRates.size(); ++i) {
            Put("{\"name\": \"ΦΠΑ %g%%\", \"rate\": %.1f}%s\n", kRates[i], kRates[i], i + 1 < kRates.size() ? "," : "");
        }
        m_out += "],\n";
    }

    struct Plan {
        const char* name;
        const char* series;
        int kind;
        bool sale;
        bool credit;
        bool note;    // delivery note: a source document, not commercial
        bool linked;  // invoice made from earlier delivery notes
    };

    Plan ChoosePlan() {
        const std::size_t roll = m_random.Below(100);
        if (roll < 50) return {"ΤΙΜ", "Α", 1, true, false, false, false};
        if (roll < 55) return {"ΠΙΣ", "Π", 1, true, true, false, false};
        if (roll < 78) return {"ΤΑΓ", "Β", 0, false, false, false, false};
        if (roll < 83) return {"ΤΑΓ", "Γ", 2, false, false, false, false};
        if (roll < 92 || m_notes.empty()) return {"ΔΑ", "Δ", 1, true, false, true, false};
        return {"ΤΙΜ", "Α", 1, true, false, false, true};
    }

    void WriteLines(const Plan& plan) {
        const std::size_t maxLines = std::max<std::size_t>(1, static_cast<std::size_t>(m_options.linesPerDocument * 2 - 1));
        const std::size_t lines = 1 + m_random.Below(maxLines);
        const std::array<double, 3> rates = {kRates[m_random.Below(3)], kRates[m_random.Below(kRates.size())],
                                             kRates[m_random.Below(kRates.size())]};
        std::vector<double> seen;
        m_out += ", \"lines\": [";
        for (std::size_t k = 0; k < lines; ++k) {
            const double value = static_cast<double>(100 + m_random.Below(500000)) / 100.0 * (plan.credit ? -1 : 1);
            const double discount = m_random.Chance(300) ? static_cast<double>(m_random.Below(1000)) / 100.0 : 0.0;
            const double rate = rates[m_random.Below(3)];
            // A line without an item, or without IDocumentLine, never comes first in its VAT
            // group: the group takes the name of its first line's item, which must be there
            // for the document to export.
            const bool opensGroup = std::find(seen.begin(), seen.end(), rate) == seen.end();
            if (opensGroup) seen.push_back(rate);
            m_out += k == 0 ? "\n  {" : ",\n  {";
            if (!opensGroup && m_random.Chance(30)) m_out += "\"item\": null";
            else Put("\"item\": \"I%zu\"", 1 + m_random.Below(m_options.items));
            Put(", \"value\": %.2f, \"discount\": %.2f, \"vatPercent\": %.1f", value, discount, rate);
            if (!opensGroup && m_random.Chance(5)) m_out += ", \"interface\": false";
            m_out += "}";
        }
        m_out += "]";
    }

    void WriteDocuments() {
        m_out += "\"documents\": [\n";
        const std::size_t total = m_options.documents;
        for (std::size_t i = 0; i < total; ++i) {
            const Plan plan = ChoosePlan();
            const int dayOfYear = static_cast<int>(i * 365 / std::max<std::size_t>(total, 1));
            const std::size_t traders = plan.sale ? m_options.clients : m_options.suppliers;
            Put("{\"id\": \"D%zu\", \"name\": \"%s\", \"series\": \"%s\", \"number\": %zu, \"kind\": %d, ", i + 1,
                plan.name, plan.series, i + 1, plan.kind);
            Put("\"date\": \"%s\", \"posted\": %s", Date(dayOfYear).c_str(), m_random.Chance(850) ? "true" : "false");
            if (m_random.Chance(10) || traders == 0) m_out += ", \"trader\": null";
            else Put(", \"trader\": \"%s%zu\"", plan.sale ? "C" : "S", 1 + m_random.Below(traders));
            const bool hidden = m_random.Chance(5);
            if (hidden) m_out += ", \"interface\": false";
            if (plan.note) {
                m_out += ", \"commercial\": false";
                // Only notes that offer ISourceDocument may become an invoice's sources.
                if (!hidden) m_notes.push_back(i + 1);
            }
            if (plan.linked) WriteSources();
            else WriteLines(plan);
            m_out += i + 1 < total ? "},\n" : "}\n";
        }
        m_out += "]\n";
    }

    void WriteSources() {
        m_out += ", \"lines\": [], \"sources\": [";
        const std::size_t count = 1 + m_random.Below(std::min<std::size_t>(3, m_notes.size()));
        for (std::size_t k = 0; k < count; ++k) Put("%s\"D%zu\"", k == 0 ? "" : ", ", m_notes[m_notes.size() - 1 - k]);
        m_out += "]";
    }

    std::string Date(int dayOfYear) const {
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int year = m_options.year;
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        int month = 0;
        int day = dayOfYear;
        while (month < 11 && day >= kDays[month] + (month == 1 && leap)) day -= kDays[month] + (month == 1 && leap), ++month;
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month + 1, day + 1);
        return buffer;
    }

    const GeneratorOptions& m_options;
    Random m_random;
    std::string m_out;
    std::vector<std::size_t> m_notes;
};

}  // namespace

std::string GenerateCompany(const GeneratorOptions& options) { return Writer(options).Write(); }

}  // namespace demo
