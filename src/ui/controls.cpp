#include "ui/controls.h"

#include "ui/window_text.h"

namespace dralmoft {

std::string Control::Text() const { return GetWindowText1253(m_window); }

void Control::SetText(std::string_view text) const { SetWindowText1253(m_window, text); }

std::wstring Control::WideText() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace dralmoft
