// Saving the results: the save dialog's proposed name, its place on the screen and the added
// extension, and the file itself (Shift-JIS, CR LF, the lines of a sequential test).
#include <fstream>
#include <iterator>

#include "TestWindowFixture.h"
#include "testwindows/win32/SeekTestWindow.h"
#include "testwindows/win32/TransferTestWindow.h"

namespace sektra::test {
namespace {

std::vector<std::wstring> ShiftJisLines(const std::string& bytes) {
    const int count = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], count);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the file ends with CR LF";
    return lines;
}

// A line's label and unit: its first and third cells (the second is the figure).
using Row = std::vector<std::wstring>;
Row Cells(const std::wstring& line) {
    const std::size_t first = line.find(L',');
    const std::size_t second = line.find(L',', first + 1);
    const std::size_t third = line.find(L',', second + 1);
    if (third == std::wstring::npos) return {line};
    return {line.substr(0, first), line.substr(second + 1, third - second - 1)};
}

class SaveTest : public TestWindowTest {
protected:
    // Runs a sequential read of the whole disk at 64 KB and waits for its end.
    std::unique_ptr<TransferTestWindow> FinishedSequentialRead() {
        Device* device = AddZeroTimeDisk();
        auto window = Open<TransferTestWindow>(device, 0x1527);
        EXPECT_TRUE(WaitForFinished(*window));
        return window;
    }
};

TEST_F(SaveTest, ProposesModelAndTitleCentresTheDialogAndAddsTheExtension) {
    auto window = FinishedSequentialRead();
    const std::wstring path = TempPath(L"sektra-save-test");
    DeleteFileW((path + L".csv").c_str());
    std::wstring proposed;
    RECT bounds = {}, workArea = {};
    ModalDriver driver;
    driver.Then(IsSaveDialog, [&](HWND w) {
        proposed = WindowText(FileNameBox(w));
        GetWindowRect(w, &bounds);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        SetWindowTextW(FileNameBox(w), path.c_str());
        PostMessageW(w, WM_COMMAND, IDOK, 0);
    });
    Click(window->GetHandle(), IDC_TEST_SAVE);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done() && GetFileAttributesW((path + L".csv").c_str()) != INVALID_FILE_ATTRIBUTES; },
                          std::chrono::seconds(30)));
    PumpFor(std::chrono::milliseconds(200));

    const std::wstring model = DeviceTextWide(devices[0]->GetModelName());
    const std::wstring title = L"Seq. Read Test(64.0KB " + ResourceText(IDS_RANGE_FULL) + L")";
    EXPECT_EQ(proposed, model + L" " + title);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    EXPECT_EQ(bounds.left, workArea.left + (workArea.right - workArea.left - width) / 2);
    // Centred when the dialog starts; wine lays the dialog out once more afterwards, which may
    // change its height a little.
    EXPECT_NEAR(bounds.top, workArea.top + (workArea.bottom - workArea.top - height) / 2, 30);

    const std::string bytes = ReadBytes(path + L".csv");
    // Shift-JIS without a byte-order mark: "モデル" first.
    EXPECT_EQ(bytes.substr(0, 7), "\x83\x82\x83\x66\x83\x8B,");
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
    const std::vector<std::wstring> lines = ShiftJisLines(bytes);
    // 20480 blocks, 64 KB a command: 160 commands; position step 16 blocks, 1281 columns. The
    // latency section follows the tables: an empty line, its heading and 11 figures, an empty
    // line, the bucket header and the buckets.
    constexpr std::size_t kPoints = 20480 / 16 + 1;
    constexpr std::size_t kTables = 9 + 1 + 1000 + 1 + 1 + kPoints;
    ASSERT_GE(lines.size(), kTables + 15 + 1);
    EXPECT_EQ(lines[kTables], L"");
    EXPECT_EQ(lines[kTables + 1], ResourceText(IDS_CSV_LATENCY) + L",");
    EXPECT_EQ(lines[kTables + 2], ResourceText(IDS_CSV_COMMANDS) + L",160,");
    EXPECT_EQ(Cells(lines[kTables + 7]), (Row{ResourceText(IDS_CSV_P50), L"\u03BCs"}));
    EXPECT_EQ(lines[kTables + 14], ResourceText(IDS_CSV_BUCKET) + L"," + ResourceText(IDS_CSV_BUCKET_COUNT) + L",");
    EXPECT_EQ(lines[0], ResourceText(IDS_CSV_MODEL) + L"," + model + L",");
    EXPECT_EQ(lines[2], ResourceText(IDS_CSV_TEST) + L"," + title + L",");
    EXPECT_EQ(lines[3], L"");
    EXPECT_EQ(Cells(lines[4]), (Row{ResourceText(IDS_CSV_BEST), L"KB/s"}));
    EXPECT_EQ(Cells(lines[6]), (Row{ResourceText(IDS_CSV_WORST), L"KB/s"}));
    EXPECT_EQ(lines[7], ResourceText(IDS_CSV_COUNT) + L",160,");
    EXPECT_EQ(lines[8], L"");
    EXPECT_EQ(lines[9].substr(0, ResourceText(IDS_CSV_RANGE).size() + 1), ResourceText(IDS_CSV_RANGE) + L",");
    EXPECT_EQ(lines[1011], lines[9]);
    EXPECT_EQ(lines[1012].substr(0, 20), L"0.000 MB - 0.008 MB,");  // 16 blocks of 512 bytes
    DeleteFileW((path + L".csv").c_str());
}

TEST_F(SaveTest, CancelWritesNothing) {
    auto window = FinishedSequentialRead();
    const std::wstring proposedFile = TempPath(L"sektra-cancel-test.csv");
    DeleteFileW(proposedFile.c_str());
    ModalDriver driver;
    driver.Then(IsSaveDialog, [&](HWND w) {
        SetWindowTextW(FileNameBox(w), proposedFile.c_str());
        PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
    });
    Click(window->GetHandle(), IDC_TEST_SAVE);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done(); }, std::chrono::seconds(30)));
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(GetFileAttributesW(proposedFile.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(window->GetHandle(), nullptr);
}

TEST_F(SaveTest, SeekResultsListTheirCells) {
    Device* device = AddZeroTimeDisk();
    auto window = Open<SeekTestWindow>(device, 0x1410, nullptr, 10);
    ASSERT_TRUE(WaitForFinished(*window));
    const std::wstring path = TempPath(L"sektra-seek-test.csv");
    DeleteFileW(path.c_str());
    ModalDriver driver;
    driver.Then(IsSaveDialog, [&](HWND w) {
        SetWindowTextW(FileNameBox(w), path.c_str());
        PostMessageW(w, WM_COMMAND, IDOK, 0);
    });
    Click(window->GetHandle(), IDC_TEST_SAVE);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
                          std::chrono::seconds(30)));
    PumpFor(std::chrono::milliseconds(200));
    const std::vector<std::wstring> lines = ShiftJisLines(ReadBytes(path));
    // 9 head lines, 4 of figures, 10 cells; then the latency section.
    constexpr std::size_t kTables = 9 + 4 + 10;
    ASSERT_GE(lines.size(), kTables + 15 + 1);
    EXPECT_EQ(lines[kTables + 1], ResourceText(IDS_CSV_LATENCY) + L",");
    EXPECT_EQ(lines[kTables + 2], ResourceText(IDS_CSV_COMMANDS) + L",1000,");
    // The head and the table label the times as the window does, each with its unit.
    for (const std::size_t first : {std::size_t{4}, std::size_t{9}}) {
        EXPECT_EQ(Cells(lines[first]), (Row{ResourceText(IDS_CSV_SHORTEST), L"\u03BCs"}));
        EXPECT_EQ(Cells(lines[first + 1]), (Row{ResourceText(IDS_CSV_AVERAGE), L"\u03BCs"}));
        EXPECT_EQ(Cells(lines[first + 2]), (Row{ResourceText(IDS_CSV_LONGEST), L"\u03BCs"}));
    }
    EXPECT_EQ(ResourceText(IDS_CSV_SHORTEST), L"\u6700\u77ED");  // 最短
    EXPECT_EQ(ResourceText(IDS_CSV_LONGEST), L"\u6700\u9577");   // 最長
    EXPECT_EQ(lines[12], ResourceText(IDS_CSV_COUNT) + L",1000,");
    EXPECT_EQ(lines[13].substr(0, 11), L"900.0 \u03BCs -,");
    EXPECT_EQ(lines[kTables - 1].substr(0, 18), L"0.0 \u03BCs - 100.0 \u03BCs,");
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace sektra::test
