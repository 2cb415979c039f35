#pragma once
// A company of the demo server as documents in memory, for driving the export run on
// generated companies without the server.

#include <vector>

#include "company.h"
#include "memory_document_source.h"

namespace dralmoft::test {

// Every document of the company in its order, its texts in 1253, the lines of a document
// made from others taken from its sources.
[[nodiscard]] std::vector<MemoryDocument> DocumentsOf(const demo::Company& company);

}  // namespace dralmoft::test
