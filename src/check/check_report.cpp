#include "check/check_report.h"

#include <charconv>
#include <cmath>

namespace dralmoft {
namespace {

struct CodeText {
    std::string_view name;
    std::u16string_view title;
    std::u16string_view description;
};

// By CheckCode.
constexpr CodeText kCodeTexts[kCheckCodeCount] = {
    {"client-account", u"Πελάτης χωρίς λογαριασμό",
     u"Ο πελάτης δεν έχει λογαριασμό: το άρθρο του συναλλασσόμενου γράφεται με κενό λογαριασμό. "
     u"Ορίστε τον λογαριασμό του πελάτη και εξαγάγετε ξανά."},
    {"supplier-account", u"Προμηθευτής χωρίς λογαριασμό",
     u"Ο προμηθευτής δεν έχει λογαριασμό: το άρθρο του συναλλασσόμενου γράφεται με κενό λογαριασμό. "
     u"Ορίστε τον λογαριασμό του προμηθευτή και εξαγάγετε ξανά."},
    {"item-account", u"Είδος χωρίς λογαριασμό",
     u"Το είδος δεν έχει λογαριασμό για αυτό το είδος παραστατικού (πωλήσεις ή αγορές): το άρθρο του "
     u"γράφεται με κενό λογαριασμό. Ορίστε τον λογαριασμό του είδους και εξαγάγετε ξανά."},
    {"vat-account", u"ΦΠΑ χωρίς λογαριασμό",
     u"Ο συντελεστής ΦΠΑ δεν έχει λογαριασμό για αυτό το είδος παραστατικού (πωλήσεις ή αγορές): το "
     u"άρθρο ΦΠΑ γράφεται με κενό λογαριασμό. Ορίστε τον λογαριασμό του συντελεστή και εξαγάγετε ξανά."},
    {"unencodable", u"Χαρακτήρας που χάνεται",
     u"Το κείμενο έχει χαρακτήρα που η κωδικοσελίδα του αρχείου δεν έχει: στο αρχείο γράφεται «?». "
     u"Διορθώστε το κείμενο ή εξαγάγετε με την κωδικοσελίδα 1253."},
    {"separator-in-field", u"Διαχωριστικό σε πεδίο",
     u"Το πεδίο περιέχει το διαχωριστικό: η γραμμή έχει περισσότερα από 20 πεδία και το λογιστικό τα "
     u"διαβάζει μετατοπισμένα. Διορθώστε το κείμενο ή επιλέξτε άλλο διαχωριστικό."},
    {"line-break-in-field", u"Αλλαγή γραμμής σε πεδίο",
     u"Το πεδίο περιέχει αλλαγή γραμμής: η εγγραφή χωρίζεται σε δύο γραμμές του αρχείου. "
     u"Διορθώστε το κείμενο."},
    {"bad-amount", u"Ποσό που δεν διαβάζεται",
     u"Το ποσό δεν είναι αριθμός ή έχει 13 ή περισσότερα ψηφία πριν από την υποδιαστολή: το λογιστικό "
     u"δεν μπορεί να το διαβάσει. Ελέγξτε τις γραμμές του παραστατικού."},
    {"changed", u"Άλλαξε μετά την εξαγωγή",
     u"Το παραστατικό άλλαξε αφότου εξήχθη: το λογιστικό έχει ήδη την παλιά του μορφή. Διορθώστε την "
     u"εγγραφή στο λογιστικό ή αναιρέστε την παλιά εξαγωγή πριν περάσετε τη νέα."},
    {"rounding", u"Διαφορά στρογγυλοποίησης",
     u"Το ποσό του συναλλασσόμενου (πρώτο) διαφέρει από το άθροισμα των στρογγυλεμένων ποσών ΦΠΑ και "
     u"ειδών (δεύτερο) λόγω στρογγυλοποίησης. Ελέγξτε την εγγραφή στο λογιστικό."},
    {"already-exported", u"Έχει ήδη εξαχθεί",
     u"Το παραστατικό έχει ήδη εξαχθεί όπως είναι: το λογιστικό το έχει. Με «Μόνο νέα και αλλαγμένα» "
     u"δεν γράφεται ξανά."},
    {"not-commercial", u"Όχι εμπορικό παραστατικό", u"Το στοιχείο δεν είναι εμπορικό παραστατικό: δεν εξάγεται."},
    {"no-trader", u"Χωρίς συναλλασσόμενο", u"Το παραστατικό δεν έχει συναλλασσόμενο: δεν εξάγεται."},
    {"no-lines", u"Χωρίς γραμμές", u"Το παραστατικό δεν έχει γραμμές: δεν εξάγεται."},
};

}  // namespace

std::string_view CheckCodeName(CheckCode code) { return kCodeTexts[static_cast<std::size_t>(code)].name; }

std::u16string_view CheckCodeTitle(CheckCode code) { return kCodeTexts[static_cast<std::size_t>(code)].title; }

std::u16string_view CheckDescription(CheckCode code) { return kCodeTexts[static_cast<std::size_t>(code)].description; }

std::size_t CheckReport::BlockingCount() const {
    std::size_t count = 0;
    for (const CheckProblem& problem : problems) count += IsBlocking(problem.code);
    return count;
}

std::array<std::size_t, kCheckCodeCount> CheckReport::DocumentCounts() const {
    // A document's rows are met together, but its codes interleave: remember, per code,
    // the last document counted.
    std::array<std::size_t, kCheckCodeCount> counts{};
    std::array<std::size_t, kCheckCodeCount> last{};
    for (const CheckProblem& problem : problems) {
        const auto code = static_cast<std::size_t>(problem.code);
        const std::size_t document = DocumentOf(problem).index;
        if (last[code] == document) continue;
        last[code] = document;
        ++counts[code];
    }
    return counts;
}

std::string RateText(double rate) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed);
    if (result.ec != std::errc()) return "?";
    return std::string(buffer, result.ptr);
}

std::string CentsText(std::int64_t cents, char decimalMark) {
    // The magnitude as unsigned: the most negative cents has no positive counterpart.
    std::uint64_t magnitude = cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    std::string digits = std::to_string(magnitude / 100);
    magnitude %= 100;
    digits.push_back(decimalMark);
    digits.push_back(static_cast<char>('0' + magnitude / 10));
    digits.push_back(static_cast<char>('0' + magnitude % 10));
    if (cents < 0) digits.insert(digits.begin(), '-');
    return digits;
}

}  // namespace dralmoft
