// A program that carries the shared application manifest asks for administrator rights and
// gets the version 6 common controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ManifestTest, AsksForAdministratorRightsAndTheVersion6CommonControls) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(text, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

    // The dependency resolved: the process's activation context redirects comctl32.dll to
    // the version 6 assembly.
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data))
        << GetLastError();
}

}  // namespace
