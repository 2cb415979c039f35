// The programs' hook: nothing happens between the steps. Alone in its file, so that a
// test build's own definition takes its place at the link.
#include "session/commit_step.h"

namespace dralmoft {

void CommitStepReached(CommitStep) {}

}  // namespace dralmoft
