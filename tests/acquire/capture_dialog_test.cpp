// The capture settings dialog from the real template, driven as a user would.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "acquire/capture_win.h"
#include "acquire/resource.h"
#include "shell/settings.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

struct Outcome {
    INT_PTR result;
    Settings settings;
    std::string name;
    std::vector<MessageRecord> messages;
    int focusId = 0;  // the control with the focus after a refused OK
};

void SetText(HWND dialog, int id, const char *text) { SetDlgItemTextA(dialog, id, text); }

// Opens the dialog over `start`, lets `fill` set the fields, presses OK, and
// ends with Cancel when OK was refused.
Outcome RunCapture(const Settings &start, const std::function<void(HWND)> &fill) {
    Outcome o;
    o.settings = start;
    char name[MAX_PATH] = "";
    MessageRecorder recorder(IDOK);
    o.result = RunDialog(
        [&] { return (INT_PTR)ShowCaptureDialog(nullptr, GetModuleHandleA(nullptr), &o.settings, name, sizeof name); },
        [&](HWND dialog) {
            fill(dialog);
            Click(dialog, IDOK);
            if (IsWindowVisible(dialog)) {  // EndDialog hides it at once
                o.focusId = GetDlgCtrlID(GetFocus());
                Click(dialog, IDCANCEL);
            }
        });
    o.messages = recorder.calls();
    o.name = name;
    return o;
}

Settings Start() {
    Settings s;
    memset(&s, 0, sizeof s);
    s.capture_size = 32;
    s.capture_zoom = 1;
    s.capture_zoom_size = 4;
    return s;
}

TEST(CaptureDialog, OpensWithTheSettingsAndTheZoomBoxFollowsItsCheck) {
    Settings s = Start();
    RunDialog([&] {
        char name[16] = "";
        return (INT_PTR)ShowCaptureDialog(nullptr, GetModuleHandleA(nullptr), &s, name, sizeof name);
    },
              [&](HWND dialog) {
                  EXPECT_EQ("32", ItemText(dialog, IDC_CAP_SIZE));
                  EXPECT_EQ("4", ItemText(dialog, IDC_CAP_ZOOM_SIZE));
                  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_CAP_ZOOM));
                  EXPECT_TRUE(Enabled(dialog, IDC_CAP_ZOOM_SIZE));
                  EXPECT_TRUE(LayoutProblems(dialog).empty());
                  SaveShot(dialog, "capture_dialog");
                  Click(dialog, IDC_CAP_ZOOM);
                  EXPECT_FALSE(Enabled(dialog, IDC_CAP_ZOOM_SIZE));
                  Click(dialog, IDC_CAP_ZOOM);
                  EXPECT_TRUE(Enabled(dialog, IDC_CAP_ZOOM_SIZE));
                  Click(dialog, IDCANCEL);
              });
    s.capture_zoom = 0;
    RunDialog([&] {
        char name[16] = "";
        return (INT_PTR)ShowCaptureDialog(nullptr, GetModuleHandleA(nullptr), &s, name, sizeof name);
    },
              [&](HWND dialog) {
                  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_CAP_ZOOM));
                  EXPECT_FALSE(Enabled(dialog, IDC_CAP_ZOOM_SIZE));
                  Click(dialog, IDCANCEL);
              });
}

const char kBadName[] = "The icon name must be a file name: without \\ / : * ? \" < > |, and not . or ..";

// OK's checks, in order, each keeping the dialog open with the focus on its field.
TEST(CaptureDialog, RefusesBadInputWithTheFocusOnTheField) {
    struct Case {
        const char *size, *factor, *name;
        bool zoom;
        const char *message;
        int field;
    } cases[] = {
        {"32", "2", "", true, "Please enter the name of the new icon.", IDC_CAP_NAME},
        {"15", "2", "shot", true, "The size must be greater than 16.", IDC_CAP_SIZE},
        {"", "2", "shot", true, "The size must be greater than 16.", IDC_CAP_SIZE},
        {"16", "0", "shot", true, "The zomm size must be equal or greater than 1.", IDC_CAP_ZOOM_SIZE},
        // A name that would put the capture in another folder.
        {"32", "2", "..\\..\\shot", true, kBadName, IDC_CAP_NAME},
        {"32", "2", "a:b", true, kBadName, IDC_CAP_NAME},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        Outcome o = RunCapture(Start(), [&](HWND d) {
            SetText(d, IDC_CAP_SIZE, c.size);
            SetText(d, IDC_CAP_ZOOM_SIZE, c.factor);
            SetText(d, IDC_CAP_NAME, c.name);
        });
        EXPECT_EQ(0, o.result);
        ASSERT_EQ(1u, o.messages.size());
        EXPECT_EQ(c.message, o.messages[0].text);
        EXPECT_EQ("Glyphery", o.messages[0].caption);
        EXPECT_EQ(c.field, o.focusId);
        EXPECT_EQ(32u, o.settings.capture_size);  // nothing stored
        EXPECT_EQ(4u, o.settings.capture_zoom_size);
    }
}

TEST(CaptureDialog, AcceptsSixteenAndStoresTheSettings) {
    struct Case {
        bool untick;
        const char *factor;
        uint32_t storedFactor;
    } cases[] = {{false, "3", 3}, {true, "0", 1}};
    for (const Case &c : cases) {
        Outcome o = RunCapture(Start(), [&](HWND d) {
            SetText(d, IDC_CAP_SIZE, "16");
            SetText(d, IDC_CAP_ZOOM_SIZE, c.factor);
            SetText(d, IDC_CAP_NAME, "myshot");
            if (c.untick) Click(d, IDC_CAP_ZOOM);
        });
        EXPECT_EQ(1, o.result);
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(16u, o.settings.capture_size);
        EXPECT_EQ(1u, o.settings.capture_zoom);
        EXPECT_EQ(c.storedFactor, o.settings.capture_zoom_size);
        EXPECT_EQ("myshot", o.name);
    }
}

}  // namespace
