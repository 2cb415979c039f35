#include "ui/dialog.h"

#include <windowsx.h>

#include <stdexcept>
#include <string>

namespace dralmoft {

Dialog::~Dialog() {
    if (m_window != nullptr && !m_modal) {
        ::SetWindowLongPtrW(m_window, DWLP_USER, 0);
        ::DestroyWindow(m_window);
    }
}

INT_PTR Dialog::DoModal() {
    m_modal = true;
    m_ended = false;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

HWND Dialog::Create() {
    m_modal = false;
    m_ended = false;
    ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                         reinterpret_cast<LPARAM>(this));
    return m_window;
}

void Dialog::UpdateData(bool saving) { DoDataExchange(DataExchange(m_window, saving)); }

void Dialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (m_modal) {
        ::EndDialog(m_window, result);
    } else {
        ::ShowWindow(m_window, SW_HIDE);
    }
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::DoDataExchange(const DataExchange&) {}

bool Dialog::OnCommand(WORD id, WORD, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::OnNotify(NMHDR&, LRESULT&) { return false; }
bool Dialog::OnContextMenu(HWND, POINT) { return false; }
bool Dialog::OnSysCommand(WPARAM, LPARAM) { return false; }
bool Dialog::OnPaint() { return false; }
HCURSOR Dialog::OnQueryDragIcon() { return nullptr; }
bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->m_window = window;
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        // The last message of the window: the object may outlive it, the handle may not.
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->m_window = nullptr;
        return FALSE;
    }
    try {
        try {
            return dialog->Dispatch(message, wParam, lParam);
        } catch (const std::exception& error) {
            dialog->OnUnexpectedError(error);
        } catch (...) {
            dialog->OnUnexpectedError(std::runtime_error("?"));
        }
    } catch (...) {
        // Telling the failure failed too (out of memory): nothing more can be said, and
        // nothing may cross into Windows.
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
            // A notification's answer goes through DWLP_MSGRESULT, set just before returning.
            ::SetWindowLongPtrW(m_window, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_CONTEXTMENU:
            return OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) ? TRUE
                                                                                                               : FALSE;
        case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam) ? TRUE : FALSE;
        case WM_PAINT: return OnPaint() ? TRUE : FALSE;
        case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        default: {
            INT_PTR result = FALSE;
            return OnMessage(message, wParam, lParam, result) ? result : FALSE;
        }
    }
}

}  // namespace dralmoft
