#pragma once
// A check's report of keys without an account, made up for the proposal benchmarks.

#include <cstdint>
#include <string>

#include "base/code_page.h"
#include "check/check_report.h"

namespace dralmoft::bench {

// Adds `key` (Windows-1253) as missing for sales in one document, its amount growing with
// the report; an item at `rate`.
inline void AddMissingKey(CheckReport& report, CheckCode code, const std::string& key, double rate) {
    MissingKey& missing = report.missing.emplace_back();
    missing.code = code;
    missing.keyAt = static_cast<std::uint32_t>(report.texts.size());
    report.texts += Cp1253ToUtf16(key);
    missing.keyLength = static_cast<std::uint32_t>(report.texts.size() - missing.keyAt);
    missing.documents = 1;
    missing.amount = 100 * static_cast<std::int64_t>(report.missing.size());
    missing.sales = true;
    if (code == CheckCode::ItemAccount) missing.rates.push_back({rate, missing.amount});
}

}  // namespace dralmoft::bench
