// The DLLs as a user's program sees them: exports at their ordinals, and a
// whole icon written through Glyphery.dll and through GYgraph.dll.
#include <gtest/gtest.h>

#include "common/types.h"
#include "iconlib/icofile.h"
#include "tests/common/testutil_win.h"

namespace {

typedef int(WINAPI *SaveIconFn)(HWND, int, COLORREF, const char *, const char *, int, const FormatEntry *);
typedef int(WINAPI *WriteIconFn)(IconSet *, const char *);

const std::vector<FormatEntry> kXpSet = {{16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8},
                                         {32, 24}, {48, 4}, {48, 8}, {48, 24}};

// A white disc on a photo-like gradient background, at w x h.
COLORREF Photo(int x, int y, int w, int h) {
    int dx = x - w / 2, dy = y - h / 2;
    if (dx * dx + dy * dy < (w / 4) * (w / 4)) return RGB(255, 255, 255);
    return RGB(40 + 150 * x / w, 60 + 120 * y / h, 160 - 100 * x / w);
}

void RenderAll(const ScratchDir &temp, const std::string &base, const std::vector<FormatEntry> &formats) {
    for (const FormatEntry &f : formats) {
        std::string name = temp.File(base + "_" + std::to_string(f.size) + "_" + std::to_string(f.bits) + ".bmp");
        ASSERT_TRUE(WriteBmp24(name, 120, 90, [](int x, int y) { return Photo(x, y, 120, 90); }));
    }
}

TEST(Exports, GlypheryDllHasItsFunctionsAtOrdinalsOneAndTwo) {
    HMODULE dll = LoadLibraryA("Glyphery.dll");
    ASSERT_NE(dll, nullptr);
    FARPROC byOrdinal1 = GetProcAddress(dll, MAKEINTRESOURCEA(1));
    FARPROC byOrdinal2 = GetProcAddress(dll, MAKEINTRESOURCEA(2));
    ASSERT_NE(byOrdinal1, nullptr);
    ASSERT_NE(byOrdinal2, nullptr);
    EXPECT_EQ(byOrdinal1, GetProcAddress(dll, "saveICON"));
    EXPECT_EQ(byOrdinal2, GetProcAddress(dll, "WriteIconToICOFile"));
    EXPECT_EQ(GetProcAddress(dll, "_saveICON@28"), nullptr);  // names are undecorated

    // WriteIconToICOFile by ordinal: an empty set, and an unwritable path.
    WriteIconFn write = reinterpret_cast<WriteIconFn>(byOrdinal2);
    ScratchDir out("exports-write");
    IconSet empty = {};
    EXPECT_EQ(write(&empty, out.File("empty.CUR").c_str()), 0);
    EXPECT_EQ(ReadFileBytes(out.File("empty.CUR")), (std::vector<uint8_t>{0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(write(&empty, out.File("no-such-folder\\x.ico").c_str()), 0);
    EXPECT_FALSE(FileExists(out.File("no-such-folder\\x.ico")));
    FreeLibrary(dll);
}

// A bitmap the DLL cannot load is reported by the DLL's own message box (the
// error number, empty caption), and the file is still written without it.
TEST(Exports, MissingBitmapThroughTheDll) {
    ScratchDir temp("exports-missing");
    TempFolderScope scope(temp.path() + "\\");
    HMODULE dll = LoadLibraryA("Glyphery.dll");
    ASSERT_NE(dll, nullptr);
    SaveIconFn save = reinterpret_cast<SaveIconFn>(GetProcAddress(dll, MAKEINTRESOURCEA(1)));
    std::vector<FormatEntry> formats = {{16, 4}, {32, 24}};
    RenderAll(temp, "gap", {{32, 24}});
    std::string out = temp.File("gap.ico");
    DialogWatcher watcher;
    EXPECT_EQ(save(nullptr, 0, 0, nullptr, out.c_str(), 2, formats.data()), 1);
    std::vector<std::string> shown = watcher.texts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "2");  // ERROR_FILE_NOT_FOUND
    std::vector<uint8_t> bytes = ReadFileBytes(out);
    IconFileDirectory dir;
    std::string error;
    ASSERT_TRUE(ParseIconDirectory(bytes.data(), bytes.size(), &dir, &error)) << error;
    ASSERT_EQ(dir.entries.size(), 1u);
    EXPECT_EQ(dir.entries[0].width, 32);
    FreeLibrary(dll);
}

// The XP set plus 96 x 96 at 32 bits through each DLL's saveICON; the files
// stay in test-output for the readback step.
TEST(Exports, BothLibrariesWriteTheXpSet) {
    std::vector<FormatEntry> formats = kXpSet;
    formats.push_back({96, 32});
    for (const char *library : {"Glyphery.dll", "GYgraph.dll"}) {
        SCOPED_TRACE(library);
        ScratchDir temp("exports-temp");
        TempFolderScope scope(temp.path() + "\\");
        HMODULE dll = LoadLibraryA(library);
        ASSERT_NE(dll, nullptr);
        SaveIconFn save = reinterpret_cast<SaveIconFn>(GetProcAddress(dll, "saveICON"));
        ASSERT_NE(save, nullptr);
        std::string base = std::string("xp_") + (library[0] == 'G' && library[1] == 'Y' ? "gygraph" : "glyphery");
        RenderAll(temp, base, formats);
        std::string out = TestOutputDir("iconlib") + "\\" + base + ".ico";
        DialogWatcher watcher;
        EXPECT_EQ(save(nullptr, 1, 0, nullptr, out.c_str(), (int)formats.size(), formats.data()), 1);
        EXPECT_TRUE(watcher.texts().empty());
        std::vector<uint8_t> bytes = ReadFileBytes(out);
        IconFileDirectory dir;
        std::string error;
        ASSERT_TRUE(ParseIconDirectory(bytes.data(), bytes.size(), &dir, &error)) << error;
        ASSERT_EQ(dir.entries.size(), formats.size());
        for (size_t i = 0; i < formats.size(); ++i) {
            EXPECT_EQ(dir.entries[i].width, (uint8_t)formats[i].size);
            EXPECT_EQ(dir.entries[i].bitCount, formats[i].bits);
        }
        FreeLibrary(dll);
    }
    // The same code in both libraries: byte-identical files.
    std::string dir = TestOutputDir("iconlib");
    EXPECT_EQ(ReadFileBytes(dir + "\\xp_glyphery.ico"), ReadFileBytes(dir + "\\xp_gygraph.ico"));
}

}  // namespace
