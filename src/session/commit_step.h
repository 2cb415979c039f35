#pragma once
// Where CommitAndRecord stands between its steps. The programs' hook does nothing; the
// tests' build of the exporter links one of its own that ends the process at a step it
// is told, as a power cut there would, so that what the next export finds is tested on a
// real kill.

#include <cstdint>

namespace dralmoft {

enum class CommitStep : std::uint8_t {
    Pending,   // the batch is recorded as pending
    Renamed,   // its file has its pending name
    Replaced,  // its file replaced the target; the batch is not yet done
};

void CommitStepReached(CommitStep step);

}  // namespace dralmoft
