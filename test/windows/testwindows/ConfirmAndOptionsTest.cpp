// The confirmation before every writing test and the three option dialogs: what they refuse,
// with which message, which keys they ignore, and that nothing reaches the device before the
// user confirmed.
#include <utility>

#include "TestWindowFixture.h"
#include "testwindows/win32/CacheTestWindow.h"
#include "testwindows/win32/SeekTestWindow.h"
#include "testwindows/win32/TransferTestWindow.h"

namespace sektra::test {
namespace {

// Types `word`, presses OK, answers the mismatch box when it comes and then cancels.
void TypeWordThenCancel(ModalDriver& driver, const wchar_t* word) {
    driver.WhenDialogWith(IDC_CONFIRM_WORD, [word](HWND w) {
        SetDlgItemTextW(w, IDC_CONFIRM_WORD, word);
        Click(w, IDOK);
    });
    driver.ExpectBox(IDS_CONFIRM_CAPTION);
    driver.WhenDialogWith(IDC_CONFIRM_WORD, [](HWND w) { Click(w, IDCANCEL); });
}

TEST_F(TestWindowTest, WritingTestsNeedTheExactWordAndWriteNothingWithoutIt) {
    for (std::uint32_t code : {0x1627u, 0x1824u, 0x1A14u}) {
        for (const wchar_t* word : {L"write", L"Write", L"WRITE ", L" WRITE", L"", L"WRITEWRITE"}) {
            SCOPED_TRACE(testing::Message() << std::hex << code << " '" << testing::PrintToString(std::wstring(word)) << "'");
            NewPort();
            Device* device = AddZeroTimeDisk();
            emulated->Log().Clear();
            ModalDriver driver;
            TypeWordThenCancel(driver, word);
            std::unique_ptr<TestWindow> window;
            if (code == 0x1A14) {
                window = Open<CacheTestWindow>(device, code);
            } else {
                window = Open<TransferTestWindow>(device, code);
            }
            ASSERT_TRUE(PumpUntil([&] { return window->GetHandle() == nullptr; }));
            EXPECT_TRUE(driver.Done());
            EXPECT_EQ(driver.boxes, std::vector<std::wstring>{ResourceText(IDS_CONFIRM_MISMATCH)});
            EXPECT_FALSE(emulated->Log().AnyWriteSent());
            // Before the confirmation only the device's name was asked for: no medium or buffer
            // command at all.
            for (std::uint8_t opcode : {0x28, 0x2A, 0x2B, 0x2E, 0x3B, 0x3C}) {
                EXPECT_EQ(emulated->Log().CountOpcode(opcode), 0u) << int(opcode);
            }
        }
    }
}

TEST_F(TestWindowTest, ConfirmationNamesDeviceAndTestAndHasItsOwner) {
    Device* device = AddZeroTimeDisk();
    ProbeDialog mainWindow;
    ASSERT_EQ(mainWindow.Create(module, IDD_WAIT, nullptr), 0);
    HWND owner = nullptr;
    std::wstring deviceText, testText;
    ModalDriver driver;
    driver.WhenDialogWith(IDC_CONFIRM_WORD, [&](HWND w) {
        owner = GetWindow(w, GW_OWNER);
        deviceText = ItemText(w, IDC_CONFIRM_DEVICE);
        testText = ItemText(w, IDC_CONFIRM_TEST);
        Click(w, IDCANCEL);
    });
    auto transfer = Open<TransferTestWindow>(device, 0x1827, mainWindow.GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return transfer->GetHandle() == nullptr && driver.Done(); }));
    EXPECT_EQ(owner, mainWindow.GetHandle());  // the transfer window's confirmation: the main window
    EXPECT_EQ(deviceText, L" " + DeviceTextWide(device->GetModelNameWithRevision()));
    EXPECT_EQ(testText, L" Random Write Test");

    driver.WhenDialogWith(IDC_CONFIRM_WORD, [&](HWND w) {
        owner = GetWindow(w, GW_OWNER);
        testText = ItemText(w, IDC_CONFIRM_TEST);
        Click(w, IDCANCEL);
    });
    auto cache = Open<CacheTestWindow>(device, 0x1A14, mainWindow.GetHandle());
    const HWND cacheHandle = cache->GetHandle();  // closing is only posted yet
    ASSERT_TRUE(PumpUntil([&] { return cache->GetHandle() == nullptr && driver.Done(); }));
    EXPECT_EQ(testText, L" Write Buffer Test");
    // The write buffer confirmation belongs to the test window itself.
    EXPECT_EQ(owner, cacheHandle);
    EXPECT_FALSE(emulated->Log().AnyWriteSent());
    mainWindow.Destroy();
}

TEST_F(TestWindowTest, TransferOptionsRefuseBadSizesAndRangesAndIgnoreEnterAndEsc) {
    Device* device = AddZeroTimeDisk();
    const std::int32_t maxBlocks = device->GetMaxReadSectors();
    ASSERT_GT(maxBlocks, 1);
    ModalDriver driver;
    auto attempt = [&](const std::wstring& size, int range, const wchar_t* start, const wchar_t* end, UINT message) {
        driver.WhenDialogWith(IDC_TRANSFER_OK, [=](HWND w) {
            SetDlgItemTextW(w, IDC_TRANSFER_SIZE, size.c_str());
            CheckRadioButton(w, IDC_RANGE_FULL, IDC_RANGE_CUSTOM, range);
            SendMessageW(w, WM_COMMAND, MAKEWPARAM(range, BN_CLICKED), 0);
            SetDlgItemTextW(w, IDC_RANGE_START, start);
            SetDlgItemTextW(w, IDC_RANGE_END, end);
            Click(w, IDC_TRANSFER_OK);
        });
        if (message != 0) driver.ExpectBox(IDS_INPUT_ERROR_CAPTION);
    };
    std::wstring sizeLabel, limitLabel;
    bool startEnabledAtFirst = true;
    driver.WhenDialogWith(IDC_TRANSFER_OK, [&](HWND w) {
        limitLabel = ItemText(w, IDC_TRANSFER_LIMIT);
        sizeLabel = ItemText(w, IDC_TRANSFER_SIZE_KB);
        startEnabledAtFirst = ItemEnabled(w, IDC_RANGE_START);
        // Enter and Esc, in the edit as the user presses them.
        HWND edit = GetDlgItem(w, IDC_TRANSFER_SIZE);
        SetFocus(edit);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        SendMessageW(w, WM_COMMAND, IDOK, 0);
        SendMessageW(w, WM_COMMAND, IDCANCEL, 0);
    });
    attempt(L"0", IDC_RANGE_FULL, L"0", L"100", IDS_BAD_BLOCK_COUNT);
    attempt(std::to_wstring(maxBlocks + 1), IDC_RANGE_FULL, L"0", L"100", IDS_BAD_BLOCK_COUNT);
    attempt(L"4", IDC_RANGE_CUSTOM, L"10", L"10", IDS_BAD_START_PERCENT);
    attempt(L"4", IDC_RANGE_CUSTOM, L"0", L"101", IDS_BAD_END_PERCENT);
    attempt(L"4", IDC_RANGE_CUSTOM, L"0", L"0", IDS_BAD_END_PERCENT);
    attempt(L"4", IDC_RANGE_CUSTOM, L"0", L"100", 0);

    auto window = Open<TransferTestWindow>(device, 0x15FF);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done(); }));
    wchar_t limit[64];
    swprintf(limit, 64, ResourceText(IDS_LIMIT_BLOCKS).c_str(), maxBlocks);
    EXPECT_EQ(limitLabel, limit);
    EXPECT_EQ(sizeLabel, L"(0.5 KB)");
    EXPECT_FALSE(startEnabledAtFirst);
    EXPECT_EQ(driver.boxes,
              (std::vector<std::wstring>{ResourceText(IDS_BAD_BLOCK_COUNT), ResourceText(IDS_BAD_BLOCK_COUNT),
                                         ResourceText(IDS_BAD_START_PERCENT), ResourceText(IDS_BAD_END_PERCENT),
                                         ResourceText(IDS_BAD_END_PERCENT)}));
    ASSERT_NE(window->GetHandle(), nullptr);
    // A custom range is labelled as such, not by its percentages.
    EXPECT_EQ(window->GetTitlePrefix(), L"Seq. Read Test(2.0KB " + ResourceText(IDS_OTHER_SIZE) + L") - ");
    ASSERT_TRUE(WaitForFinished(*window));
    EXPECT_EQ(emulated->Log().CountOpcode(0x28) > 0, true);
}

TEST_F(TestWindowTest, CancelledOptionsSendNothing) {
    Device* device = AddZeroTimeDisk();
    // The limits are probed once per device; the device view did that when it listed the sizes.
    device->GetMaxReadSectors();
    device->GetMaxReadBufferBytes();
    emulated->Log().Clear();
    ModalDriver driver;
    driver.WhenDialogWith(IDC_TRANSFER_CANCEL, [](HWND w) { Click(w, IDC_TRANSFER_CANCEL); });
    driver.WhenDialogWith(IDC_SEEK_COUNT, [](HWND w) { Click(w, IDCANCEL); });
    driver.WhenDialogWith(IDC_CACHE_SIZE, [](HWND w) { Click(w, IDCANCEL); });
    auto transfer = Open<TransferTestWindow>(device, 0x17FF);
    auto seek = Open<SeekTestWindow>(device, 0x141F);
    auto cache = Open<CacheTestWindow>(device, 0x131F);
    ASSERT_TRUE(PumpUntil([&] { return !transfer->GetHandle() && !seek->GetHandle() && !cache->GetHandle(); }));
    EXPECT_EQ(emulated->Log().CountOpcode(0x28), 0u);
    EXPECT_EQ(emulated->Log().CountOpcode(0x2B), 0u);
}

TEST_F(TestWindowTest, SeekOptionsRefuseCountsOutsideTheLimitAndBadBlocks) {
    Device* device = AddZeroTimeDisk();  // last block 20479
    ModalDriver driver;
    std::wstring initialCount, initialLast;
    auto attempt = [&](const wchar_t* count, const wchar_t* first, const wchar_t* last, bool refused, int mode = 0) {
        driver.WhenDialogWith(IDC_SEEK_COUNT, [=](HWND w) {
            SetDlgItemTextW(w, IDC_SEEK_COUNT, count);
            SetDlgItemTextW(w, IDC_SEEK_FIRST_BLOCK, first);
            SetDlgItemTextW(w, IDC_SEEK_LAST_BLOCK, last);
            CheckRadioButton(w, IDC_SEEK_ALTERNATE, IDC_SEEK_RANDOM, IDC_SEEK_ALTERNATE + mode);
            Click(w, IDOK);
        });
        if (refused) driver.ExpectBox(IDS_INPUT_ERROR_CAPTION);
    };
    driver.WhenDialogWith(IDC_SEEK_COUNT, [&](HWND w) {
        initialCount = ItemText(w, IDC_SEEK_COUNT);
        initialLast = ItemText(w, IDC_SEEK_LAST_BLOCK);
        Click(w, IDCANCEL);
    });
    auto first = Open<SeekTestWindow>(device, 0x141F);
    ASSERT_TRUE(PumpUntil([&] { return !first->GetHandle() && driver.Done(); }));
    EXPECT_EQ(initialCount, L"1000");
    EXPECT_EQ(initialLast, L"20479");

    attempt(L"0", L"0", L"20479", true);
    attempt(L"100000", L"0", L"20479", true);
    attempt(L"10", L"0", L"20480", true);
    attempt(L"10", L"500", L"500", true);
    attempt(L"99", L"100", L"300", false, 1);
    auto window = Open<SeekTestWindow>(device, 0x141F);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done(); }));
    EXPECT_EQ(driver.boxes, (std::vector<std::wstring>{ResourceText(IDS_BAD_SEEK_COUNT), ResourceText(IDS_BAD_SEEK_COUNT),
                                                       ResourceText(IDS_BAD_LAST_BLOCK),
                                                       ResourceText(IDS_BAD_FIRST_BLOCK)}));
    EXPECT_EQ(window->GetTitlePrefix(), L"Seek Test(" + ResourceText(IDS_OTHER_SIZE) + L") - ");
    ASSERT_TRUE(WaitForFinished(*window));
    EXPECT_EQ(ItemText(window->GetHandle(), IDC_TEST_COUNT), L" 99");
    bool probe = true;  // the first SEEK(10) asks whether the disk seeks at all, at block 0
    for (const LoggedCommand& command : emulated->Log().Entries()) {
        if (command.opcode != 0x2B || std::exchange(probe, false)) continue;
        EXPECT_GE(command.lba, 100u);
        EXPECT_LE(command.lba, 300u);
    }
}

TEST_F(TestWindowTest, CacheOptionsCountBlocksOrKilobytes) {
    Device* device = AddZeroTimeDisk();  // a 1 MiB drive buffer
    const std::int32_t maxSectors = device->GetMaxReadSectors();
    ModalDriver driver;
    std::wstring kbLimit;
    driver.WhenDialogWith(IDC_CACHE_SIZE, [&](HWND w) {
        SetDlgItemTextW(w, IDC_CACHE_SIZE, std::to_wstring(maxSectors + 1).c_str());
        Click(w, IDOK);
    });
    driver.ExpectBox(IDS_INPUT_ERROR_CAPTION);
    driver.WhenDialogWith(IDC_CACHE_SIZE, [&](HWND w) {
        SetDlgItemTextW(w, IDC_CACHE_SIZE, L"0");
        Click(w, IDOK);
    });
    driver.ExpectBox(IDS_INPUT_ERROR_CAPTION);
    driver.WhenDialogWith(IDC_CACHE_SIZE, [&](HWND w) { Click(w, IDCANCEL); });
    auto cache = Open<CacheTestWindow>(device, 0x131F);
    ASSERT_TRUE(PumpUntil([&] { return !cache->GetHandle() && driver.Done(); }));

    driver.WhenDialogWith(IDC_CACHE_SIZE, [&](HWND w) {
        kbLimit = ItemText(w, IDC_CACHE_LIMIT);
        SetDlgItemTextW(w, IDC_CACHE_SIZE, L"1025");
        Click(w, IDOK);
    });
    driver.ExpectBox(IDS_INPUT_ERROR_CAPTION);
    driver.WhenDialogWith(IDC_CACHE_SIZE, [&](HWND w) {
        SetDlgItemTextW(w, IDC_CACHE_SIZE, L"1024");
        Click(w, IDOK);
    });
    auto buffer = Open<CacheTestWindow>(device, 0x191F);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done(); }));
    wchar_t limit[64];
    swprintf(limit, 64, ResourceText(IDS_LIMIT_KB).c_str(), 1024u);
    EXPECT_EQ(kbLimit, limit);
    EXPECT_EQ(driver.boxes, (std::vector<std::wstring>{ResourceText(IDS_BAD_BLOCK_COUNT), ResourceText(IDS_BAD_BLOCK_COUNT),
                                                       ResourceText(IDS_BAD_SIZE_KB)}));
    EXPECT_EQ(buffer->GetTitlePrefix(), L"Read Buffer Test(1024.0KB) - ");
    ASSERT_TRUE(WaitForFinished(*buffer));
}

}  // namespace
}  // namespace sektra::test
