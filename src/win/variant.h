#pragma once
// An owned VARIANT: initialised empty, cleared (its string or object released) when it
// goes away or is filled again.

#include <windows.h>
#include <oleauto.h>

namespace dralmoft {

class Variant {
public:
    Variant() noexcept { ::VariantInit(&m_value); }
    ~Variant() { ::VariantClear(&m_value); }
    // A VARIANT's bits carry what it owns: moving them takes it along.
    Variant(Variant&& other) noexcept : m_value(other.m_value) { ::VariantInit(&other.m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    // A date or amount as the server's calls take it: VT_R8.
    [[nodiscard]] static Variant Double(double value) noexcept {
        Variant variant;
        variant.m_value.vt = VT_R8;
        variant.m_value.dblVal = value;
        return variant;
    }

    // The value, for a call that takes a VARIANT by value (the callee copies nothing it
    // keeps) or reads it.
    [[nodiscard]] const VARIANT& Get() const noexcept { return m_value; }
    // For out-parameters: clears what is held, then gives the slot to fill.
    [[nodiscard]] VARIANT* Put() noexcept {
        ::VariantClear(&m_value);
        return &m_value;
    }

private:
    VARIANT m_value;
};

}  // namespace dralmoft
