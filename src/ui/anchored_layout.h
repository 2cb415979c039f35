#pragma once
// A resizable dialog's controls following its size: each edge of a control moves by a
// share of the growth of the client area over the template's size, which is also the
// least size the window may take.

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace dralmoft {

// A control and the shares of the growth its edges move by: left and right of the
// width's, top and bottom of the height's.
struct Anchor {
    int id;
    double left;
    double top;
    double right;
    double bottom;
};

// The common cases.
[[nodiscard]] constexpr Anchor Stretched(int id) { return {id, 0, 0, 1, 1}; }
[[nodiscard]] constexpr Anchor Widened(int id) { return {id, 0, 0, 1, 0}; }
[[nodiscard]] constexpr Anchor BottomRight(int id) { return {id, 1, 1, 1, 1}; }

class AnchoredLayout {
public:
    // Takes the controls' places as the template made them; from WM_INITDIALOG.
    void Capture(HWND dialog, std::initializer_list<Anchor> anchors);
    // WM_SIZE and WM_GETMINMAXINFO: true when handled, with the answer in `result`.
    bool Handle(UINT message, LPARAM lParam, INT_PTR& result) const;

private:
    struct Placed {
        Anchor anchor;
        RECT place;
    };
    void Apply() const;

    HWND m_dialog = nullptr;
    SIZE m_initialClient{};
    SIZE m_initialWindow{};
    std::vector<Placed> m_controls;
};

}  // namespace dralmoft
