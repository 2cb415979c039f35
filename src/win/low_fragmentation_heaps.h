#pragma once
// Windows runs every heap with its low-fragmentation front end; Wine runs them without it
// unless asked. Without it a year's export, hundreds of thousands of small blocks taken
// and given back by the server's side and the file's side at once, walks ever longer
// free lists in the C runtime's heap. Asking changes nothing where the front end is on.

namespace dralmoft {

// The process's heap and the C runtime's: called first thing, before either holds much.
void UseLowFragmentationHeaps() noexcept;

}  // namespace dralmoft
