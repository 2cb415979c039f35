#pragma once
// The export file's dates: the date part only, in the user's short date form, as the
// automation runtime writes it for the user's locale (31/12/2004 in Greece).

#include <string>

namespace dralmoft {

[[nodiscard]] std::string FormatUserDate(double oleDate);

}  // namespace dralmoft
