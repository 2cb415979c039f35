#pragma once
// How many times each operation of the server was called, for the benchmarks that must
// make exactly the calls an export makes: when the environment variable
// DRALMOFT_DEMO_CALLS names a file, the server counts every operation it serves (by the
// names its faults use) and writes the counts there, one "operation count" line each in
// the operations' order, when the process lets it go. Otherwise it counts nothing.
//
// And how long each call takes: when DRALMOFT_DEMO_CALL_US names a number of
// microseconds, every call takes at least that long (the calling thread is kept busy), so
// that a benchmark can run an export at the pace of a server slower than this one, whose
// company is in memory in the caller's process.

#include <string_view>

namespace demo {

inline constexpr wchar_t kCallCountsVariable[] = L"DRALMOFT_DEMO_CALLS";
inline constexpr wchar_t kCallPaceVariable[] = L"DRALMOFT_DEMO_CALL_US";

void CountCall(std::string_view operation);

}  // namespace demo
