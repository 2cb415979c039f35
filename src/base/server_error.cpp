#include "base/server_error.h"

#include <cstdio>

namespace dralmoft {

ServerError::ServerError(std::int32_t status, std::string text) : m_status(status), m_text(std::move(text)) {
    m_what = StatusHex();
    if (!m_text.empty()) m_what += " " + m_text;
}

std::string ServerError::StatusHex() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(m_status));
    return buffer;
}

}  // namespace dralmoft
