#include "ui/controls.h"

#include "ui/window_text.h"

namespace dralmoft {

std::string Control::Text() const { return GetWindowText1253(m_window); }

void Control::SetText(std::string_view text) const { SetWindowText1253(m_window, text); }

}  // namespace dralmoft
