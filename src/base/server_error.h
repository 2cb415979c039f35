#pragma once
// The failure of a call on the business-object server: its status code and, when the
// server supplies it, its error text. Every user action catches it at its top and shows
// it; nothing below that lets it pass silently.

#include <cstdint>
#include <exception>
#include <string>

namespace dralmoft {

class ServerError : public std::exception {
public:
    explicit ServerError(std::int32_t status, std::string text = {});

    // The HRESULT as the server returned it.
    [[nodiscard]] std::int32_t Status() const noexcept { return m_status; }
    // The server's own description, Windows-1253; empty when it gave none.
    [[nodiscard]] const std::string& Text() const noexcept { return m_text; }
    // "0x80004005", the form the user reads and can look up.
    [[nodiscard]] std::string StatusHex() const;

    [[nodiscard]] const char* what() const noexcept override { return m_what.c_str(); }

private:
    std::int32_t m_status;
    std::string m_text;
    std::string m_what;
};

inline constexpr std::int32_t kStatusPointer = static_cast<std::int32_t>(0x80004003);          // E_POINTER
inline constexpr std::int32_t kStatusNoInterface = static_cast<std::int32_t>(0x80004002);      // E_NOINTERFACE
inline constexpr std::int32_t kStatusOutOfMemory = static_cast<std::int32_t>(0x8007000E);      // E_OUTOFMEMORY
inline constexpr std::int32_t kStatusInvalidArgument = static_cast<std::int32_t>(0x80070057);  // E_INVALIDARG

}  // namespace dralmoft
