// The windows' command-time figures, their graphs saved as BMP and PNG files (read back pixel
// by pixel for the colours of curve, average line and bars), and the transfer choices of the
// options dialog.
#include <algorithm>

#include "TestWindowFixture.h"
#include "emulator/DemoSet.h"
#include "testwindows/GraphPicture.h"
#include "testwindows/win32/SeekTestWindow.h"
#include "testwindows/win32/TransferTestWindow.h"

namespace sektra::test {
namespace {

std::uint32_t Byte(const std::string& b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }

std::uint32_t Little32(const std::string& b, std::size_t at) {
    return Byte(b, at) | Byte(b, at + 1) << 8 | Byte(b, at + 2) << 16 | Byte(b, at + 3) << 24;
}

std::uint32_t Big32(const std::string& b, std::size_t at) {
    return Byte(b, at) << 24 | Byte(b, at + 1) << 16 | Byte(b, at + 2) << 8 | Byte(b, at + 3);
}

// How many pixels of a 24-bit bottom-up BMP have colour 0xRRGGBB.
int CountBmpPixels(const std::string& bmp, int width, int height, std::uint32_t rgb) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) * 3;
            if ((Byte(bmp, at) | Byte(bmp, at + 1) << 8 | Byte(bmp, at + 2) << 16) == rgb) ++count;
        }
    }
    return count;
}

class GraphWindowTest : public TestWindowTest {
protected:
    // Saves the window's graph through the save dialog as `name` in the temporary folder; the bytes.
    std::string SaveImage(HWND window, const wchar_t* name) {
        const std::wstring path = TempPath(name);
        DeleteFileW(path.c_str());
        ModalDriver driver;
        driver.Then(IsSaveDialog, [&](HWND w) {
            SetWindowTextW(FileNameBox(w), path.c_str());
            PostMessageW(w, WM_COMMAND, IDOK, 0);
        });
        Click(window, IDC_TEST_SAVE_IMAGE);
        EXPECT_TRUE(PumpUntil(
            [&] { return driver.Done() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
        PumpFor(std::chrono::milliseconds(200));
        const std::string bytes = ReadBytes(path);
        DeleteFileW(path.c_str());
        return bytes;
    }
};

TEST_F(GraphWindowTest, FinishedRunsShowTheirFiguresAndSaveTheirGraphs) {
    struct Case {
        std::uint32_t code;
        std::uint32_t mark;     // a colour the graph must hold
        std::uint32_t another;  // and one more
    };
    const Case cases[] = {
        {0x1527, kGraphCurve, kGraphAverage},  // sequential: the rate curve and its average
        {0x1724, kGraphBar, kGraphMarker},     // random: bars, p50 and p99 lines
        {0x1410, kGraphBar, kGraphMarker},     // seek
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.code);
        NewPort();
        // 20 μs a command plus 200 MB/s: the figures are real times, not the program's overhead.
        Device* device = AddDisk(FixedRealTimeDisk(20000, 200000000));
        std::unique_ptr<TestWindow> window;
        if (c.code == 0x1410) {
            window = Open<SeekTestWindow>(device, c.code);
        } else {
            window = Open<TransferTestWindow>(device, c.code);
        }
        EXPECT_FALSE(ItemEnabled(window->GetHandle(), IDC_TEST_SAVE_IMAGE));
        ASSERT_TRUE(WaitForFinished(*window));
        const HWND h = window->GetHandle();
        EXPECT_TRUE(ItemEnabled(h, IDC_TEST_SAVE_IMAGE));
        // Every command took at least 20 μs.
        for (int id : {IDC_TEST_P50, IDC_TEST_P99, IDC_TEST_MAX_LATENCY}) {
            std::wstring text = ItemText(h, id);
            EXPECT_NE(text.find(L" \u03BCs"), std::wstring::npos) << text;
            text.erase(std::remove(text.begin(), text.end(), L','), text.end());
            EXPECT_GE(std::stod(text), 20.0) << text;
        }
        EXPECT_GT(std::stoi(ItemText(h, IDC_TEST_IOPS)), 0);

        RECT client{};
        GetClientRect(GetDlgItem(h, IDC_TEST_GRAPH), &client);
        const std::string bmp = SaveImage(h, L"sektra-graph-test.bmp");
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<LONG>(Little32(bmp, 18)), client.right);
        EXPECT_EQ(static_cast<LONG>(Little32(bmp, 22)), client.bottom);
        ASSERT_EQ(bmp.size(), Little32(bmp, 2));
        EXPECT_GT(CountBmpPixels(bmp, client.right, client.bottom, c.mark), 20);
        // A steady disk's curve lies on its average line and hides most of it: present is enough.
        EXPECT_GT(CountBmpPixels(bmp, client.right, client.bottom, c.another), 0);

        const std::string png = SaveImage(h, L"sektra-graph-test.png");
        ASSERT_GT(png.size(), 33u + 12);
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
        EXPECT_EQ(static_cast<LONG>(Big32(png, 16)), client.right);
        EXPECT_EQ(static_cast<LONG>(Big32(png, 20)), client.bottom);
        EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
        Click(h, IDC_TEST_CLOSE);
        ASSERT_TRUE(PumpUntil([&] { return window->GetHandle() == nullptr; }));
    }
}

TEST_F(GraphWindowTest, OptionsDialogChoicesReachTheSettingsAndTheLabel) {
    Device* device = AddZeroTimeDisk();
    struct Case {
        std::uint32_t code;
        bool aligned, randomData;
        std::wstring label;
    };
    const std::wstring used = ResourceText(IDS_CHOICES_USED);
    const Case cases[] = {
        // Random write: both act on it.
        {0x18FF, true, true,
         used + ResourceText(IDS_CHOICE_ALIGNED) + ResourceText(IDS_CHOICES_JOIN) +
             ResourceText(IDS_CHOICE_RANDOM_DATA)},
        // A sequential read is not placed at random and writes nothing: the label stays empty.
        {0x15FF, true, true, L""},
        // Unchecked again: the defaults, nothing said.
        {0x17FF, false, false, L""},
    };
    TransferChoices choices;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.code);
        ModalDriver driver;
        if (c.code == 0x18FF) {
            driver.WhenDialogWith(IDC_CONFIRM_WORD, [](HWND w) {
                SetDlgItemTextW(w, IDC_CONFIRM_WORD, L"WRITE");
                Click(w, IDOK);
            });
        }
        bool shownAligned = false;
        driver.WhenDialogWith(IDC_TRANSFER_OK, [&](HWND w) {
            shownAligned = IsDlgButtonChecked(w, IDC_ALIGNED_POSITIONS) == BST_CHECKED;
            SetDlgItemTextW(w, IDC_TRANSFER_SIZE, L"8");
            CheckDlgButton(w, IDC_ALIGNED_POSITIONS, c.aligned ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(w, IDC_RANDOM_WRITE_DATA, c.randomData ? BST_CHECKED : BST_UNCHECKED);
            Click(w, IDC_TRANSFER_OK);
        });
        const TransferChoices before = choices;
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        const auto low = static_cast<std::uint32_t>(frequency.QuadPart);
        const auto high = static_cast<std::uint32_t>(frequency.QuadPart >> 32);
        auto window = std::make_unique<TransferTestWindow>(device, kDisk0 | c.code, low, high, 1, 50, 201);
        window->UseTransferChoices(&choices);
        ASSERT_EQ(window->Create(module, IDD_TRANSFER_TEST, nullptr), 0);
        ASSERT_TRUE(WaitForFinished(*window));
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(shownAligned, before.alignedPositions);  // the dialog opens with the last choices
        EXPECT_EQ(choices.alignedPositions, c.aligned);
        EXPECT_EQ(choices.randomWriteData, c.randomData);
        EXPECT_EQ(ItemText(window->GetHandle(), IDC_TEST_CHOICES), c.label);
        Click(window->GetHandle(), IDC_TEST_CLOSE);
        ASSERT_TRUE(PumpUntil([&] { return window->GetHandle() == nullptr; }));
    }
}

}  // namespace
}  // namespace sektra::test
