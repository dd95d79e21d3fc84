// The editor's effects on the real frame: every command's option list at the
// library's mogrify call, a few results checked pixel by pixel on the
// canvas, the preview dialogs (shown, cancelled, accepted), the refusals,
// Paste and a plug-in of the test set run from the Plugins menu.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "display/effects_resource.h"
#include "display/effects_win.h"
#include "display/plugins_win.h"
#include "editor/effects_resource.h"
#include "editor/effects_win.h"
#include "editor/tools_win.h"
#include "tests/common/testutil_win.h"
#include "tests/editor/editor_frame.h"
#include "tests/iconres/fixtures.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kScratchKey[] = "Software\\GlypheryTests\\editor_effects";
const COLORREF kGreen = RGB(0, 255, 0), kRed = RGB(255, 0, 0);
const char kFormTitle[] = "GlypheryEffect", kEffectTitle[] = " GlypheryEffect";

// Every list handed to the library, then handed on to it.
std::vector<std::vector<std::string>> g_lists;
int RecordList(ImageInfo *info, int argc, const char **argv, Image **images, ExceptionInfo *e) {
    g_lists.push_back(std::vector<std::string>(argv, argv + argc));
    return MogrifyImages(info, MagickFalse, argc, argv, images, e) != MagickFalse;
}

COLORREF Canvas(int x, int y) { return GetPixel(CanvasDC(), x, y) & 0xFFFFFF; }
size_t HistoryIndex() { return TheIcon().images[CurrentImageIndex()].history.index(); }

// A green 32 x 32 icon with one red pixel at (0, 0): what every effect here
// starts from.
class Editor : public EditorFrame {
public:
    explicit Editor(const std::string &iconPath) : EditorFrame(iconPath) {
        SetButtonColor(false, kRed);
        Command(CMD_PEN);
        Drag(false, {{0, 0}});
    }
};

class EditorEffectsTest : public ::testing::Test {
protected:
    EditorEffectsTest() : dir_("editor_effects") {}
    void SetUp() override {
        RestoreRegistry(kScratchKey);
        ASSERT_TRUE(IsolateRegistry(kScratchKey));
        ASSERT_TRUE(WriteBytes(dir_.File("green.ico"), MakeIconFile({{32, 32, 0x00FF00}})));
        g_lists.clear();
        SetMogrifyHandler(RecordList);
    }
    void TearDown() override {
        SetMogrifyHandler(nullptr);
        RestoreRegistry(kScratchKey);
    }
    std::string Icon() { return dir_.File("green.ico"); }
    ScratchDir dir_;
};

void SetText(HWND d, int id, const char *text) { SetDlgItemTextA(d, id, text); }

// One command: what its dialog (if any) is given, and the list the library
// receives after the program name.
struct Case {
    int command;
    const char *title;  // null: no dialog
    std::function<void(HWND)> fill;
    std::vector<std::string> options;
};

TEST_F(EditorEffectsTest, EveryCommandHandsItsListToTheLibraryAndPushesOnePicture) {
    const std::vector<Case> cases = {
        {CMD_FLIP, nullptr, nullptr, {"-flip"}},
        {CMD_FLOP, nullptr, nullptr, {"-flop"}},
        {CMD_ANDY, nullptr, nullptr, {"-colorize", "147/10/124"}},
        {CMD_BAS_RELIEF, nullptr, nullptr, {"-colorspace", "gray", "-emboss", "5"}},
        {CMD_INVERT, nullptr, nullptr, {"-negate"}},
        {CMD_FROSTED_GLASS, nullptr, nullptr, {"-spread", "15"}},
        {CMD_NO_BLUE, nullptr, nullptr, {}},
        {CMD_NO_GREEN, nullptr, nullptr, {}},
        {CMD_NO_RED, nullptr, nullptr, {}},
        {CMD_BORDER, kFormTitle, [](HWND d) { SetText(d, IDC_FX_VALUE, "2"); },
         {"-bordercolor", "#FFFFFF", "-border", "2"}},
        {CMD_COLORIZE, kFormTitle,
         [](HWND d) {
             SetText(d, IDC_FX_RED, "10");
             SetText(d, IDC_FX_GREEN, "200");  // outside 0 to 100: 0
             SetText(d, IDC_FX_BLUE, "30");
         },
         {"-colorize", "10/0/30"}},
        {CMD_FRAME, kEffectTitle,
         [](HWND d) {
             SetText(d, IDC_FX_WIDTH, "8");
             SetText(d, IDC_FX_HEIGHT, "8");
             SetText(d, IDC_FX_OUTER, "2");
             SetText(d, IDC_FX_INNER, "3");
         },
         {"-frame", "8x8+2+3"}},
        {CMD_ROLL, kFormTitle,
         [](HWND d) {
             SetText(d, IDC_FX_VALUE, "10");
             Click(d, IDC_FX_SECOND);  // horizontally "To bottom"
             SetText(d, IDC_FX_VERTICAL, "5");
         },
         {"-roll", "-10+5"}},
        {CMD_MODULATE, kFormTitle,
         [](HWND d) {
             EXPECT_TRUE(SaveShot(d, "editor_modulate"));
             SetText(d, IDC_FX_BRIGHTNESS, "100");
             SetText(d, IDC_FX_SATURATION, "50");
             SetText(d, IDC_FX_HUE, "100");
         },
         {"-modulate", "100,50,100"}},
    };
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    for (const Case &c : cases) {
        g_lists.clear();
        size_t before = HistoryIndex();
        if (c.title)
            RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, c.command, 0); },
                      [&](HWND d) {
                          c.fill(d);
                          Click(d, IDOK);
                      },
                      c.title);
        else
            editor.Command(c.command);
        std::vector<std::string> expected = {"GlypheryEdit"};
        expected.insert(expected.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(g_lists.size(), 1u) << c.command;
        EXPECT_EQ(g_lists[0], expected) << c.command;
        EXPECT_EQ(HistoryIndex(), before + 1) << c.command;
    }
    // The colour spaces convert without a list; each is one picture too.
    for (int command : {CMD_GRAY, CMD_OHTA, CMD_SRGB, CMD_YCC, CMD_YIQ, CMD_YUV}) {
        g_lists.clear();
        size_t before = HistoryIndex();
        editor.Command(command);
        EXPECT_TRUE(g_lists.empty()) << command;
        EXPECT_EQ(HistoryIndex(), before + 1) << command;
    }
}

TEST_F(EditorEffectsTest, SelectionOnlyPrefixesTheRegionAndInvertsJustThere) {
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    editor.Command(CMD_SELECT);
    editor.Drag(false, {{2, 3}, {9, 5}});
    editor.Command(CMD_SELECTION_ONLY);
    SendMessageA(editor.frame(), WM_INITMENU, (WPARAM)GetMenu(editor.frame()), 0);
    EXPECT_TRUE(GetMenuState(GetMenu(editor.frame()), CMD_SELECTION_ONLY, MF_BYCOMMAND) & MF_CHECKED);
    editor.Command(CMD_INVERT);
    ASSERT_EQ(g_lists.size(), 1u);
    EXPECT_EQ(g_lists[0], (std::vector<std::string>{"GlypheryEdit", "-region", "8x3+2+3", "-negate"}));
    EXPECT_EQ(Canvas(2, 3), RGB(255, 0, 255));
    EXPECT_EQ(Canvas(9, 5), RGB(255, 0, 255));
    EXPECT_EQ(Canvas(1, 3), kGreen);
    EXPECT_EQ(Canvas(10, 5), kGreen);
    EXPECT_EQ(Canvas(2, 6), kGreen);
    editor.Command(CMD_SELECTION_ONLY);  // off again: the whole picture
    g_lists.clear();
    editor.Command(CMD_FLOP);
    ASSERT_EQ(g_lists.size(), 1u);
    EXPECT_EQ(g_lists[0], (std::vector<std::string>{"GlypheryEdit", "-flop"}));
}

TEST_F(EditorEffectsTest, ResultsOnThePixelsAndUndo) {
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(Canvas(0, 0), kRed);
    editor.Command(CMD_FLIP);
    EXPECT_EQ(Canvas(0, 31), kRed);
    EXPECT_EQ(Canvas(0, 0), kGreen);
    editor.Command(CMD_UNDO);
    EXPECT_EQ(Canvas(0, 0), kRed);
    EXPECT_EQ(Canvas(0, 31), kGreen);

    // Counting shows the number and keeps the picture.
    size_t before = HistoryIndex();
    {
        MessageRecorder messages;
        editor.Command(CMD_COUNT_COLORS);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls()[0].text, "This image has 2 unique colors");
        EXPECT_EQ(messages.calls()[0].caption, "GlypheryEdit");
        EXPECT_EQ(messages.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    }
    EXPECT_EQ(HistoryIndex(), before);

    // GRAY shows the grey levels as they are.
    editor.Command(CMD_GRAY);
    COLORREF grey = Canvas(5, 5);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey)) << std::hex << grey;
    EXPECT_GT(GetGValue(grey), 60);
    editor.Command(CMD_UNDO);

    // Flash lays the library's green (0, 128, 0) to blue gradient on the
    // picture with the difference: the top row keeps half its green, the
    // bottom row gains the blue.
    editor.Command(CMD_FLASH);
    EXPECT_EQ(HistoryIndex(), before + 1);
    COLORREF top = Canvas(16, 0), bottom = Canvas(16, 31);
    EXPECT_NEAR(GetGValue(top), 127, 10) << std::hex << top;
    EXPECT_LT(GetBValue(top), 20) << std::hex << top;
    EXPECT_GT(GetBValue(bottom), 200) << std::hex << bottom;
    EXPECT_GT(GetGValue(bottom), 200) << std::hex << bottom;
    editor.Command(CMD_PLASMA);
    EXPECT_EQ(HistoryIndex(), before + 2);
}

// Moves a slider as a hand does: positions while dragging, then the release.
void Slide(HWND d, int slider, int position) {
    HWND s = GetDlgItem(d, slider);
    SendMessageA(s, TBM_SETPOS, TRUE, position);
    SendMessageA(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), (LPARAM)s);
    SendMessageA(d, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)s);
}

TEST_F(EditorEffectsTest, SliderPreviewShowsTheEffectCancelRestoresOkPushes) {
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    size_t before = HistoryIndex();
    std::string label;
    COLORREF previewed = 0;
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_BLUR, 0); },
              [&](HWND d) {
                  Slide(d, IDC_SLIDER1, 300);
                  label = ItemText(d, IDC_SLIDE_VALUE1);
                  previewed = Canvas(1, 1);
                  Click(d, IDCANCEL);
              },
              kEffectTitle);
    EXPECT_EQ(label, "3.00");
    EXPECT_NE(previewed, kGreen);  // the red pixel spread into its neighbours
    EXPECT_EQ(Canvas(1, 1), kGreen);
    EXPECT_EQ(Canvas(0, 0), kRed);
    EXPECT_EQ(HistoryIndex(), before);

    // A screenshot of the dialog over the frame with its preview.
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_WAVE, 0); },
              [&](HWND d) {
                  EXPECT_EQ(SendDlgItemMessageA(d, IDC_SLIDER1, TBM_GETRANGEMAX, 0, 0), 30);
                  Slide(d, IDC_SLIDER1, 4);
                  Slide(d, IDC_SLIDER2, 20);
                  std::vector<std::string> problems = LayoutProblems(d);
                  EXPECT_TRUE(problems.empty()) << problems.front();
                  EXPECT_TRUE(SaveShot(d, "editor_wave_dialog"));  // lets the views repaint first
                  SaveWindowShot(GetDesktopWindow(), TestOutputDir("screenshots") + "\\editor_wave_preview.bmp");
                  Click(d, IDOK);
              },
              kEffectTitle);
    EXPECT_EQ(HistoryIndex(), before + 1);
    editor.Command(CMD_UNDO);
    EXPECT_EQ(HistoryIndex(), before);
    EXPECT_EQ(Canvas(0, 0), kRed);

    // Sliders left at 0: nothing to keep.
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_SWIRL, 0); },
              [&](HWND d) {
                  Slide(d, IDC_SLIDER1, 0);
                  Click(d, IDOK);
              },
              kEffectTitle);
    EXPECT_EQ(HistoryIndex(), before);
}

TEST_F(EditorEffectsTest, MorePressesAccumulateCancelKeepsThePicture) {
    // A light grey, which each "Enhance" pushes further towards white.
    ASSERT_TRUE(WriteBytes(dir_.File("grey.ico"), MakeIconFile({{32, 32, 0xB0B0B0}})));
    Editor editor(dir_.File("grey.ico"));
    ASSERT_TRUE(editor.ok());
    const COLORREF grey = Canvas(5, 5);
    size_t before = HistoryIndex();
    COLORREF once = 0, twice = 0;
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_CONTRAST, 0); },
              [&](HWND d) {
                  Click(d, IDC_MORE);
                  once = Canvas(5, 5);
                  Click(d, IDC_MORE);
                  twice = Canvas(5, 5);
                  Click(d, IDCANCEL);
              },
              kEffectTitle);
    EXPECT_GT(GetRValue(once), GetRValue(grey));
    EXPECT_GT(GetRValue(twice), GetRValue(once));
    EXPECT_EQ(HistoryIndex(), before);
    EXPECT_EQ(Canvas(5, 5), grey);
    EXPECT_EQ(Canvas(0, 0), kRed);

    // Reduce twice and OK: one picture kept.
    std::vector<std::string> kinds;
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_NOISE, 0); },
              [&](HWND d) {
                  for (int i = 0; i < 6; ++i) {
                      char text[32] = "";
                      SendDlgItemMessageA(d, IDC_NOISE_KIND, CB_GETLBTEXT, i, (LPARAM)text);
                      kinds.push_back(text);
                  }
                  EXPECT_TRUE(LayoutProblems(d).empty());
                  EXPECT_TRUE(SaveShot(d, "editor_noise"));
                  Click(d, IDC_CHOICE_SECOND);
                  Click(d, IDC_MORE);
                  Click(d, IDC_MORE);
                  Click(d, IDOK);
              },
              kEffectTitle);
    EXPECT_EQ(kinds, (std::vector<std::string>{"Uniform", "Gaussian", "Multiplicative", "Impulse", "Laplacian",
                                               "Poisson"}));
    EXPECT_EQ(HistoryIndex(), before + 1);
}

TEST_F(EditorEffectsTest, RefusalsKeepTheDialogOpen) {
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    size_t before = HistoryIndex();
    MessageRecorder messages;
    bool stayed = false;
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_FRAME, 0); },
              [&](HWND d) {
                  SetText(d, IDC_FX_WIDTH, "5");
                  SetText(d, IDC_FX_HEIGHT, "8");
                  SetText(d, IDC_FX_OUTER, "6");
                  SetText(d, IDC_FX_INNER, "1");
                  Click(d, IDOK);
                  stayed = IsWindowVisible(d) != FALSE;
                  Click(d, IDCANCEL);
              },
              kEffectTitle);
    EXPECT_TRUE(stayed);
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_ROTATE, 0); },
              [&](HWND d) {
                  EXPECT_TRUE(LayoutProblems(d).empty());
                  EXPECT_TRUE(SaveShot(d, "editor_rotate"));
                  SetText(d, IDC_ROTATE_ANGLE, "400");
                  Click(d, IDOK);
                  EXPECT_TRUE(IsWindowVisible(d));
                  Click(d, IDCANCEL);
              },
              kEffectTitle);
    ASSERT_EQ(messages.calls().size(), 2u);
    EXPECT_EQ(messages.calls()[0].text, "Outer and inner bevels must be greater than width and height.");
    EXPECT_EQ(messages.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONERROR);
    EXPECT_EQ(messages.calls()[1].text, "Please enter a value between 1 and 360.");
    EXPECT_EQ(messages.calls()[1].flags & MB_ICONMASK, (UINT)MB_ICONWARNING);
    EXPECT_EQ(HistoryIndex(), before);

    // Rotating by 90 the first way (anticlockwise) takes the red corner down.
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_ROTATE, 0); },
              [&](HWND d) {
                  SetText(d, IDC_ROTATE_ANGLE, "90");
                  Click(d, IDOK);
              },
              kEffectTitle);
    EXPECT_EQ(HistoryIndex(), before + 1);
    EXPECT_EQ(Canvas(0, 31), kRed);

    // By 45 the picture grows and is kept so; the canvas shows it stretched
    // to the image, its corners in the filling colour (white).
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_ROTATE, 0); },
              [&](HWND d) {
                  SetText(d, IDC_ROTATE_ANGLE, "45");
                  Click(d, IDC_ROTATE_RIGHT);
                  Click(d, IDOK);
              },
              kEffectTitle);
    EXPECT_EQ(HistoryIndex(), before + 2);
    BITMAP grown = {};
    GetObjectA(CurrentPicture(), sizeof grown, &grown);
    EXPECT_GT(grown.bmWidth, 40);
    EXPECT_GT(grown.bmHeight, 40);
    EXPECT_EQ(Canvas(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Canvas(16, 16), kGreen);
}

TEST_F(EditorEffectsTest, PasteLaysTheClipboardPictureOnTheImage) {
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    // An empty clipboard: the dialog ends at once.
    ASSERT_TRUE(OpenClipboard(editor.frame()));
    EmptyClipboard();
    CloseClipboard();
    size_t before = HistoryIndex();
    editor.Command(CMD_PASTE);
    EXPECT_EQ(HistoryIndex(), before);

    // The picture itself on the clipboard, flipped back onto the picture
    // with "Add": the red corner and its green field add up to yellow.
    editor.Command(CMD_COPY);
    editor.Command(CMD_FLIP);
    before = HistoryIndex();
    std::vector<std::string> modes;
    RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_PASTE, 0); },
              [&](HWND d) {
                  EXPECT_TRUE(SaveShot(d, "editor_paste"));
                  for (int i = 0; i < 11; ++i) {
                      char text[32] = "";
                      SendDlgItemMessageA(d, IDC_PASTE_MODE, LB_GETTEXT, i, (LPARAM)text);
                      modes.push_back(text);
                  }
                  Click(d, IDOK);
              },
              "Combinaison");
    EXPECT_EQ(modes, (std::vector<std::string>{"Add", "Atop", "Bumpmap", "Copy", "Displace", "In", "Minus", "Out",
                                               "Over", "Substract", "XOr"}));
    EXPECT_EQ(HistoryIndex(), before + 1);
    EXPECT_EQ(Canvas(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(Canvas(0, 31), RGB(255, 255, 0));
}

// The editor's own dialogs in French: their texts fit, kept as screenshots.
TEST_F(EditorEffectsTest, DialogsInFrenchFit) {
    UiLanguageScope french(kFrench);
    Editor editor(Icon());
    ASSERT_TRUE(editor.ok());
    const struct {
        int command;
        const char *title, *shot;
    } dialogs[] = {
        {CMD_WAVE, kEffectTitle, "editor_wave_fr"},       {CMD_EXPLODE, kEffectTitle, "editor_explode_fr"},
        {CMD_CONTRAST, kEffectTitle, "editor_contrast_fr"}, {CMD_NORMALIZE, kEffectTitle, "editor_normalize_fr"},
        {CMD_NOISE, kEffectTitle, "editor_noise_fr"},     {CMD_ROTATE, kEffectTitle, "editor_rotate_fr"},
        {CMD_MODULATE, kFormTitle, "editor_modulate_fr"}, {CMD_FRAME, kEffectTitle, "editor_frame_fr"},
        {CMD_PLUGIN_MANAGER, " Gestionnaire de plug-ins", "editor_plugin_manager_fr"},
    };
    for (const auto &d : dialogs) {
        std::vector<std::string> problems;
        bool shown = false;
        RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, d.command, 0); },
                  [&](HWND dialog) {
                      shown = true;
                      problems = LayoutProblems(dialog);
                      EXPECT_TRUE(SaveShot(dialog, d.shot));
                      Click(dialog, IDCANCEL);
                  },
                  d.title);
        EXPECT_TRUE(shown) << d.shot;
        EXPECT_TRUE(problems.empty()) << d.shot << ": " << problems.front();
    }
    MessageRecorder messages;
    editor.Command(CMD_COUNT_COLORS);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "Cette image a 2 couleurs diff\xE9rentes");
}

TEST_F(EditorEffectsTest, APluginOfTheTestSetRunsFromThePluginsMenu) {
    ScratchDir install("editor_effects_install");
    std::string plugins = install.File("filters");
    ASSERT_TRUE(CreateDirectoryA(plugins.c_str(), nullptr));
    std::string testPlugins = DirName(SiblingProgram("Qplugin.dll")) + "\\test-plugins\\";
    ASSERT_TRUE(CopyFileA(SiblingProgram("Qplugin.dll").c_str(), install.File("Qplugin.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((testPlugins + "invert.8bf").c_str(), (plugins + "\\invert.8bf").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((testPlugins + "failing.8bf").c_str(), (plugins + "\\failing.8bf").c_str(), FALSE));
    SetInstallFolderOverride(install.path().c_str());
    ASSERT_TRUE(WritePrivateProfileStringA("PATHS", "plugin_0", plugins.c_str(), PluginsIniPath().c_str()));
    {
        Editor editor(Icon());
        ASSERT_TRUE(editor.ok());
        HMENU menu = GetSubMenu(GetMenu(editor.frame()), 7);
        ASSERT_EQ(GetMenuItemCount(menu), 4);  // the manager, the separator, "Colors", "Tests"
        int invert = 0;
        for (int i = 2; i < 4; ++i) {
            char text[64] = "";
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            if (std::string(text) == "Colors") invert = (int)GetMenuItemID(GetSubMenu(menu, i), 0);
        }
        ASSERT_TRUE(invert == 710 || invert == 711) << invert;
        size_t before = HistoryIndex();
        editor.Command(invert);
        EXPECT_EQ(HistoryIndex(), before + 1);
        EXPECT_EQ(Canvas(5, 5), RGB(255, 0, 255));
        EXPECT_EQ(Canvas(0, 0), RGB(0, 255, 255));

        // The manager, the display window's with the editor's template.
        std::string label;
        RunDialog([&] { return SendMessageA(editor.frame(), WM_COMMAND, CMD_PLUGIN_MANAGER, 0); },
                  [&](HWND d) {
                      label = ItemText(d, 1210);
                      EXPECT_TRUE(LayoutProblems(d).empty());
                      EXPECT_TRUE(SaveShot(d, "editor_plugin_manager"));
                      Click(d, IDCANCEL);
                  },
                  " Plug-in Manager");
        EXPECT_EQ(label, "Search for plugins in these paths:");

        // A plug-in that refuses to run: told, nothing kept.
        MessageRecorder messages;
        editor.Command(invert == 710 ? 711 : 710);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls()[0].text, "Could not load the plugin!");
        EXPECT_EQ(HistoryIndex(), before + 1);
    }
    SetInstallFolderOverride(nullptr);
}

}  // namespace
