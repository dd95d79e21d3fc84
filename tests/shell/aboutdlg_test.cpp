// The About dialog (template 104) run modally from the real resources: the
// description, the Windows version, the link (font, colour, hand cursor,
// opening the site) and the font freed when the dialog ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/seams.h"
#include "shell/aboutdlg.h"
#include "shell/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

struct OpenCall {
    HWND owner;
    std::string verb, file;
    int show;
};
std::vector<OpenCall> g_opened;

HINSTANCE RecordOpen(HWND owner, const char *verb, const char *file, const char *, const char *, int show) {
    g_opened.push_back({owner, verb ? verb : "", file ? file : "", show});
    return (HINSTANCE)42;
}

class AboutDialogTest : public ::testing::Test {
protected:
    AboutDialogTest() {
        g_opened.clear();
        old_ = SetShellOpener(RecordOpen);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~AboutDialogTest() override {
        SetShellOpener(old_);
        DestroyWindow(owner_);
    }
    INT_PTR Run(std::function<void(HWND)> script) {
        return RunDialog([this] { return ShowAboutDialog(owner_); }, std::move(script));
    }
    ShellOpener old_;
    HWND owner_;
};

// What the platform says, formatted here on its own.
std::string ExpectedVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    char text[200];
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 0)
        snprintf(text, sizeof text, "Windows 4.0 Build %lu %s", info.dwBuildNumber & 0xFFFF, info.szCSDVersion);
    else
        snprintf(text, sizeof text, "Windows %lu.%lu", info.dwMajorVersion, info.dwMinorVersion);
    return text;
}

TEST_F(AboutDialogTest, ShowsTheDescriptionTheWindowsVersionAndTheLink) {
    HGDIOBJ font = nullptr;
    INT_PTR result = Run([&](HWND d) {
        char caption[64];
        GetWindowTextA(d, caption, sizeof caption);
        EXPECT_STREQ(caption, "Glyphery");
        EXPECT_EQ(GetWindow(d, GW_OWNER), owner_);
        std::string description = ItemText(d, IDC_ABOUT_TEXT);
        EXPECT_NE(description.find("Glyphery, release 1.0"), std::string::npos) << description;
        EXPECT_EQ(ItemText(d, IDC_ABOUT_VERSION), ExpectedVersion());
        EXPECT_EQ(ItemText(d, IDC_ABOUT_LINK), kSiteAddress);
        EXPECT_NE(ItemText(d, IDC_ABOUT_CONTACT_TEXT).find("support@glyphery.example"), std::string::npos);
        EXPECT_NE(SendDlgItemMessageA(d, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);

        // Bold Arial in its own colour.
        HWND link = GetDlgItem(d, IDC_ABOUT_LINK);
        font = (HGDIOBJ)SendMessageA(link, WM_GETFONT, 0, 0);
        LOGFONTA lf = {};
        ASSERT_TRUE(font && GetObjectA(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, "Arial");
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        HDC dc = GetDC(link);
        SetTextColor(dc, RGB(1, 2, 3));
        EXPECT_NE(SendMessageA(d, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)link), 0);
        EXPECT_EQ(GetTextColor(dc), kLinkColour);
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageA(d, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)GetDlgItem(d, IDC_ABOUT_VERSION));
        EXPECT_NE(GetTextColor(dc), kLinkColour) << "only the link has its own colour";
        ReleaseDC(link, dc);

        // The hand over the link, not elsewhere.
        HCURSOR hand = LoadCursorA(nullptr, (LPCSTR)IDC_HAND);
        SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
        EXPECT_TRUE(SendMessageA(d, WM_SETCURSOR, (WPARAM)link, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), hand);
        SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
        SendMessageA(d, WM_SETCURSOR, (WPARAM)GetDlgItem(d, IDC_ABOUT_TEXT), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(GetCursor(), hand);

        for (const std::string &problem : LayoutProblems(d)) ADD_FAILURE() << problem;
        EXPECT_TRUE(SaveShot(d, "about_en"));

        // A click on the link opens the site with the shell's "open" verb.
        EXPECT_TRUE(g_opened.empty());
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ASSERT_EQ(g_opened.size(), 1u);
        EXPECT_EQ(g_opened[0].verb, "open");
        EXPECT_EQ(g_opened[0].file, "http://www.glyphery.example/");
        EXPECT_EQ(g_opened[0].owner, d);
        EXPECT_EQ(g_opened[0].show, SW_SHOWNORMAL);
        Click(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(GetObjectType(font), 0u) << "the link's font is freed with the dialog";
}

TEST_F(AboutDialogTest, EscapeClosesItAndTheFrenchTemplateSpeaksFrench) {
    UiLanguageScope french(kFrench);
    INT_PTR result = Run([&](HWND d) {
        EXPECT_NE(ItemText(d, IDC_ABOUT_TEXT).find("Transforme les images"), std::string::npos);
        EXPECT_EQ(ItemText(d, IDC_ABOUT_VERSION), ExpectedVersion());
        EXPECT_EQ(ItemText(d, IDC_ABOUT_LINK), kSiteAddress);
        for (const std::string &problem : LayoutProblems(d)) ADD_FAILURE() << problem;
        EXPECT_TRUE(SaveShot(d, "about_fr"));
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The program icon resource, as the system's loader picks its images.
TEST(ProgramIcon, HoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    for (int size : {16, 32, 48}) {
        HICON icon = (HICON)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_GLYPHERY), IMAGE_ICON, size,
                                       size, 0);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

}  // namespace
