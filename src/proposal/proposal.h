#pragma once
// A proposed account for a key the period's check found without one: the account (as the
// file would store it; empty when there is none to propose), why, and how sure, as the
// share of the folder's evidence that agrees (0 to 100).

#include <cstddef>
#include <string>

namespace dralmoft {

// The confidence at and above which the proposals window ticks a proposal for the user:
// at it, proposals are right nearly always (see the item evaluation in the benchmarks).
inline constexpr int kTickedConfidence = 95;

struct Proposal {
    std::string account;    // Windows-1253; empty: no proposal
    std::u16string reason;  // what a person checks at a glance
    int confidence = 0;

    friend bool operator==(const Proposal&, const Proposal&) = default;
};

// A count as a reason writes it ("9").
[[nodiscard]] inline std::u16string CountText(std::size_t count) {
    const std::string digits = std::to_string(count);
    return {digits.begin(), digits.end()};
}

}  // namespace dralmoft
