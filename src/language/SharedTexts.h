#pragma once
// Texts of the language module that also leave the program by another way than a window: the
// word a user types to unlock a writing test, and the labels and titles that go into saved
// result files. Sektra.rc takes them from here, and the console runner, which loads no
// language module, takes the same ones through testwindows/BuiltInTexts.h, so a file saved by
// either reads alike. Plain macros of UTF-8 string literals: the resource compiler reads this.

// The word the write-test confirmation asks for.
#define SEKTRA_TEXT_CONFIRM_WORD "WRITE"

// Range and size labels of the test titles.
#define SEKTRA_TEXT_OTHER_SIZE "任意指定"
#define SEKTRA_TEXT_RANGE_FULL "全域 (0% - 100%)"
#define SEKTRA_TEXT_RANGE_OUTER "外周 (0% - 10%)"
#define SEKTRA_TEXT_RANGE_MIDDLE "中央 (45% - 55%)"
#define SEKTRA_TEXT_RANGE_INNER "内周 (90% - 100%)"
#define SEKTRA_TEXT_SEEK_STANDARD "全域 1000 回"

// Row labels of the result file.
#define SEKTRA_TEXT_CSV_MODEL "モデル"
#define SEKTRA_TEXT_CSV_REVISION "リビジョン"
#define SEKTRA_TEXT_CSV_TEST "テスト"
#define SEKTRA_TEXT_CSV_BEST "最高"
#define SEKTRA_TEXT_CSV_AVERAGE "平均"
#define SEKTRA_TEXT_CSV_WORST "最低"
#define SEKTRA_TEXT_CSV_COUNT "回数"
#define SEKTRA_TEXT_CSV_RANGE "範囲"
// Seek and access times, as the seek window labels them.
#define SEKTRA_TEXT_CSV_SHORTEST "最短"
#define SEKTRA_TEXT_CSV_LONGEST "最長"
// The latency section: command times and commands per second, then the time buckets.
#define SEKTRA_TEXT_CSV_LATENCY "レイテンシ"
#define SEKTRA_TEXT_CSV_COMMANDS "コマンド数"
#define SEKTRA_TEXT_CSV_IOPS "IOPS (計測時間)"
#define SEKTRA_TEXT_CSV_WALL_IOPS "IOPS (経過時間)"
#define SEKTRA_TEXT_CSV_MEAN "平均"
#define SEKTRA_TEXT_CSV_MINIMUM "最小"
#define SEKTRA_TEXT_CSV_P50 "50 パーセンタイル"
#define SEKTRA_TEXT_CSV_P90 "90 パーセンタイル"
#define SEKTRA_TEXT_CSV_P99 "99 パーセンタイル"
#define SEKTRA_TEXT_CSV_P999 "99.9 パーセンタイル"
#define SEKTRA_TEXT_CSV_P9999 "99.99 パーセンタイル"
#define SEKTRA_TEXT_CSV_MAXIMUM "最大"
#define SEKTRA_TEXT_CSV_BUCKET "区間 (μs)"
#define SEKTRA_TEXT_CSV_BUCKET_COUNT "回数"
