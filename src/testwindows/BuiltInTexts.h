#pragma once
// The language module's texts that a program without the module needs as they are: the
// confirmation word of the writing tests, the range labels of the titles and the row labels of
// the result file. One source with the module (language/SharedTexts.h), so the console runner
// asks for the same word and saves the same file as the windows.
#include <cstdint>
#include <string>

#include "testwindows/CsvTables.h"

namespace sektra {

// The word a user types to let a writing test overwrite a device.
std::wstring ConfirmationWord();

// The text of resource string `id` when it is one of the shared ones (IDS_OTHER_SIZE,
// IDS_RANGE_FULL to IDS_RANGE_INNER, IDS_SEEK_STANDARD, IDS_CSV_MODEL to IDS_CSV_RANGE,
// IDS_CSV_SHORTEST, IDS_CSV_LONGEST, IDS_CSV_LATENCY to IDS_CSV_BUCKET_COUNT,
// IDS_CONFIRM_WORD); empty for any other.
std::wstring BuiltInText(std::uint32_t id);

// Strings 65 to 72, 700 and 701: the row labels of the result file.
CsvLabels BuiltInCsvLabels();
// Strings 120 to 133: the labels of the result file's latency section.
CsvLatencyLabels BuiltInCsvLatencyLabels();

}  // namespace sektra
