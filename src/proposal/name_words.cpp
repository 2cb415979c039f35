#include "proposal/name_words.h"

#include <array>

#include "base/code_page.h"

namespace dralmoft {
namespace {

// A UTF-16 letter in lower case without its accent, or 0 for a character that is not a
// letter or a digit.
char16_t Fold(char16_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z')) return c;
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
    switch (c) {
        case u'Ά':
        case u'ά': return u'α';
        case u'Έ':
        case u'έ': return u'ε';
        case u'Ή':
        case u'ή': return u'η';
        case u'Ί':
        case u'ί':
        case u'Ϊ':
        case u'ϊ':
        case u'ΐ': return u'ι';
        case u'Ό':
        case u'ό': return u'ο';
        case u'Ύ':
        case u'ύ':
        case u'Ϋ':
        case u'ϋ':
        case u'ΰ': return u'υ';
        case u'Ώ':
        case u'ώ': return u'ω';
        case u'ς': return u'σ';
        default: break;
    }
    if (c >= u'Α' && c <= u'Ω') return static_cast<char16_t>(c + (u'α' - u'Α'));
    if (c >= u'α' && c <= u'ω') return c;
    return 0;
}

// Every byte of 1253 folded, once.
const std::array<char, 256>& FoldTable() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> folded{};
        for (int byte = 0; byte < 256; ++byte) {
            const std::u16string wide = Cp1253ToUtf16(std::string(1, static_cast<char>(byte)));
            const char16_t c = Fold(wide[0]);
            folded[byte] = c == 0 ? '\0' : Utf16ToCp1253(std::u16string(1, c))[0];
        }
        return folded;
    }();
    return table;
}

// The Greek letter a folded Latin letter stands for in a Greek word ("A" for "Α").
char GreekLookalike(char latin) {
    static constexpr std::string_view kLatin = "abehikmnoptxyz";
    static const std::string kGreek = Utf16ToCp1253(u"αβεηικμνορτχυζ");
    const std::size_t at = kLatin.find(latin);
    return at == std::string_view::npos ? '\0' : kGreek[at];
}

bool IsGreek(char folded) { return static_cast<unsigned char>(folded) >= 0xE1; }  // α … ω in 1253

void ReadAsGreek(std::string& word) {
    bool greek = false;
    for (const char c : word) greek = greek || IsGreek(c);
    if (!greek) return;
    for (char& c : word)
        if (const char lookalike = GreekLookalike(c); lookalike != '\0') c = lookalike;
}

}  // namespace

std::vector<NameWord> NameWordsWithUnits(std::string_view name) {
    const std::array<char, 256>& fold = FoldTable();
    std::vector<NameWord> words;
    NameWord word;
    const auto end = [&](bool unitNext) {
        if (!word.text.empty()) {
            ReadAsGreek(word.text);
            words.push_back(std::move(word));
        }
        word = NameWord{{}, unitNext};
    };
    for (const char byte : name) {
        const char c = fold[static_cast<unsigned char>(byte)];
        if (c == '\0') end(false);
        else if (!word.text.empty() && IsDigit(c) != IsDigit(word.text.back())) end(!IsDigit(c));
        if (c != '\0') word.text.push_back(c);
    }
    end(false);
    return words;
}

std::vector<std::string> NameWords(std::string_view name) {
    std::vector<std::string> words;
    for (NameWord& word : NameWordsWithUnits(name)) words.push_back(std::move(word.text));
    return words;
}

}  // namespace dralmoft
