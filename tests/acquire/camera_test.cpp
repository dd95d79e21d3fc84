// GYphotograbber.dll as the main window takes it, over the platform's COM:
// without a camera (the platform's own service) and with the test device
// manager registered as the service's device manager.
#include <gtest/gtest.h>

#include <string>

#include "contracts/gyphotograbber.h"
#include "tests/acquire/testwia/testwia.h"
#include "tests/acquire/twain_fixture.h"
#include "tests/common/testutil_win.h"

namespace {

struct Library {
    HMODULE module = LoadLibraryA(SiblingProgram("GYphotograbber.dll").c_str());
    ~Library() { FreeLibrary(module); }
    IsWiaProc isWia = (IsWiaProc)GetProcAddress(module, "is_WIA");
    GrabOnePhotoProc grab = (GrabOnePhotoProc)GetProcAddress(module, "grab_one_photo");
};

TEST(Camera, WithoutACameraTheInterfaceIsUnavailable) {
    Library lib;
    ASSERT_TRUE(lib.isWia && lib.grab);
    EXPECT_EQ(0, lib.isWia());
    ScratchDir folder("camera_none");
    char path[MAX_PATH];
    memset(path, 'x', sizeof path);
    EXPECT_EQ(0, lib.grab(nullptr, folder.path().c_str(), path));
    EXPECT_EQ('\0', path[0]);
}

TEST(Camera, ThePhotoLandsInTheFolder) {
    RegisteredTestDeviceManager manager;
    ASSERT_TRUE(manager.ok());
    Library lib;
    EXPECT_EQ(1, lib.isWia());
    ScratchDir folder("camera_grab");
    char path[MAX_PATH] = "";
    ASSERT_EQ(1, lib.grab(nullptr, folder.path().c_str(), path));
    std::string got = path;
    EXPECT_EQ(folder.path() + "\\", got.substr(0, folder.path().size() + 1));
    EXPECT_EQ(".bmp", got.substr(got.size() - 4));
    HBITMAP photo = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, photo);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, photo);
    for (int y : {2, 30})
        for (int x : {3, 35}) EXPECT_EQ(TestPhotoPixel(x, y), GetPixel(dc, x, y)) << x << "," << y;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(photo);
}

// A cancelled dialog, or a folder that leaves no room for the photo's name,
// stores nothing and leaves the path empty.
TEST(Camera, NothingStoredLeavesThePathEmpty) {
    RegisteredTestDeviceManager manager;
    ASSERT_TRUE(manager.ok());
    Library lib;
    ScratchDir folder("camera_cancel");
    std::string tooLong = folder.path() + "\\" + std::string(240, 'd');
    struct Case {
        const char *cancel;
        std::string folder;
    } cases[] = {{"1", folder.path()}, {nullptr, tooLong}, {nullptr, ""}};
    for (const Case &c : cases) {
        EnvScope cancel("GY_TEST_WIA_CANCEL", c.cancel);
        char path[MAX_PATH];
        memset(path, 'x', sizeof path);
        EXPECT_EQ(0, lib.grab(nullptr, c.folder.c_str(), path));
        EXPECT_EQ('\0', path[0]);
    }
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder.path() + "\\*.bmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

}  // namespace
