#include "company.h"

namespace demo {

const Fault* Company::FindFault(std::string_view operation, std::string_view target) const {
    for (const Fault& fault : faults) {
        if (fault.operation == operation && (fault.target == "*" || fault.target == target)) return &fault;
    }
    return nullptr;
}

}  // namespace demo
