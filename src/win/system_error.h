#pragma once
// The system's own words for a Windows status code, for the messages that name a failure.

#include <string>

namespace dralmoft {

// The system's text for an error code, in 1253, without the trailing line end.
[[nodiscard]] std::string SystemErrorText(unsigned long error);

}  // namespace dralmoft
