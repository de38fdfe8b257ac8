#include <gtest/gtest.h>

#include "setup/AgreementText.h"
#include "setup/CleanupBatch.h"

namespace sektra {
namespace {

TEST(CleanupBatch, DeletesTheExecutableThenItsFolderThenItself) {
    const std::vector<std::wstring> expected = {
        L"@echo off",
        L"set SektraTries=0",
        L":LABEL1",
        L"del \"C:\\Program Files\\Sektra Meter\\Setup.exe\"",
        L"IF NOT EXIST \"C:\\Program Files\\Sektra Meter\\Setup.exe\" goto LABEL2",
        L"set /a SektraTries+=1",
        L"IF %SektraTries% GEQ 120 goto LABEL2",
        L"ping -n 2 127.0.0.1 > nul",
        L"goto LABEL1",
        L":LABEL2",
        L"RMDIR \"C:\\Program Files\\Sektra Meter\"",
        L"del \"C:\\TEMP\\DelSK.bat\"",
    };
    EXPECT_EQ(CleanupBatchLines(L"C:\\Program Files\\Sektra Meter\\Setup.exe", L"C:\\TEMP\\DelSK.bat"), expected);
}

TEST(CleanupBatch, PercentSignsInPathsAreDoubled) {
    EXPECT_EQ(BatchQuoted(L"C:\\100%\\%TEMP%\\Setup.exe"), L"\"C:\\100%%\\%%TEMP%%\\Setup.exe\"");
    const auto lines = CleanupBatchLines(L"D:\\50%\\Setup.exe", L"C:\\T\\DelSK.bat");
    EXPECT_EQ(lines[3], L"del \"D:\\50%%\\Setup.exe\"");
    EXPECT_EQ(lines[10], L"RMDIR \"D:\\50%%\"");
}

TEST(AgreementText, FitsTheEditControlWithWindowsLineEnds) {
    const std::wstring text = AgreementText();
    EXPECT_LE(text.size(), 8191u);
    EXPECT_GT(text.size(), 200u);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], L'\r') << i;
        }
    }
    EXPECT_NE(text.find(L"使用許諾契約"), std::wstring::npos);
}

}  // namespace
}  // namespace sektra
