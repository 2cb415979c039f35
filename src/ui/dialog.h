#pragma once
// The dialog base that stands in for an application framework: a dialog from its
// template, modal (DoModal) or modeless (Create, for tests), its messages dispatched to
// small virtual handlers. `this` is kept with the window from WM_INITDIALOG until
// WM_NCDESTROY; no exception crosses back into Windows.

#include <windows.h>

#include <exception>

#include "ui/data_exchange.h"

namespace dralmoft {

class Dialog {
public:
    explicit Dialog(int templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns what EndDialog was given (-1 when it could not open).
    INT_PTR DoModal();
    // Opens it modeless and returns at once: for tests, which drive it with messages.
    HWND Create();

    // The window, from WM_INITDIALOG until it is destroyed; null otherwise.
    [[nodiscard]] HWND Handle() const { return m_window; }
    // The result given to EndDialog, once the dialog has ended.
    [[nodiscard]] INT_PTR Result() const { return m_result; }
    [[nodiscard]] bool Ended() const { return m_ended; }

    // Runs data exchange in one direction: true takes the controls into the members.
    void UpdateData(bool saving);
    void EndDialog(INT_PTR result);

protected:
    // Base behaviour: the controls are bound and the members put into them; the focus
    // goes to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(const DataExchange& exchange);
    // A command from a control or menu; returns whether it was handled. The base routes
    // IDOK to OnOK and IDCANCEL to OnCancel.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Exit: transfers the controls into the members, then ends with IDOK.
    virtual void OnOK();
    // Esc and the close box: ends with IDCANCEL, no transfer.
    virtual void OnCancel();
    // A notification; an answer other than 0 goes in `result`.
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    virtual bool OnContextMenu(HWND window, POINT screen);
    virtual bool OnSysCommand(WPARAM command, LPARAM parameter);
    virtual bool OnPaint();
    virtual HCURSOR OnQueryDragIcon();
    // Any other message: true when handled, with the procedure's answer in `result`.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // An exception that reached the message procedure: to be shown in the program's own
    // words; it is never passed to Windows.
    virtual void OnUnexpectedError(const std::exception& error) = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_parent;
    HWND m_window = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace dralmoft
