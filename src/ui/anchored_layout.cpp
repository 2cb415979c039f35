#include "ui/anchored_layout.h"

#include <algorithm>
#include <cmath>

namespace dralmoft {

void AnchoredLayout::Capture(HWND dialog, std::initializer_list<Anchor> anchors) {
    m_dialog = dialog;
    RECT client{};
    ::GetClientRect(dialog, &client);
    m_initialClient = {client.right, client.bottom};
    RECT window{};
    ::GetWindowRect(dialog, &window);
    m_initialWindow = {window.right - window.left, window.bottom - window.top};
    m_controls.clear();
    for (const Anchor& anchor : anchors) {
        RECT place{};
        ::GetWindowRect(::GetDlgItem(dialog, anchor.id), &place);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        m_controls.push_back({anchor, place});
    }
}

bool AnchoredLayout::Handle(UINT message, LPARAM lParam, INT_PTR& result) const {
    if (m_dialog == nullptr) return false;
    if (message == WM_SIZE) {
        Apply();
    } else if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_initialWindow.cx, m_initialWindow.cy};
    } else {
        return false;
    }
    result = 0;
    return true;
}

void AnchoredLayout::Apply() const {
    RECT client{};
    ::GetClientRect(m_dialog, &client);
    const double dx = std::max(0L, client.right - m_initialClient.cx);
    const double dy = std::max(0L, client.bottom - m_initialClient.cy);
    const auto moved = [](LONG edge, double share, double growth) {
        return edge + static_cast<LONG>(std::lround(share * growth));
    };
    for (const auto& [anchor, place] : m_controls) {
        const LONG left = moved(place.left, anchor.left, dx);
        const LONG top = moved(place.top, anchor.top, dy);
        const LONG right = moved(place.right, anchor.right, dx);
        const LONG bottom = moved(place.bottom, anchor.bottom, dy);
        ::MoveWindow(::GetDlgItem(m_dialog, anchor.id), left, top, right - left, bottom - top, TRUE);
    }
}

}  // namespace dralmoft
