// The icon metrics dialog (434) from its real template, against an isolated
// registry and a scratch Windows folder: what it shows, what Apply writes and
// when it refuses, the cache commands and Help.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/seams.h"
#include "desktop/desktop.h"
#include "desktop/metrics.h"
#include "desktop/resource.h"
#include "tests/common/testutil_win.h"
#include "tests/desktop/desk_driver.h"

using namespace deskdrv;

namespace {

const char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

class MetricsTest : public ::testing::Test {
protected:
    MetricsTest() : registry_("GlypheryTest\\metrics"), windows_("metrics-windows") {
        InitCommonControls();
        SetWindowsFolderOverride(windows_.path().c_str());
    }
    ~MetricsTest() override { SetWindowsFolderOverride(nullptr); }
    void Store(const char *spacing, const char *vspacing, const char *size, const char *wrap, const char *bpp) {
        SetString(HKEY_CURRENT_USER, kMetrics, "IconSpacing", spacing);
        SetString(HKEY_CURRENT_USER, kMetrics, "IconVerticalSpacing", vspacing);
        SetString(HKEY_CURRENT_USER, kMetrics, "Shell Icon Size", size);
        SetString(HKEY_CURRENT_USER, kMetrics, "IconTitleWrap", wrap);
        SetString(HKEY_CURRENT_USER, kMetrics, "Shell Icon BPP", bpp);
    }
    StoredValue Metric(const char *name) { return Read(HKEY_CURRENT_USER, kMetrics, name); }
    INT_PTR Run(std::function<void(HWND)> script) {
        return RunModal([] { return ShowMetricsDialog(nullptr, "C:\\glyphery\\Glypherye.hlp"); }, std::move(script));
    }
    IsolatedRegistry registry_;
    ScratchDir windows_;
};

TEST_F(MetricsTest, ShowsTheStoredMetricsAndApplyWritesThemBackInTheirOwnForm) {
    ASSERT_TRUE(registry_.ok());
    Store("-1125", "-1140", "48", "1", "16");
    SetDword(HKEY_LOCAL_MACHINE, kExplorer, "MaxCachedIcons", 2000);
    ASSERT_TRUE(WriteBytes(IconCacheFile(), {1, 2, 3}));

    INT_PTR result = Run([&](HWND d) {
        ExpectDialogUnits(d, 348, 154);
        EXPECT_EQ(ControlText(d, IDC_MET_HSPACING), "1125");
        EXPECT_EQ(ControlText(d, IDC_MET_VSPACING), "1140");
        EXPECT_EQ(ControlText(d, IDC_MET_CACHE), "2000");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_MET_LARGE), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_MET_WRAP), BST_CHECKED);
        EXPECT_EQ(ControlText(d, IDC_MET_COLORS), "Hi Colors (16 Bits)");
        EXPECT_EQ(ControlText(d, IDC_MET_SIZE), "48");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_MET_COLORS, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_MET_SIZE, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(ControlText(d, IDC_MET_REPAIR_NOTE), "If icons are corrupted.\nYou will have to reboot");
        EXPECT_EQ(ControlText(d, IDC_MET_OVERLAYS), "Display shorcut overlays");

        // The three spins, bound to their boxes with their ranges.
        const int spins[3][4] = {{IDC_MET_HSPIN, IDC_MET_HSPACING, 1, 100},
                                 {IDC_MET_VSPIN, IDC_MET_VSPACING, 1, 100},
                                 {IDC_MET_CACHESPIN, IDC_MET_CACHE, 512, 4000}};
        for (const auto &s : spins) {
            HWND spin = GetDlgItem(d, s[0]);
            ASSERT_NE(spin, nullptr) << s[0];
            EXPECT_EQ(ClassOf(spin), "msctls_updown32");
            EXPECT_EQ(ControlText(d, s[0]), "Spin1");
            EXPECT_EQ((HWND)SendMessageA(spin, UDM_GETBUDDY, 0, 0), GetDlgItem(d, s[1]));
            int lo = 0, hi = 0;
            SendMessageA(spin, UDM_GETRANGE32, (WPARAM)&lo, (LPARAM)&hi);
            EXPECT_EQ(lo, s[2]);
            EXPECT_EQ(hi, s[3]);
        }
        // Centred on the screen.
        RECT r;
        GetWindowRect(d, &r);
        EXPECT_LE(abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        Shoot(d, "metrics");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, 1);
    StoredValue spacing = Metric("IconSpacing");
    EXPECT_EQ(spacing.type, (DWORD)REG_SZ);
    EXPECT_EQ(spacing.text(), "-1125");
    EXPECT_EQ(Metric("IconVerticalSpacing").text(), "-1140");
    EXPECT_EQ(Metric("Shell Icon BPP").text(), "16");
    EXPECT_EQ(Metric("Shell Icon Size").text(), "48");
    // The cache size is read from the machine and written for the user.
    StoredValue cache = Metric("MaxCachedIcons");
    ASSERT_EQ(cache.type, (DWORD)REG_DWORD);
    EXPECT_EQ(cache.number(), 2000u);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kExplorer, "MaxCachedIcons").number(), 2000u);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMetrics, "MaxCachedIcons").type, (DWORD)REG_NONE);
    // The title wrap is shown, never written.
    EXPECT_EQ(Metric("IconTitleWrap").text(), "1");
    EXPECT_FALSE(FileExists(IconCacheFile()));
}

TEST_F(MetricsTest, TheChosenColourDepthIsWrittenAndSelectedOnTheNextOpening) {
    Store("-75", "-75", "32", "0", "4");
    EXPECT_EQ(Run([&](HWND d) {
                  EXPECT_EQ(ControlText(d, IDC_MET_COLORS), "16 Colors (4 Bits)");
                  EXPECT_EQ(IsDlgButtonChecked(d, IDC_MET_WRAP), BST_UNCHECKED);
                  EXPECT_EQ(IsDlgButtonChecked(d, IDC_MET_LARGE), BST_UNCHECKED);
                  // No cache size on the machine: the shell's default.
                  EXPECT_EQ(ControlText(d, IDC_MET_CACHE), "512");
                  SendDlgItemMessageA(d, IDC_MET_COLORS, CB_SETCURSEL, 1, 0);
                  Click(d, IDOK);
              }),
              1);
    EXPECT_EQ(Metric("Shell Icon BPP").text(), "16");
    EXPECT_EQ(Metric("MaxCachedIcons").number(), 512u);
    Run([&](HWND d) {
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_MET_COLORS, CB_GETCURSEL, 0, 0), 1);
        // Any depth but 4 and 16 shows as 24 bits.
        SendDlgItemMessageA(d, IDC_MET_COLORS, CB_SETCURSEL, 2, 0);
        Click(d, IDOK);
    });
    EXPECT_EQ(Metric("Shell Icon BPP").text(), "24");
    SetString(HKEY_CURRENT_USER, kMetrics, "Shell Icon BPP", "8");
    Run([&](HWND d) { EXPECT_EQ(ControlText(d, IDC_MET_COLORS), "Hi Colors (24 Bits)"); });
}

TEST_F(MetricsTest, ACacheSizeOutOfRangeWritesTheRestButKeepsTheDialogOpen) {
    Store("-1125", "-1125", "32", "0", "24");
    ASSERT_TRUE(WriteBytes(IconCacheFile(), {1}));
    for (const char *size : {"4001", "511"}) {
        INT_PTR result = Run([&](HWND d) {
            SetDlgItemTextA(d, IDC_MET_HSPACING, "80");
            SendDlgItemMessageA(d, IDC_MET_COLORS, CB_SETCURSEL, 0, 0);
            CheckDlgButton(d, IDC_MET_LARGE, BST_CHECKED);
            SetDlgItemTextA(d, IDC_MET_CACHE, size);
            Click(d, IDOK);
            EXPECT_TRUE(IsWindowVisible(d));
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_MET_CACHE));
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(result, 0) << size;
        EXPECT_EQ(Metric("IconSpacing").text(), "-80");
        EXPECT_EQ(Metric("Shell Icon BPP").text(), "4");
        EXPECT_EQ(Metric("Shell Icon Size").text(), "48");
        EXPECT_EQ(Metric("MaxCachedIcons").type, (DWORD)REG_NONE) << size;
        EXPECT_TRUE(FileExists(IconCacheFile()));
    }
    // 4000 is in range.
    EXPECT_EQ(Run([&](HWND d) {
                  SetDlgItemTextA(d, IDC_MET_CACHE, "4000");
                  Click(d, IDOK);
              }),
              1);
    EXPECT_EQ(Metric("MaxCachedIcons").number(), 4000u);
    EXPECT_FALSE(FileExists(IconCacheFile()));
}

TEST_F(MetricsTest, TheIconSizeComboIsNotWrittenTheCheckBoxDecides) {
    Store("-1125", "-1125", "32", "0", "24");
    Run([&](HWND d) {
        SendDlgItemMessageA(d, IDC_MET_SIZE, CB_SETCURSEL, 1, 0);
        Click(d, IDOK);
    });
    EXPECT_EQ(Metric("Shell Icon Size").text(), "32");
}

TEST_F(MetricsTest, ASpacingStoredWithoutItsMinusSignIsShownAndWrittenBackWithoutIt) {
    Store("75", "-1125", "32", "0", "24");
    EXPECT_EQ(Run([&](HWND d) {
                  EXPECT_EQ(ControlText(d, IDC_MET_HSPACING), "75");
                  EXPECT_EQ(ControlText(d, IDC_MET_VSPACING), "1125");
                  SetDlgItemTextA(d, IDC_MET_VSPACING, "90");
                  Click(d, IDOK);
              }),
              1);
    EXPECT_EQ(Metric("IconSpacing").text(), "75");
    EXPECT_EQ(Metric("IconVerticalSpacing").text(), "-90");
}

TEST_F(MetricsTest, AMachineCacheSizeKeptAsTextIsReadAsItsNumber) {
    Store("-1125", "-1125", "32", "0", "24");
    SetString(HKEY_LOCAL_MACHINE, kExplorer, "MaxCachedIcons", "1024");
    Run([&](HWND d) { EXPECT_EQ(ControlText(d, IDC_MET_CACHE), "1024"); });
    SetDword(HKEY_LOCAL_MACHINE, kExplorer, "MaxCachedIcons", 0);
    Run([&](HWND d) { EXPECT_EQ(ControlText(d, IDC_MET_CACHE), "512"); });
}

TEST_F(MetricsTest, WithoutWindowMetricsTheDialogIsEmptyAndApplyReportsIt) {
    MessageRecorder recorder;
    INT_PTR result = Run([&](HWND d) {
        EXPECT_EQ(ControlText(d, IDC_MET_HSPACING), "");
        EXPECT_EQ(ControlText(d, IDC_MET_CACHE), "");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_MET_COLORS, CB_GETCURSEL, 0, 0), CB_ERR);
        Click(d, IDOK);
        ASSERT_EQ(recorder.calls().size(), 1u);
        EXPECT_EQ(recorder.calls()[0].text, "Cannot write to registry.");
        EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
        EXPECT_EQ(recorder.calls()[0].owner, d);
        EXPECT_TRUE(IsWindowVisible(d));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Metric("IconSpacing").type, (DWORD)REG_NONE);
}

// A top-level window that counts the settings-change broadcasts it gets.
int g_settingChanges = 0;
LRESULT CALLBACK CountSettingChanges(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SETTINGCHANGE && wp == 0 && lp == 0) ++g_settingChanges;
    return DefWindowProcA(w, m, wp, lp);
}

TEST_F(MetricsTest, RebuildBroadcastsRepairDeletesTheCacheCancelWritesNothingHelpOpens) {
    Store("-1125", "-1125", "32", "0", "24");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountSettingChanges;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GlypheryMetricsListener";
    RegisterClassA(&wc);
    HWND listener = CreateWindowExA(0, wc.lpszClassName, "listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    ASSERT_NE(listener, nullptr);
    ASSERT_TRUE(WriteBytes(IconCacheFile(), {1}));
    HelpRecorder help;
    g_settingChanges = 0;
    INT_PTR result = Run([&](HWND d) {
        Click(d, IDC_MET_REBUILD);
        EXPECT_EQ(g_settingChanges, 1);
        EXPECT_TRUE(FileExists(IconCacheFile()));
        Click(d, IDC_MET_REPAIR);
        EXPECT_FALSE(FileExists(IconCacheFile()));
        Click(d, IDC_DESK_HELP);
        EXPECT_EQ(help.last().file, "C:\\glyphery\\Glypherye.hlp");
        EXPECT_EQ(help.last().command, (UINT)HELP_CONTEXT);
        EXPECT_EQ(help.last().data, 203u);
        // Reset and the two display check boxes have no action.
        SetDlgItemTextA(d, IDC_MET_HSPACING, "99");
        Click(d, IDC_DESK_RESET);
        EXPECT_EQ(ControlText(d, IDC_MET_HSPACING), "99");
        Click(d, IDCANCEL);
    });
    DestroyWindow(listener);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Metric("IconSpacing").text(), "-1125");
    EXPECT_EQ(Metric("MaxCachedIcons").type, (DWORD)REG_NONE);
}

}  // namespace
