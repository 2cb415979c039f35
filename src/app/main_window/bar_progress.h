#pragma once
// The window's progress bar following an export run: one step per element, over a 32-bit
// range. Painting the bar for each of a hundred thousand documents would cost more than
// reading them, so the steps are given in strides of about a pixel, and the rest when the
// run ends (or when the progress is destroyed, after a failure).

#include <cstddef>

#include "export/export_run.h"
#include "ui/controls.h"

namespace dralmoft {

class BarProgress final : public ExportProgress {
public:
    explicit BarProgress(const ProgressBar& bar) : m_bar(bar) {}
    ~BarProgress() override;
    BarProgress(const BarProgress&) = delete;
    BarProgress& operator=(const BarProgress&) = delete;

    void Start(std::size_t elements) override;
    void Step() override;
    void Finish() override;

private:
    const ProgressBar& m_bar;
    std::size_t m_stride = 1;
    std::size_t m_pending = 0;
};

}  // namespace dralmoft
