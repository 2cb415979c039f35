#pragma once
// Thin members for the window's controls, bound by data exchange: each holds the
// control's window handle, which the dialog owns.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace dralmoft {

class Control {
public:
    void Attach(HWND window) { m_window = window; }
    [[nodiscard]] HWND Handle() const { return m_window; }
    void Enable(bool enabled) const { ::EnableWindow(m_window, enabled ? TRUE : FALSE); }
    [[nodiscard]] bool IsEnabled() const { return ::IsWindowEnabled(m_window) != FALSE; }
    void Focus() const { ::SetFocus(m_window); }
    [[nodiscard]] std::string Text() const;
    void SetText(std::string_view text) const;
    // The text as the control holds it, UTF-16: for texts Windows-1253 cannot hold (paths).
    [[nodiscard]] std::wstring WideText() const;
    void SetWideText(const std::wstring& text) const { ::SetWindowTextW(m_window, text.c_str()); }

protected:
    HWND m_window = nullptr;
};

class Button : public Control {
public:
    void SetCheck(int state) const { ::SendMessageW(m_window, BM_SETCHECK, static_cast<WPARAM>(state), 0); }
    [[nodiscard]] int GetCheck() const { return static_cast<int>(::SendMessageW(m_window, BM_GETCHECK, 0, 0)); }
};

class Edit : public Control {};

class ProgressBar : public Control {
public:
    void SetRange(int low, int high) const { ::SendMessageW(m_window, PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetStep(int step) const { ::SendMessageW(m_window, PBM_SETSTEP, static_cast<WPARAM>(step), 0); }
    void StepIt() const { ::SendMessageW(m_window, PBM_STEPIT, 0, 0); }
    [[nodiscard]] int GetPos() const { return static_cast<int>(::SendMessageW(m_window, PBM_GETPOS, 0, 0)); }
};

}  // namespace dralmoft
