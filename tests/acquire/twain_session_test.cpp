// The TWAIN session against the platform's source manager, with the test
// source installed as the prefix's sane.ds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquire/twain_session.h"
#include "common/seams.h"
#include "tests/acquire/testsource/testsource.h"
#include "tests/acquire/twain_fixture.h"
#include "tests/common/testutil_win.h"

namespace {

const char kLoadFailed[] = "Error in Open, LoadLibrary, or GetProcAddress.\nTwain DLL may not exist.";

// Runs the session's own loop; a guard ends it if the source never closes.
int RunGuarded(HWND parent) {
    QuitAfter(20000);
    int started = RunAcquisition(parent);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return started;
}

// Pumps messages through the session's filter for `ms` milliseconds.
void PumpFor(HWND parent, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while ((LONG)(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (ProcessMessage(&msg, parent)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

std::vector<std::string> Texts(const MessageRecorder &r) {
    std::vector<std::string> texts;
    for (const MessageRecord &m : r.calls()) texts.push_back(m.text);
    return texts;
}

void ExpectPictureOfPage(const HandedPicture &p, int page) {
    ASSERT_TRUE(p.present);
    ASSERT_EQ(kTestPictureWidth, p.width);
    ASSERT_EQ(kTestPictureHeight, p.height);
    ASSERT_EQ(24, p.bits);
    for (int y = 0; y < p.height; y += 7)
        for (int x = 0; x < p.width; x += 5) ASSERT_EQ(TestPicturePixel(page, x, y), p.At(x, y)) << x << "," << y;
}

void ExpectAllClosed() {
    EXPECT_EQ(0, IsSourceEnabled());
    EXPECT_EQ(0, IsSourceOpen());
    EXPECT_EQ(0, IsSourceManagerOpen());
}

class TwainSession : public ::testing::Test {
protected:
    InstalledTestSource source;
    HandOverWindow parent;
    MessageRecorder messages{IDOK};
    void SetUp() override { ASSERT_TRUE(source.ok()) << "the test source could not be installed"; }
    void TearDown() override {
        MessageRecorder quiet(IDOK);
        Shutdown(parent.hwnd());
    }
};

TEST_F(TwainSession, ScanFromTheInterfaceTransfersOnePictureAndClosesInOrder) {
    ClickSourceButtonWhenShown(kTestSourceScanId);
    EXPECT_EQ(1, RunGuarded(parent.hwnd()));
    std::vector<std::string> expected = {"OPENDS",          "CAPABILITY XFERMECH 4 0", "ENABLEDS 1", "UI scan",
                                         "EVENT XFERREADY", "IMAGENATIVEXFER 1 done",  "ENDXFER 0",  "DISABLEDS 255",
                                         "CLOSEDS"};
    EXPECT_EQ(expected, source.Log());
    ASSERT_EQ(1u, parent.pictures().size());
    ExpectPictureOfPage(parent.pictures()[0], 0);
    EXPECT_TRUE(messages.calls().empty()) << Texts(messages).front();
    ExpectAllClosed();
    const TW_IDENTITY &app = ApplicationIdentity();
    EXPECT_EQ(1, app.Version.MajorNum);
    EXPECT_EQ(703, app.Version.MinorNum);
    EXPECT_EQ(13, app.Version.Language);
    EXPECT_EQ(1, app.Version.Country);
    EXPECT_STREQ("Glyphery - Interface Twain", app.Version.Info);
    EXPECT_EQ(1, app.ProtocolMajor);
    EXPECT_EQ(7, app.ProtocolMinor);
    EXPECT_EQ(3u, app.SupportedGroups);
    EXPECT_STREQ("Glyphery", app.ProductFamily);
    EXPECT_STREQ("Glyphery", app.ProductName);
}

TEST_F(TwainSession, PendingTransfersHandEachPictureOverAndCloseAfterTheLast) {
    EnvScope pages("GY_TEST_DS_PAGES", "3");
    ClickSourceButtonWhenShown(kTestSourceScanId);
    EXPECT_EQ(1, RunGuarded(parent.hwnd()));
    std::vector<std::string> log = source.Log();
    std::vector<std::string> tail(log.begin() + 5, log.end());
    std::vector<std::string> expected = {"IMAGENATIVEXFER 1 done", "ENDXFER 2", "IMAGENATIVEXFER 2 done", "ENDXFER 1",
                                         "IMAGENATIVEXFER 3 done", "ENDXFER 0", "DISABLEDS 255", "CLOSEDS"};
    EXPECT_EQ(expected, tail);
    ASSERT_EQ(3u, parent.pictures().size());
    for (int p = 0; p < 3; ++p) ExpectPictureOfPage(parent.pictures()[p], p);
    ExpectAllClosed();
}

TEST_F(TwainSession, CancelInTheInterfaceClosesEverythingWithoutAPicture) {
    ClickSourceButtonWhenShown(kTestSourceCancelId);
    EXPECT_EQ(1, RunGuarded(parent.hwnd()));
    std::vector<std::string> expected = {"OPENDS",           "CAPABILITY XFERMECH 4 0", "ENABLEDS 1", "UI cancel",
                                         "EVENT CLOSEDSREQ", "DISABLEDS 255",           "CLOSEDS"};
    EXPECT_EQ(expected, source.Log());
    EXPECT_TRUE(parent.pictures().empty());
    EXPECT_TRUE(messages.calls().empty());
    ExpectAllClosed();
}

// A transfer the source cancels or fails hands over no picture, after its
// message (level 1), and still ends the session.
TEST_F(TwainSession, CancelledOrFailedTransferHandsOverNothing) {
    struct Case {
        const char *outcome, *message;
    } cases[] = {{"cancel", "TWRC_CANCEL"}, {"fail", ""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.outcome);
        EnvScope outcome("GY_TEST_DS_OUTCOME", c.outcome);
        MessageRecorder recorder(IDOK);
        HandOverWindow window;
        ClickSourceButtonWhenShown(kTestSourceScanId);
        EXPECT_EQ(1, RunGuarded(window.hwnd()));
        ASSERT_EQ(1u, window.pictures().size());
        EXPECT_FALSE(window.pictures()[0].present);
        ASSERT_EQ(1u, recorder.calls().size());
        EXPECT_EQ(c.message, recorder.calls()[0].text);
        EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), recorder.calls()[0].flags);
        EXPECT_EQ(window.hwnd(), recorder.calls()[0].owner);
        ExpectAllClosed();
    }
}

// A source that announces a picture the application did not ask for (enabled
// without Acquire) gets the state message, and nothing is transferred.
TEST_F(TwainSession, TransferReadyWhenNoneIsExpectedTransfersNothing) {
    InitIdentity(parent.hwnd());
    ASSERT_EQ(1, OpenSourceManager());
    ASSERT_EQ(1, OpenSource());
    ASSERT_EQ(1, EnableSource(0));
    PumpFor(parent.hwnd(), 500);
    EXPECT_EQ(std::vector<std::string>{"Received while not in state 5"}, Texts(messages));
    EXPECT_TRUE(parent.pictures().empty());
    for (const std::string &line : source.Log()) EXPECT_EQ(std::string::npos, line.find("IMAGENATIVEXFER"));
    EXPECT_EQ(1, IsSourceEnabled());
}

TEST_F(TwainSession, AcquireWhileEnabledSucceedsWithoutASecondEnable) {
    InitIdentity(parent.hwnd());
    ASSERT_EQ(1, Acquire(parent.hwnd()));
    ASSERT_EQ(1, Acquire(parent.hwnd()));
    int enables = 0;
    for (const std::string &line : source.Log()) enables += line.rfind("ENABLEDS", 0) == 0;
    EXPECT_EQ(1, enables);
    EXPECT_TRUE(messages.calls().empty());
}

// Shutdown asks before it closes an enabled or an open source; Cancel keeps
// the session as it is.
TEST_F(TwainSession, ShutdownAsksTheUserFirst) {
    struct Case {
        bool enable;
        const char *question;
        std::vector<std::string> closing;
    } cases[] = {
        {true, "Disable and close the Source\n\rand unload and close the Source Manager?", {"DISABLEDS 255", "CLOSEDS"}},
        {false, "Close the Source and unload \n\rand close the Source Manager?", {"CLOSEDS"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.question);
        InitIdentity(parent.hwnd());
        ASSERT_EQ(1, OpenSourceManager());
        ASSERT_EQ(1, OpenSource());
        if (c.enable) {
            ASSERT_EQ(1, EnableSource(1));
        }
        size_t before = source.Log().size();
        {
            MessageRecorder no(IDCANCEL);
            EXPECT_EQ(0, Shutdown(parent.hwnd()));
            ASSERT_EQ(1u, no.calls().size());
            EXPECT_EQ(c.question, no.calls()[0].text);
            EXPECT_EQ("Close message", no.calls()[0].caption);
            EXPECT_EQ((UINT)MB_OKCANCEL, no.calls()[0].flags);
            EXPECT_EQ(1, IsSourceOpen());
            EXPECT_EQ(c.enable ? 1 : 0, IsSourceEnabled());
        }
        MessageRecorder yes(IDOK);
        EXPECT_EQ(1, Shutdown(parent.hwnd()));
        EXPECT_EQ(1u, yes.calls().size());
        std::vector<std::string> log = source.Log();
        EXPECT_EQ(c.closing, std::vector<std::string>(log.begin() + before, log.end()));
        ExpectAllClosed();
    }
    MessageRecorder none(IDOK);
    EXPECT_EQ(1, Shutdown(parent.hwnd()));  // nothing open
    EXPECT_TRUE(none.calls().empty());
}

TEST_F(TwainSession, CallsOutOfOrderAreRefusedWithTheirMessages) {
    InitIdentity(parent.hwnd());
    EXPECT_EQ(0, OpenSource());
    EXPECT_EQ(0, CloseSourceManager());
    EXPECT_EQ(0, EnableSource(1));
    EXPECT_EQ(0, DisableSource());
    EXPECT_EQ(0, CloseSource());
    ASSERT_EQ(1, OpenSourceManager());
    ASSERT_EQ(1, OpenSource());
    EXPECT_EQ(0, CloseSourceManager());
    ASSERT_EQ(1, EnableSource(1));
    EXPECT_EQ(0, EnableSource(1));
    EXPECT_EQ(0, CloseSource());
    std::vector<std::string> expected = {"Cannot Open Source\nSource Manager not Open",
                                         "Cannot Close Source Manager\nSource Manager Not Open",
                                         "Cannot Enable Source\nNo Source Open",
                                         "Cannot Disable Source\nSource Not Enabled",
                                         "Cannot Close Source\nSource Not Open",
                                         "A Source is Currently Open",
                                         "Cannot Enable Source, already enabled",
                                         "Source is Currently Enabled"};
    EXPECT_EQ(expected, Texts(messages));
    for (const MessageRecord &m : messages.calls()) EXPECT_EQ("Glyphery - Twain", m.caption);
}

TEST(TwainSessionAlone, MissingSourceManagerStopsWithTheLoadMessage) {
    ScratchDir empty("no_twain");
    SetWindowsFolderOverride(empty.path().c_str());
    MessageRecorder messages(IDOK);
    HandOverWindow parent;
    InitIdentity(parent.hwnd());
    EXPECT_EQ(0, Acquire(parent.hwnd()));
    EXPECT_EQ(0, AnySourceInstalled(parent.hwnd()));  // silent
    SetWindowsFolderOverride(nullptr);
    EXPECT_EQ(std::vector<std::string>{kLoadFailed}, Texts(messages));
    ExpectAllClosed();
}

// No source at all: no device is found, and an acquisition fails at the
// source's open with the empty failure message, leaving nothing open. (Its
// own program run: the source manager keeps what it loaded.)
TEST(TwainSessionAlone, NoSourceInstalled) {
    NoSourcesScope none;
    ASSERT_TRUE(none.ok());
    MessageRecorder messages(IDOK);
    HandOverWindow parent;
    InitIdentity(parent.hwnd());
    EXPECT_EQ(0, AnySourceInstalled(parent.hwnd()));
    EXPECT_EQ(0, Acquire(parent.hwnd()));
    ASSERT_FALSE(messages.calls().empty());
    EXPECT_EQ("", messages.calls()[0].text);
    ExpectAllClosed();
}

}  // namespace
