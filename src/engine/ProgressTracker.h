#pragma once
// A run's progress in steps (200 or 1000 of them), the seconds at which each step was reached,
// the elapsed seconds, and the estimated finishing time fitted through those seconds.
#include <atomic>
#include <cstdint>
#include <vector>

namespace sektra {

// The least-squares slope through the points (i, stepSeconds[i]) for i = 0 … t (t ≥ 2), times
// totalSteps, added to startTime: when the run will have done all its steps. Sums and products
// in 128 bits where the compiler has them, so no length of run can wrap them.
std::int32_t EstimateFinish(const std::int32_t* stepSeconds, std::uint32_t t, std::uint32_t totalSteps,
                            std::int32_t startTime);

class ProgressTracker {
public:
    explicit ProgressTracker(std::uint32_t totalSteps);

    std::uint32_t TotalSteps() const { return totalSteps_; }

    // Read by the window at any time.
    std::uint32_t Progress() const { return progress_.load(std::memory_order_relaxed); }
    std::int32_t EstimatedFinish() const { return estimatedFinish_.load(std::memory_order_relaxed); }
    std::int32_t ElapsedSeconds() const { return elapsedSeconds_.load(std::memory_order_relaxed); }

    // Worker side. Reset clears everything at the start of a run.
    void Reset();
    // The measuring loop starts at `now`.
    void Start(std::int32_t now);
    // A sample reached `step` at `now`. A new step records its seconds (steps skipped on the way
    // take the seconds last recorded) and, from step 2, a new estimate. Progress then becomes the
    // step, or totalSteps when `endReached`.
    void Record(std::uint32_t step, bool endReached, std::int32_t now);
    // The run ended normally: no estimate any more.
    void Finish() { estimatedFinish_.store(0, std::memory_order_relaxed); }

    // Seconds recorded for a step (the worker's own table; for tests and after the run).
    std::int32_t StepSeconds(std::uint32_t step) const { return stepSeconds_[step]; }

private:
    const std::uint32_t totalSteps_;
    std::int32_t startTime_ = 0;
    std::vector<std::int32_t> stepSeconds_;
    std::atomic<std::uint32_t> progress_{0};
    std::atomic<std::int32_t> estimatedFinish_{0};
    std::atomic<std::int32_t> elapsedSeconds_{0};
};

}  // namespace sektra
