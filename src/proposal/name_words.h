#pragma once
// The words of an item's name as a person reads them: case and accents folded, so that
// "ΒΙΔΑ ΞΥΛΟΥ 4Χ40", "Βίδα ξύλου 4x40" and "βιδα ξυλου 4χ40" are the same words.
// Windows-1253 in, Windows-1253 out (lower case, no accents, final sigma as sigma).

#include <string>
#include <string_view>
#include <vector>

namespace dralmoft {

// The runs of letters and the runs of digits of `name`, folded: "Χαρτί Α4 80gr" gives
// "χαρτι", "α", "4", "80", "gr". A Latin letter that looks like a Greek capital, in a word
// with Greek letters, is read as that Greek letter (an "A" typed in "ΒΙΔA").
[[nodiscard]] std::vector<std::string> NameWords(std::string_view name);

// The same, each word with whether it is a unit: letters written onto the digits before them
// ("500gr", "1,5ΛΤ", "10τεμ"), which say how much, not what.
struct NameWord {
    std::string text;
    bool unit = false;
};
[[nodiscard]] std::vector<NameWord> NameWordsWithUnits(std::string_view name);

// Whether a folded byte is a digit.
[[nodiscard]] constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace dralmoft
