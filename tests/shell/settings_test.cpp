// The settings record against an isolated registry: what is read, what is
// written and how, and the installation check.
#include <gtest/gtest.h>

#include <cstring>

#include "common/handles.h"
#include "common/seams.h"
#include "shell/settings.h"
#include "tests/common/testutil_win.h"

namespace {

const char kScratch[] = "Software\\GlypheryTests\\settings";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(IsolateRegistry(kScratch)); }
    void TearDown() override { RestoreRegistry(kScratch); }

    HKEY CreateKey() {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    void PutString(const char *name, const char *value, DWORD length) {
        UniqueRegKey key(CreateKey());
        ASSERT_EQ(RegSetValueExA(key.get(), name, 0, REG_SZ, (const BYTE *)value, length), ERROR_SUCCESS);
    }
    void PutNumber(const char *name, DWORD value) {
        UniqueRegKey key(CreateKey());
        ASSERT_EQ(RegSetValueExA(key.get(), name, 0, REG_DWORD, (const BYTE *)&value, 4), ERROR_SUCCESS);
    }
    // The raw bytes and type of a stored value.
    std::vector<uint8_t> Raw(const char *name, DWORD *type) {
        UniqueRegKey key(CreateKey());
        BYTE buf[512];
        DWORD size = sizeof buf;
        if (RegQueryValueExA(key.get(), name, nullptr, type, buf, &size) != ERROR_SUCCESS) return {};
        return std::vector<uint8_t>(buf, buf + size);
    }
    static Settings Zeroed() {
        Settings s;
        memset(&s, 0, sizeof s);
        return s;
    }
};

TEST_F(SettingsTest, KeyWithOnlyInstallPathLoadsZeroesAndTheHelpPath) {
    PutString("installPath", "C:\\Program Files\\Glyphery", 26);
    Settings s;
    memset(&s, 0xAB, sizeof s);  // start-up clears whatever was there
    ASSERT_TRUE(LoadSettingsAtStartup(&s));
    EXPECT_STREQ(s.installPath, "C:\\Program Files\\Glyphery");
    EXPECT_STREQ(s.helpPath, "C:\\Program Files\\Glyphery\\Glypherye.chm");
    EXPECT_STREQ(s.pathSave, "");
    EXPECT_STREQ(s.pathLaunch, "");
    EXPECT_STREQ(s.pathDisplay, "");
    EXPECT_EQ(s.tooltips, 0u);
    EXPECT_EQ(s.bip, 0u);
    EXPECT_EQ(s.transparent, 0u);
    EXPECT_EQ(s.display_type, 0u);
    EXPECT_EQ(s.color, 0u);
    EXPECT_EQ(s.current_format, 0u);
}

TEST_F(SettingsTest, MissingKeyOrInstallPathShowsTheInstallationMessage) {
    struct Setup {
        const char *what;
        bool makeKey;
        const char *installPath;
    } setups[] = {{"no key", false, nullptr}, {"no installPath", true, nullptr}, {"empty installPath", true, ""}};
    for (const Setup &setup : setups) {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        if (setup.makeKey) {
            UniqueRegKey key(CreateKey());
            PutNumber("bip", 1);
        }
        if (setup.installPath) PutString("installPath", setup.installPath, 0);
        MessageRecorder recorder;
        Settings s = Zeroed();
        EXPECT_FALSE(LoadSettingsAtStartup(&s)) << setup.what;
        ASSERT_EQ(recorder.calls().size(), 1u) << setup.what;
        EXPECT_EQ(recorder.calls()[0].owner, nullptr);
        EXPECT_EQ(recorder.calls()[0].caption, "Glyphery");
        EXPECT_EQ(recorder.calls()[0].text, "Glyphery is not correctly installed...\nPlease run the install programm.");
        EXPECT_EQ(recorder.calls()[0].flags & MB_ICONMASK, (UINT)MB_ICONSTOP);
    }
}

TEST_F(SettingsTest, FailingToOpenTheKeyLeavesTheRecordUntouched) {
    Settings s = Zeroed();
    s.bip = 7;
    strcpy(s.pathSave, "keep");
    EXPECT_EQ(SettingsAccess(&s, kSettingsLoad), 1);
    EXPECT_EQ(SettingsAccess(&s, kSettingsSave), 1);  // saving never creates the key
    EXPECT_EQ(SettingsAccess(&s, kSettingsCheckInstall), 1);
    EXPECT_EQ(s.bip, 7u);
    EXPECT_STREQ(s.pathSave, "keep");
}

TEST_F(SettingsTest, EveryValueRoundTripsAndStringsAreStoredWithoutZero) {
    UniqueRegKey key(CreateKey());
    Settings out = Zeroed();
    strcpy(out.installPath, "C:\\Glyphery");
    strcpy(out.pathLaunch, "C:\\Pictures");
    strcpy(out.pathSave, "D:\\Icons\\out");
    memset(out.pathDisplay, 'v', MAX_PATH - 1);  // the longest string a field holds
    uint32_t *numbers[] = {&out.formatIn,    &out.display_type, &out.capture_size,   &out.capture_target,
                           &out.capture_zoom, &out.capture_zoom_size, &out.tooltips, &out.bip,
                           &out.current_format, &out.display_icon, &out.scanner,    &out.automatic_ani,
                           &out.transparent, &out.grid,          &out.apply_to_all,   &out.keep_proportions};
    uint32_t v = 0x10000001;
    for (uint32_t *n : numbers) *n = v++;
    out.color = 0x00C08040;  // blue in the third byte
    ASSERT_EQ(SettingsAccess(&out, kSettingsSave), 0);

    DWORD type = 0;
    // Saved as the text without its zero (the system itself adds one when the
    // byte after the data is zero, as it is here).
    std::vector<uint8_t> raw = Raw("pathSave", &type);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    ASSERT_GE(raw.size(), 12u);
    EXPECT_LE(raw.size(), 13u);
    EXPECT_EQ(std::string(raw.begin(), raw.begin() + 12), "D:\\Icons\\out");
    raw = Raw("color", &type);
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(raw, (std::vector<uint8_t>{0x40, 0x80, 0xC0, 0x00}));
    raw = Raw("keep_proportions", &type);
    EXPECT_EQ(raw.size(), 4u);
    EXPECT_EQ(Raw("helpPath", &type).size(), 0u);  // derived, never saved

    Settings in;
    memset(&in, 0, sizeof in);
    ASSERT_EQ(SettingsAccess(&in, kSettingsLoad), 0);
    EXPECT_STREQ(in.installPath, out.installPath);
    EXPECT_STREQ(in.pathLaunch, out.pathLaunch);
    EXPECT_STREQ(in.pathSave, out.pathSave);
    EXPECT_STREQ(in.pathDisplay, out.pathDisplay);
    EXPECT_EQ(in.color, 0x00C08040u);
    v = 0x10000001;
    Settings *pin = &in;
    for (uint32_t *n : numbers) {
        const uint32_t *loaded = reinterpret_cast<const uint32_t *>(reinterpret_cast<const char *>(pin) +
                                                                    (reinterpret_cast<const char *>(n) -
                                                                     reinterpret_cast<const char *>(&out)));
        EXPECT_EQ(*loaded, v++);
    }
}

TEST_F(SettingsTest, StringStoredWithoutZeroLoadsTheSameText) {
    // The byte after the counted text is not zero, so nothing terminates it.
    PutString("installPath", "C:\\GlypheryX", 11);
    PutString("pathLaunch", "D:\\PicsYYYY", 7);
    DWORD type, size = 0;
    UniqueRegKey key(CreateKey());
    ASSERT_EQ(RegQueryValueExA(key.get(), "pathLaunch", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    ASSERT_EQ(size, 7u);
    Settings s = Zeroed();
    ASSERT_EQ(SettingsAccess(&s, kSettingsLoad), 0);
    EXPECT_STREQ(s.installPath, "C:\\Glyphery");
    EXPECT_STREQ(s.pathLaunch, "D:\\Pics");
}

TEST_F(SettingsTest, ModeZeroReadsOnlyTheInstallPath) {
    PutString("installPath", "C:\\G", 4);
    PutNumber("bip", 1);
    Settings s = Zeroed();
    EXPECT_EQ(SettingsAccess(&s, kSettingsCheckInstall), 0);
    EXPECT_STREQ(s.installPath, "C:\\G");
    EXPECT_EQ(s.bip, 0u);
    EXPECT_STREQ(s.helpPath, "");
}

TEST_F(SettingsTest, OddStoredValuesLeaveTheirFieldsAlone) {
    PutString("installPath", "C:\\G", 4);
    std::string tooLong(400, 'x');
    PutString("pathSave", tooLong.c_str(), (DWORD)tooLong.size());
    PutString("bip", "1", 1);  // a string where a number belongs
    Settings s = Zeroed();
    ASSERT_EQ(SettingsAccess(&s, kSettingsLoad), 0);
    EXPECT_STREQ(s.pathSave, "");
    EXPECT_EQ(s.bip, 0u);
}

}  // namespace
