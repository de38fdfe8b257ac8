#include "engine/ProgressTracker.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

constexpr std::int32_t kStart = 1700000000;

TEST(ProgressTrackerTest, FirstEstimateAtStepTwoFromTheFittedSlope) {
    ProgressTracker tracker(200);
    tracker.Reset();
    tracker.Start(kStart);
    tracker.Record(0, false, kStart + 3);  // same step: elapsed only
    EXPECT_EQ(tracker.ElapsedSeconds(), 3);
    EXPECT_EQ(tracker.EstimatedFinish(), 0);
    tracker.Record(1, false, kStart + 10);
    EXPECT_EQ(tracker.Progress(), 1u);
    EXPECT_EQ(tracker.EstimatedFinish(), 0);  // one step is no slope yet
    tracker.Record(2, false, kStart + 20);
    // Points (0,0) (1,10) (2,20): 10 s a step, 200 steps.
    EXPECT_EQ(tracker.EstimatedFinish(), kStart + 2000);
    tracker.Record(2, false, kStart + 25);  // no new step: no new estimate
    EXPECT_EQ(tracker.EstimatedFinish(), kStart + 2000);
    EXPECT_EQ(tracker.ElapsedSeconds(), 25);
}

TEST(ProgressTrackerTest, StepsAllAtZeroSecondsEstimateTheStartTime) {
    ProgressTracker tracker(1000);
    tracker.Reset();
    tracker.Start(kStart);
    for (std::uint32_t step = 1; step <= 50; ++step) tracker.Record(step, false, kStart);
    EXPECT_EQ(tracker.EstimatedFinish(), kStart);
}

TEST(ProgressTrackerTest, SkippedStepsCarryTheLastSecondsForward) {
    ProgressTracker tracker(200);
    tracker.Reset();
    tracker.Start(kStart);
    tracker.Record(1, false, kStart + 10);
    tracker.Record(4, false, kStart + 40);
    EXPECT_EQ(tracker.StepSeconds(2), 10);
    EXPECT_EQ(tracker.StepSeconds(3), 10);
    // Points (0,0) (1,10) (2,10) (3,10) (4,40): n 5, Sx 10, Sy 70, Sxx 30, Sxy 220;
    // (5·220 − 10·70)·200 ÷ (5·30 − 100) = 80000 ÷ 50 = 1600.
    EXPECT_EQ(tracker.EstimatedFinish(), kStart + 1600);
}

TEST(ProgressTrackerTest, QuotientTruncatesAndEndReachedShowsAllSteps) {
    ProgressTracker tracker(200);
    tracker.Reset();
    tracker.Start(kStart);
    tracker.Record(1, false, kStart + 0);
    tracker.Record(2, false, kStart + 1);
    tracker.Record(3, true, kStart + 1);
    // Points (0,0) (1,0) (2,1) (3,1): n 4, Sx 6, Sy 2, Sxx 14, Sxy 5;
    // (20 − 12)·200 ÷ (56 − 36) = 1600 ÷ 20 = 80.
    EXPECT_EQ(tracker.EstimatedFinish(), kStart + 80);
    EXPECT_EQ(tracker.Progress(), 200u);
    tracker.Finish();
    EXPECT_EQ(tracker.EstimatedFinish(), 0);
    EXPECT_EQ(EstimateFinish(std::vector<std::int32_t>{0, 1, 3}.data(), 2, 7, 0), 10);  // 9·7 ÷ 6 = 10.5
}

}  // namespace
}  // namespace sektra
