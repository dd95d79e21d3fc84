// The seams: message boxes, registry isolation, temporary and install folders.
#include "common/seams.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/help_win.h"
#include "tests/common/testutil_win.h"

TEST(Seams, MessageBoxesGoThroughTheHandler) {
    MessageRecorder recorder(IDNO);
    EXPECT_EQ(ShowMessage((HWND)0x1234, "Really?", "Glyphery", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].owner, (HWND)0x1234);
    EXPECT_EQ(recorder.calls()[0].text, "Really?");
    EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
    EXPECT_EQ(recorder.calls()[0].flags, (UINT)(MB_YESNO | MB_ICONQUESTION));
}

static std::string ReadString(HKEY root, const char *key, const char *value) {
    char buf[64] = {0};
    DWORD size = sizeof buf, type = 0;
    HKEY raw;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &raw) != ERROR_SUCCESS) return "<absent>";
    UniqueRegKey k(raw);
    if (RegQueryValueExA(k.get(), value, nullptr, &type, (BYTE *)buf, &size) != ERROR_SUCCESS) return "<absent>";
    return buf;
}

static void WriteString(HKEY root, const char *key, const char *value, const char *data) {
    HKEY raw;
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr), ERROR_SUCCESS);
    UniqueRegKey k(raw);
    RegSetValueExA(k.get(), value, 0, REG_SZ, (const BYTE *)data, (DWORD)strlen(data) + 1);
}

TEST(Seams, RegistryIsolationKeepsTheRealKeysUntouched) {
    const char *scratch = "Software\\GlypheryTests\\seams";
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\GlypheryTests");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\GlypheryProbe");
    ASSERT_TRUE(IsolateRegistry(scratch));
    WriteString(HKEY_CURRENT_USER, "Software\\GlypheryProbe", "v", "isolated");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\GlypheryProbe", "v", "machine");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\GlypheryProbe", "v"), "isolated");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\GlypheryProbe", "v"), "machine");
    RestoreRegistry(scratch);
    // Nothing reached the real roots, and the scratch tree is gone.
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\GlypheryProbe", "v"), "<absent>");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\GlypheryProbe", "v"), "<absent>");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, scratch, "v"), "<absent>");
}

TEST(Seams, FoldersCanBeOverridden) {
    std::string temp = TempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    SetTempFolderOverride("C:\\scratch");
    EXPECT_EQ(TempFolder(), "C:\\scratch\\");
    SetTempFolderOverride(nullptr);
    EXPECT_EQ(TempFolder(), temp);

    std::string install = InstallFolder();
    EXPECT_NE(install.find("bin"), std::string::npos) << install;
    SetInstallFolderOverride("C:\\Program Files\\Glyphery");
    EXPECT_EQ(InstallFolder(), "C:\\Program Files\\Glyphery");
    SetInstallFolderOverride(nullptr);
    EXPECT_EQ(InstallFolder(), install);
}

static std::vector<std::string> g_helpSeen;
static BOOL WINAPI RecordHelpRequest(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    g_helpSeen.push_back(std::string(file) + "|" + std::to_string(command) + "|" + std::to_string(data));
    return TRUE;
}

// A context opens "h<context>.htm" of the .chm, through the seam as a context
// request; the real opener refuses a missing file without showing anything.
TEST(Seams, HelpTopicsGoThroughTheSeamAsContextRequests) {
    EXPECT_EQ(HelpTopicAddress("C:\\Suite\\Glypherye.chm", 400), "C:\\Suite\\Glypherye.chm::/h400.htm");
    EXPECT_EQ(HelpTopicAddress("D:\\x.chm", 4294967295u), "D:\\x.chm::/h4294967295.htm");
    g_helpSeen.clear();
    HelpOpener old = SetHelpOpener(RecordHelpRequest);
    EXPECT_TRUE(ShowHelpTopic(nullptr, "C:\\Suite\\Glypherye.chm", 221));
    SetHelpOpener(old);
    ASSERT_EQ(g_helpSeen.size(), 1u);
    EXPECT_EQ(g_helpSeen[0], "C:\\Suite\\Glypherye.chm|" + std::to_string(HELP_CONTEXT) + "|221");

    char missing[MAX_PATH];
    snprintf(missing, sizeof missing, "%sgy-no-such-help-%lu.chm", TempFolder().c_str(), GetCurrentProcessId());
    EXPECT_FALSE(OpenHtmlHelp(nullptr, missing, HELP_CONTEXT, 400));
    EXPECT_FALSE(OpenHtmlHelp(nullptr, "", HELP_CONTEXT, 400));
}
