#pragma once
// The sequential tests' graph: the rate of every position column measured so far over the
// position on the device, with the run's average as a horizontal line.
#include <cstdint>
#include <vector>

#include "testwindows/GraphPicture.h"

namespace sektra {

struct PositionColumn {
    bool measured = false;
    std::uint32_t kilobytesPerSecond = 0;
};

struct RateCurveData {
    // Column c holds the commands from block firstBlock + c × positionStep on.
    std::vector<PositionColumn> columns;
    std::uint64_t firstBlock = 0;
    std::uint64_t lastBlock = 0;
    std::uint64_t positionStep = 1;
    std::uint32_t blockLength = 0;
    std::uint32_t averageKilobytesPerSecond = 0;  // no line while 0
};

GraphPicture BuildRateGraph(const RateCurveData& data, int width, int height, int textHeight,
                            const GraphTexts& texts);

}  // namespace sektra
