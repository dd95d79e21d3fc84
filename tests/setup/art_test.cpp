// setup.exe's resources as the system reads them: the manifest asking for
// elevation, the picture, the icon, and the animation played by the common
// controls' animate control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/handles.h"
#include "setup/resource.h"
#include "tests/common/testutil_win.h"

TEST(SetupArt, ManifestPictureIconAndAnimationLoadThroughTheSystem) {
    UniqueModule setup(LoadLibraryExA(SiblingProgram("setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(setup);
    UniqueBitmap picture((HBITMAP)LoadImageA(setup.get(), MAKEINTRESOURCEA(IDB_WIZARD), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_TRUE(picture);
    BITMAP bm = {};
    GetObjectA(picture.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 140);
    EXPECT_EQ(bm.bmHeight, 260);
    // Windows starts both programs elevated: they write Program Files and HKEY_LOCAL_MACHINE.
    HRSRC manifest = FindResourceA(setup.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    std::string text((const char *)LockResource(LoadResource(setup.get(), manifest)),
                     SizeofResource(setup.get(), manifest));
    EXPECT_NE(text.find("level=\"requireAdministrator\""), std::string::npos) << text;
    UniqueIcon icon((HICON)LoadImageA(setup.get(), MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 32, 32, 0));
    EXPECT_TRUE(icon);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(animation, nullptr);
    // Opened without ACS_CENTER, the control takes the size of the clip's frames.
    EXPECT_TRUE(SendMessageA(animation, ACM_OPENA, (WPARAM)setup.get(), (LPARAM)MAKEINTRESOURCEA(IDR_COPY_ANIMATION)));
    RECT r = {};
    GetClientRect(animation, &r);
    EXPECT_EQ(r.right, 160);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_TRUE(SendMessageA(animation, ACM_PLAY, 1, MAKELONG(0, 11)));
    EXPECT_FALSE(SendMessageA(animation, ACM_OPENA, (WPARAM)setup.get(), (LPARAM)MAKEINTRESOURCEA(IDB_WIZARD)));
    DestroyWindow(animation);
}
