#include "engine/ProgressTracker.h"

namespace sektra {
namespace {

#if defined(__SIZEOF_INT128__)
using Wide = __int128;
#else
using Wide = std::int64_t;  // enough for any run shorter than a few centuries
#endif

}  // namespace

std::int32_t EstimateFinish(const std::int32_t* stepSeconds, std::uint32_t t, std::uint32_t totalSteps,
                            std::int32_t startTime) {
    const Wide n = Wide{t} + 1;
    Wide sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::uint32_t i = 0; i <= t; ++i) {
        sx += i;
        sy += stepSeconds[i];
        sxx += Wide{i} * i;
        sxy += Wide{i} * stepSeconds[i];
    }
    const Wide numerator = (n * sxy - sx * sy) * totalSteps;
    const Wide denominator = n * sxx - sx * sx;  // > 0 for t ≥ 1
    return static_cast<std::int32_t>(startTime + numerator / denominator);
}

ProgressTracker::ProgressTracker(std::uint32_t totalSteps)
    : totalSteps_(totalSteps), stepSeconds_(totalSteps + 2, 0) {}

void ProgressTracker::Reset() {
    progress_.store(0, std::memory_order_relaxed);
    estimatedFinish_.store(0, std::memory_order_relaxed);
    elapsedSeconds_.store(0, std::memory_order_relaxed);
    stepSeconds_.assign(stepSeconds_.size(), 0);
}

void ProgressTracker::Start(std::int32_t now) {
    startTime_ = now;
    stepSeconds_[0] = 0;
}

void ProgressTracker::Record(std::uint32_t step, bool endReached, std::int32_t now) {
    const std::int32_t elapsed = now - startTime_;
    elapsedSeconds_.store(elapsed, std::memory_order_relaxed);
    if (step > totalSteps_) step = totalSteps_;
    const std::uint32_t current = Progress();
    if (step != current) {
        // Steps that no sample reached keep the seconds recorded last, so the fit sees no
        // step that went back to 0.
        if (current < totalSteps_) {
            for (std::uint32_t i = current + 1; i < step; ++i) stepSeconds_[i] = stepSeconds_[current];
        }
        stepSeconds_[step] = elapsed;
        if (step >= 2) {
            estimatedFinish_.store(EstimateFinish(stepSeconds_.data(), step, totalSteps_, startTime_),
                                   std::memory_order_relaxed);
        }
    }
    progress_.store(endReached ? totalSteps_ : step, std::memory_order_relaxed);
}

}  // namespace sektra
