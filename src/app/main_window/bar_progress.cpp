#include "app/main_window/bar_progress.h"

#include <algorithm>

namespace dralmoft {

BarProgress::~BarProgress() { Finish(); }

void BarProgress::Finish() {
    for (; m_pending > 0; --m_pending) m_bar.StepIt();
}

void BarProgress::Start(std::size_t elements) {
    m_bar.SetRange(0, static_cast<int>(std::min<std::size_t>(elements, 0x7FFFFFFF)));
    m_bar.SetStep(1);
    m_stride = std::max<std::size_t>(1, elements / 500);
}

void BarProgress::Step() {
    if (++m_pending < m_stride) return;
    m_bar.SetStep(static_cast<int>(m_stride));
    m_bar.StepIt();
    m_bar.SetStep(1);
    m_pending = 0;
}

}  // namespace dralmoft
