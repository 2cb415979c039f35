#pragma once
// How the command-line exporter ends, for the scripts that run it.

namespace dralmoft {

enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,       // a server, file or log failure (told on standard error)
    kExitUsage = 2,        // a usage error, or a file that must not be written over
    kExitBlocked = 4,      // blocking problems under --check or --strict
    kExitSomeRefused = 4,  // --accept: some row was refused (the others stored)
};
// 3 is what an abort gives: the exporter never aborts.

}  // namespace dralmoft
