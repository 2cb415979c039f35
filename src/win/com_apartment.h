#pragma once
// COM for the calling thread (a single-threaded apartment), for as long as the object
// lives: a program's server references must all be released before it ends.

#include <windows.h>
#include <objbase.h>

namespace dralmoft {

class ComApartment {
public:
    ComApartment() : m_status(::CoInitialize(nullptr)) {}
    // Only a successful CoInitialize (S_OK, or S_FALSE when the thread already had this
    // apartment) is balanced: a thread already in another apartment keeps it untouched.
    ~ComApartment() {
        if (SUCCEEDED(m_status)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // What CoInitialize answered: RPC_E_CHANGED_MODE when the thread is in another apartment.
    [[nodiscard]] HRESULT Status() const noexcept { return m_status; }

private:
    HRESULT m_status;
};

}  // namespace dralmoft
