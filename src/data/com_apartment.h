#pragma once
// COM for the calling thread (a single-threaded apartment), for as long as the object
// lives: a program's server references must all be released before it ends.

#include <objbase.h>

namespace dralmoft {

class ComApartment {
public:
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace dralmoft
