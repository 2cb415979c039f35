#pragma once
// An element of the period as read from the server, in plain values: what the run hands
// from the thread that talks to the server to the thread that writes the records. A
// document carries its fields and its VAT groups as the server's accumulators summed
// them; an element passed by carries why.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "export/document_observer.h"
#include "export/record_layout.h"

namespace dralmoft {

// A VAT group of a document: its percentage, the item its first line named, its net.
struct ReadGroup {
    double percent = 0.0;
    std::string itemName;
    double net = 0.0;
};

struct ReadElement {
    std::size_t index = 0;  // the element's count in the run, from 1
    // Set: the element gives no records, for this reason.
    std::optional<SkipReason> skipped;
    // Skipped: its 1253 reference ("#n" before its texts were read) and its date when
    // read (NaN when not).
    std::string reference;
    double oleDate = std::numeric_limits<double>::quiet_NaN();
    // A document: its fields (the date in the user's form) and its groups, in ascending
    // order of percentage.
    DocumentFields fields;
    std::vector<ReadGroup> groups;
};

}  // namespace dralmoft
