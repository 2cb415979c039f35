#include "log/company_key.h"

namespace dralmoft {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00a0'; }

char16_t Folded(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
    // Α..Ω (without the unused U+03A2), Ϊ, Ϋ: their small letters are 0x20 further on.
    if (c >= u'\u0391' && c <= u'\u03ab' && c != u'\u03a2') return static_cast<char16_t>(c + 0x20);
    switch (c) {
        case u'\u03c2': return u'\u03c3';  // ς
        case u'\u0386': return u'\u03ac';  // Ά
        case u'\u0388': return u'\u03ad';  // Έ
        case u'\u0389': return u'\u03ae';  // Ή
        case u'\u038a': return u'\u03af';  // Ί
        case u'\u038c': return u'\u03cc';  // Ό
        case u'\u038e': return u'\u03cd';  // Ύ
        case u'\u038f': return u'\u03ce';  // Ώ
        default: return c;
    }
}

}  // namespace

std::u16string CompanyKey(std::u16string_view name) {
    while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
    while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
    std::u16string key;
    key.reserve(name.size());
    for (const char16_t c : name) key.push_back(Folded(c));
    return key;
}

}  // namespace dralmoft
