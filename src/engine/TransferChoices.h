#pragma once
// What a user may choose for a transfer run beyond its size and range. The defaults keep the
// positions and data of earlier versions, so figures change only when asked.
namespace sektra {

struct TransferChoices {
    // Random positions at multiples of the command's blocks (as other benchmarks place them),
    // instead of at any block of the range.
    bool alignedPositions = false;
    // Write tests send random bytes, made once per run before the timed commands, instead of
    // zeros that a compressing or deduplicating device answers faster.
    bool randomWriteData = false;
};

}  // namespace sektra
