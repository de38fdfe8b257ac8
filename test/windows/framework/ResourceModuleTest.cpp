// Sektra.jpn as the program uses it: every dialog template can be created and holds the
// controls the program addresses, the main menu carries its five commands, the icon loads at
// every size, and every string is there, with formats that take exactly their arguments.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <ctime>
#include <string>
#include <vector>

#include "FrameworkFixture.h"
#include "language/ResourceIds.h"

namespace sektra::test {
namespace {

struct TemplateCase {
    int id;
    std::vector<int> controls;
};

const std::vector<TemplateCase>& Templates() {
    static const std::vector<TemplateCase> cases = {
        {IDD_MAIN_FRAME, {IDC_DEVICE_TREE, IDC_DETAIL_LIST}},
        {IDD_ABOUT, {IDC_ABOUT_VERSION, IDC_HELP_LINK, IDOK}},
        {IDD_TRANSFER_TEST,
         {IDC_TEST_START, IDC_TEST_SAVE, IDC_TEST_DEVICE, IDC_TEST_BLOCK_RANGE, IDC_TEST_ELAPSED, IDC_TEST_COUNT,
          IDC_TEST_CLOCK, IDC_TEST_FINISH, IDC_TEST_PROGRESS, IDC_TEST_BEST, IDC_TEST_AVERAGE, IDC_TEST_WORST,
          IDC_TEST_STOP, IDC_TEST_CLOSE}},
        {IDD_TRANSFER_OPTIONS,
         {IDC_TRANSFER_LIMIT, IDC_TRANSFER_SIZE, IDC_TRANSFER_SIZE_SPIN, IDC_TRANSFER_SIZE_KB, IDC_RANGE_FULL,
          IDC_RANGE_OUTER, IDC_RANGE_MIDDLE, IDC_RANGE_INNER, IDC_RANGE_CUSTOM, IDC_RANGE_START, IDC_RANGE_END,
          IDC_RANGE_START_SPIN, IDC_RANGE_END_SPIN, IDC_TRANSFER_OK, IDC_TRANSFER_CANCEL}},
        {IDD_WRITE_CONFIRM, {IDC_CONFIRM_WORD, IDC_CONFIRM_DEVICE, IDC_CONFIRM_TEST, IDOK, IDCANCEL}},
        {IDD_TIMER_OPTIONS,
         {IDC_TIMER_TICK_COUNT, IDC_TIMER_PERFORMANCE, IDC_TIMER_TIME_STAMP, IDC_TIMER_COUNTER_FREQUENCY,
          IDC_TIMER_TSC_FREQUENCY, IDC_TIMER_INTERVAL, IDC_TIMER_INTERVAL_SPIN, IDOK, IDCANCEL}},
        {IDD_DEVICE_SELECTION, {IDC_DEVICE_LIST, IDOK, IDCANCEL}},
        {IDD_CACHE_TEST,
         {IDC_TEST_START, IDC_TEST_SAVE, IDC_TEST_DEVICE, IDC_TEST_ELAPSED, IDC_TEST_COUNT, IDC_TEST_CLOCK,
          IDC_TEST_FINISH, IDC_TEST_PROGRESS, IDC_TEST_BEST, IDC_TEST_AVERAGE, IDC_TEST_WORST, IDC_TEST_STOP,
          IDC_TEST_CLOSE}},
        {IDD_SEEK_TEST,
         {IDC_TEST_START, IDC_TEST_SAVE, IDC_TEST_DEVICE, IDC_TEST_BLOCK_RANGE, IDC_TEST_ELAPSED, IDC_TEST_COUNT,
          IDC_TEST_CLOCK, IDC_TEST_FINISH, IDC_TEST_PROGRESS, IDC_TEST_BEST, IDC_TEST_AVERAGE, IDC_TEST_WORST,
          IDC_TEST_STOP, IDC_TEST_CLOSE}},
        {IDD_CACHE_OPTIONS, {IDC_CACHE_SIZE, IDC_CACHE_SIZE_SPIN, IDC_CACHE_SIZE_KB, IDC_CACHE_LIMIT, IDOK, IDCANCEL}},
        {IDD_SEEK_OPTIONS,
         {IDC_SEEK_FIRST_BLOCK, IDC_SEEK_LAST_BLOCK, IDC_SEEK_ALTERNATE, IDC_SEEK_RANDOM, IDC_SEEK_COUNT,
          IDC_SEEK_LIMIT, IDOK, IDCANCEL}},
        {IDD_WAIT, {IDC_WAIT_MAIN, IDC_WAIT_DETAIL, IDC_WAIT_NOTE1, IDC_WAIT_NOTE2}},
    };
    return cases;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The conversions of a printf format, one letter each ("%02Xh" gives "X"); "%%" is no conversion.
std::wstring Conversions(const std::wstring& format) {
    std::wstring found;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') continue;
        ++i;
        if (i < format.size() && format[i] == L'%') continue;
        while (i < format.size() && std::wcschr(L"-+ #0123456789.", format[i])) ++i;
        if (i < format.size()) found += format[i];
    }
    return found;
}

using ResourceModuleTest = FrameworkTest;

TEST_F(ResourceModuleTest, EveryTemplateCreatesWithTheControlsTheProgramAddresses) {
    for (const TemplateCase& entry : Templates()) {
        SCOPED_TRACE("template " + std::to_string(entry.id));
        ProbeDialog dialog;
        ASSERT_EQ(dialog.Create(module, entry.id, nullptr), 0);
        for (int id : entry.controls) {
            EXPECT_NE(GetDlgItem(dialog.GetHandle(), id), nullptr) << "control " << id;
        }
        EXPECT_EQ(dialog.Destroy(), 0);
    }
}

TEST_F(ResourceModuleTest, ControlsAreOfTheKindTheirWrappersExpect) {
    struct KindCase {
        int templateId, controlId;
        const wchar_t* className;
    };
    const KindCase cases[] = {
        {IDD_MAIN_FRAME, IDC_DEVICE_TREE, L"SysTreeView32"},
        {IDD_MAIN_FRAME, IDC_DETAIL_LIST, L"SysListView32"},
        {IDD_DEVICE_SELECTION, IDC_DEVICE_LIST, L"SysListView32"},
        {IDD_TRANSFER_TEST, IDC_TEST_PROGRESS, L"msctls_progress32"},
        {IDD_CACHE_TEST, IDC_TEST_PROGRESS, L"msctls_progress32"},
        {IDD_SEEK_TEST, IDC_TEST_PROGRESS, L"msctls_progress32"},
        {IDD_TRANSFER_OPTIONS, IDC_TRANSFER_SIZE_SPIN, L"msctls_updown32"},
        {IDD_TIMER_OPTIONS, IDC_TIMER_TSC_FREQUENCY, L"Edit"},
        {IDD_TIMER_OPTIONS, IDC_TIMER_COUNTER_FREQUENCY, L"Static"},
        {IDD_ABOUT, IDC_HELP_LINK, L"Static"},
        {IDD_WRITE_CONFIRM, IDC_CONFIRM_WORD, L"Edit"},
    };
    for (const KindCase& entry : cases) {
        SCOPED_TRACE("template " + std::to_string(entry.templateId) + " control " + std::to_string(entry.controlId));
        ProbeDialog dialog;
        ASSERT_EQ(dialog.Create(module, entry.templateId, nullptr), 0);
        EXPECT_EQ(ClassOf(GetDlgItem(dialog.GetHandle(), entry.controlId)), entry.className);
    }
}

TEST_F(ResourceModuleTest, EverySpinControlDrivesTheEditBeforeIt) {
    struct SpinCase {
        int templateId, spinId, editId;
    };
    const SpinCase cases[] = {
        {IDD_TRANSFER_OPTIONS, IDC_TRANSFER_SIZE_SPIN, IDC_TRANSFER_SIZE},
        {IDD_TRANSFER_OPTIONS, IDC_RANGE_START_SPIN, IDC_RANGE_START},
        {IDD_TRANSFER_OPTIONS, IDC_RANGE_END_SPIN, IDC_RANGE_END},
        {IDD_TIMER_OPTIONS, IDC_TIMER_INTERVAL_SPIN, IDC_TIMER_INTERVAL},
        {IDD_CACHE_OPTIONS, IDC_CACHE_SIZE_SPIN, IDC_CACHE_SIZE},
    };
    for (const SpinCase& entry : cases) {
        SCOPED_TRACE("spin " + std::to_string(entry.spinId));
        ProbeDialog dialog;
        ASSERT_EQ(dialog.Create(module, entry.templateId, nullptr), 0);
        HWND spin = GetDlgItem(dialog.GetHandle(), entry.spinId);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)),
                  GetDlgItem(dialog.GetHandle(), entry.editId));
    }
}

TEST_F(ResourceModuleTest, RadioGroupsAreGroupsOfTheirOwn) {
    struct GroupCase {
        int templateId, firstId, lastId;
    };
    const GroupCase cases[] = {
        {IDD_TRANSFER_OPTIONS, IDC_RANGE_FULL, IDC_RANGE_CUSTOM},
        {IDD_TIMER_OPTIONS, IDC_TIMER_TICK_COUNT, IDC_TIMER_TIME_STAMP},
        {IDD_SEEK_OPTIONS, IDC_SEEK_ALTERNATE, IDC_SEEK_RANDOM},
    };
    for (const GroupCase& entry : cases) {
        SCOPED_TRACE("first button " + std::to_string(entry.firstId));
        ProbeDialog dialog;
        ASSERT_EQ(dialog.Create(module, entry.templateId, nullptr), 0);
        HWND first = GetDlgItem(dialog.GetHandle(), entry.firstId);
        HWND last = GetDlgItem(dialog.GetHandle(), entry.lastId);
        // Walking the group from the last button comes round to the first, and never leaves it.
        EXPECT_EQ(GetNextDlgGroupItem(dialog.GetHandle(), last, FALSE), first);
        for (int id = entry.firstId; id <= entry.lastId; ++id) {
            EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog.GetHandle(), id), GWL_STYLE) & BS_TYPEMASK,
                      BS_AUTORADIOBUTTON);
        }
    }
}

TEST_F(ResourceModuleTest, MainMenuCarriesTheFiveCommandsWithDeviceSelectionInTheFirstSubmenu) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_MAIN_FRAME, nullptr), 0);
    HMENU menu = GetMenu(dialog.GetHandle());
    ASSERT_NE(menu, nullptr);
    for (UINT command = IDM_ABOUT; command <= IDM_SELECT_DEVICES; ++command) {
        EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
    }
    HMENU first = GetSubMenu(menu, 0);
    ASSERT_NE(first, nullptr);
    const UINT state = GetMenuState(first, IDM_SELECT_DEVICES, MF_BYCOMMAND);
    ASSERT_NE(state, static_cast<UINT>(-1));
    EXPECT_TRUE(state & MF_GRAYED) << "enabled by the main window when its lists exist";
}

TEST_F(ResourceModuleTest, IconLoadsAtEverySizeItCarries) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(IDI_SEKTRA), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_SEKTRA), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    EXPECT_EQ(directory[2], 3) << "16, 32 and 48 pixel images";
}

TEST_F(ResourceModuleTest, ModuleCarriesAVersionAndNoCode) {
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)), nullptr);  // RT_VERSION
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
}

TEST_F(ResourceModuleTest, EveryStringOfTheProgramIsThereInJapanese) {
    std::vector<UINT> ids;
    for (UINT id = 1; id <= 25; ++id) ids.push_back(id);
    for (UINT id = 28; id <= 85; ++id) ids.push_back(id);
    ids.push_back(92);
    for (UINT id = 105; id <= 115; ++id) ids.push_back(id);
    for (UINT id : ids) EXPECT_STRNE(application->LoadString(id), L"") << "string " << id;

    // UTF-8 sources must come out as the right UTF-16 text.
    EXPECT_EQ(std::wstring(application->LoadString(IDS_TREE_DISKS)), L"ディスク ドライブ");
    EXPECT_EQ(std::wstring(application->LoadString(IDS_CONFIRM_WORD)), L"WRITE");
    EXPECT_STREQ(application->LoadString(26), L"") << "a missing string reads empty";
}

TEST_F(ResourceModuleTest, ConfirmationDialogAsksForTheConfirmationWord) {
    // The dialog tells the user which word to type; it must be the one the program compares.
    const std::wstring word = application->LoadString(IDS_CONFIRM_WORD);
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_WRITE_CONFIRM, nullptr), 0);
    bool mentioned = false;
    for (HWND child = GetWindow(dialog.GetHandle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (std::wstring(text).find(L" " + word + L" ") != std::wstring::npos) mentioned = true;
    }
    EXPECT_TRUE(mentioned);
}

TEST_F(ResourceModuleTest, FormatStringsTakeExactlyTheirArguments) {
    struct FormatCase {
        UINT id;
        const wchar_t* conversions;  // the conversion letters the program's arguments fit
    };
    const FormatCase oneInteger[] = {
        {IDS_TREE_VPD_PAGE, L"X"}, {IDS_TREE_LOG_PAGE, L"X"},  {IDS_TREE_MODE_PAGE, L"X"}, {IDS_TREE_SIZE_KB, L"d"},
        {IDS_DEFECT_ENTRY, L"d"},  {IDS_LIMIT_BLOCKS, L"u"}, {IDS_LIMIT_KB, L"u"},
    };
    for (const FormatCase& entry : oneInteger) {
        SCOPED_TRACE("string " + std::to_string(entry.id));
        const std::wstring format = application->LoadString(entry.id);
        EXPECT_EQ(Conversions(format), entry.conversions);
        // As the program formats it, and as the C library does: the same text, with the number.
        wchar_t viaUser32[512] = {}, viaCrt[512] = {};
        wsprintfW(viaUser32, format.c_str(), 0x83);
        std::swprintf(viaCrt, 512, format.c_str(), 0x83);
        EXPECT_STREQ(viaUser32, viaCrt);
        const std::wstring shown = viaCrt;
        EXPECT_TRUE(shown.find(L"83") != std::wstring::npos || shown.find(L"131") != std::wstring::npos) << shown;
    }

    const std::wstring elapsed = application->LoadString(IDS_ELAPSED_FORMAT);
    EXPECT_EQ(Conversions(elapsed), L"ddd");
    wchar_t text[512] = {};
    wsprintfW(text, elapsed.c_str(), 1, 65, 7);
    const std::wstring shown = text;
    const std::size_t hours = shown.find(L"1"), minutes = shown.find(L"65"), seconds = shown.rfind(L"7");
    ASSERT_NE(minutes, std::wstring::npos) << shown;
    EXPECT_LT(hours, minutes);
    EXPECT_LT(minutes, seconds);

    const std::wstring clock = application->LoadString(IDS_TIME_FORMAT);
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 10;
    when.tm_hour = 1;
    when.tm_min = 23;
    when.tm_sec = 45;
    wchar_t formatted[256] = {};
    ASSERT_GT(std::wcsftime(formatted, 256, clock.c_str(), &when), 0u);
    EXPECT_STREQ(formatted, L"2026/12/10 01:23:45");
}

}  // namespace
}  // namespace sektra::test
