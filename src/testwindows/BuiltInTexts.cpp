#include "testwindows/BuiltInTexts.h"

#include "language/ResourceIds.h"
#include "language/SharedTexts.h"

namespace sektra {
namespace {

// L"" joined with a UTF-8 literal makes the whole a wide literal with the same characters.
#define WIDE(text) L"" text

struct SharedText {
    std::uint32_t id;
    const wchar_t* text;
};

const SharedText kSharedTexts[] = {
    {IDS_OTHER_SIZE, WIDE(SEKTRA_TEXT_OTHER_SIZE)},
    {IDS_RANGE_FULL, WIDE(SEKTRA_TEXT_RANGE_FULL)},
    {IDS_RANGE_OUTER, WIDE(SEKTRA_TEXT_RANGE_OUTER)},
    {IDS_RANGE_MIDDLE, WIDE(SEKTRA_TEXT_RANGE_MIDDLE)},
    {IDS_RANGE_INNER, WIDE(SEKTRA_TEXT_RANGE_INNER)},
    {IDS_SEEK_STANDARD, WIDE(SEKTRA_TEXT_SEEK_STANDARD)},
    {IDS_CONFIRM_WORD, WIDE(SEKTRA_TEXT_CONFIRM_WORD)},
    {IDS_CSV_MODEL, WIDE(SEKTRA_TEXT_CSV_MODEL)},
    {IDS_CSV_REVISION, WIDE(SEKTRA_TEXT_CSV_REVISION)},
    {IDS_CSV_TEST, WIDE(SEKTRA_TEXT_CSV_TEST)},
    {IDS_CSV_BEST, WIDE(SEKTRA_TEXT_CSV_BEST)},
    {IDS_CSV_AVERAGE, WIDE(SEKTRA_TEXT_CSV_AVERAGE)},
    {IDS_CSV_WORST, WIDE(SEKTRA_TEXT_CSV_WORST)},
    {IDS_CSV_COUNT, WIDE(SEKTRA_TEXT_CSV_COUNT)},
    {IDS_CSV_RANGE, WIDE(SEKTRA_TEXT_CSV_RANGE)},
    {IDS_CSV_SHORTEST, WIDE(SEKTRA_TEXT_CSV_SHORTEST)},
    {IDS_CSV_LONGEST, WIDE(SEKTRA_TEXT_CSV_LONGEST)},
    {IDS_CSV_LATENCY, WIDE(SEKTRA_TEXT_CSV_LATENCY)},
    {IDS_CSV_COMMANDS, WIDE(SEKTRA_TEXT_CSV_COMMANDS)},
    {IDS_CSV_IOPS, WIDE(SEKTRA_TEXT_CSV_IOPS)},
    {IDS_CSV_WALL_IOPS, WIDE(SEKTRA_TEXT_CSV_WALL_IOPS)},
    {IDS_CSV_MEAN, WIDE(SEKTRA_TEXT_CSV_MEAN)},
    {IDS_CSV_MINIMUM, WIDE(SEKTRA_TEXT_CSV_MINIMUM)},
    {IDS_CSV_P50, WIDE(SEKTRA_TEXT_CSV_P50)},
    {IDS_CSV_P90, WIDE(SEKTRA_TEXT_CSV_P90)},
    {IDS_CSV_P99, WIDE(SEKTRA_TEXT_CSV_P99)},
    {IDS_CSV_P999, WIDE(SEKTRA_TEXT_CSV_P999)},
    {IDS_CSV_P9999, WIDE(SEKTRA_TEXT_CSV_P9999)},
    {IDS_CSV_MAXIMUM, WIDE(SEKTRA_TEXT_CSV_MAXIMUM)},
    {IDS_CSV_BUCKET, WIDE(SEKTRA_TEXT_CSV_BUCKET)},
    {IDS_CSV_BUCKET_COUNT, WIDE(SEKTRA_TEXT_CSV_BUCKET_COUNT)},
};

}  // namespace

std::wstring ConfirmationWord() { return BuiltInText(IDS_CONFIRM_WORD); }

std::wstring BuiltInText(std::uint32_t id) {
    for (const SharedText& shared : kSharedTexts) {
        if (shared.id == id) return shared.text;
    }
    return std::wstring();
}

CsvLatencyLabels BuiltInCsvLatencyLabels() { return LatencyLabels(BuiltInText); }

CsvLabels BuiltInCsvLabels() {
    return {BuiltInText(IDS_CSV_MODEL), BuiltInText(IDS_CSV_REVISION), BuiltInText(IDS_CSV_TEST),
            BuiltInText(IDS_CSV_BEST),  BuiltInText(IDS_CSV_AVERAGE),  BuiltInText(IDS_CSV_WORST),
            BuiltInText(IDS_CSV_COUNT), BuiltInText(IDS_CSV_RANGE), BuiltInText(IDS_CSV_SHORTEST),
            BuiltInText(IDS_CSV_LONGEST)};
}

}  // namespace sektra
