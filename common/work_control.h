#pragma once
// Cancellation and progress for long computations. The window sets the flag
// from its Cancel button; core loops poll it and report how far they got.
#include <atomic>
#include <cstdint>

namespace numerelle {

class WorkControl {
public:
    bool cancelled() const { return cancel_.load(std::memory_order_relaxed); }
    void cancel() { cancel_.store(true, std::memory_order_relaxed); }

    // Progress in thousandths (0 … 1000); readers poll it from another thread.
    void setProgress(double fraction) {
        if (fraction < 0) fraction = 0;
        if (fraction > 1) fraction = 1;
        progress_.store(static_cast<int>(fraction * 1000), std::memory_order_relaxed);
    }
    int progressPermille() const { return progress_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> cancel_{false};
    std::atomic<int> progress_{0};
};

}  // namespace numerelle
