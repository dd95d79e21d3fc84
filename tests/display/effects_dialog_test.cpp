// The effects catalogue's lists and parameter dialogs, driven as a user
// drives them: the real templates, text typed in the boxes, buttons clicked.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "display/effects_resource.h"
#include "display/effects_win.h"
#include "tests/common/testutil_win.h"
#include "tests/shell/dialog_driver.h"

namespace {

const char kTitle[] = "GlypheryEffect";

// A window holding the display window's three effect lists.
class Host {
public:
    Host() {
        window_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        for (int id : {1346, 1451, 1452})
            CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 200, window_,
                            (HMENU)(INT_PTR)id, nullptr, nullptr);
        FillEffectLists(window_);
    }
    ~Host() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

const EffectParams kBefore = {11, 22, 33, 44};

struct Step {
    int id;
    const char *text;  // typed into the box; null: the button is clicked
};

struct Outcome {
    EffectChoice choice;
    EffectCode code;
    EffectParams params;
    std::string seen;  // the description the dialog showed
};

// Runs `command` (on list entry `entry` for an "Apply" button), plays the
// steps in the dialog that opens and ends it with `end`.
Outcome Choose(int command, int entry, const std::vector<Step> &steps, int end = IDOK, int displaySize = 48,
               const std::function<void(HWND)> &look = nullptr) {
    Host host;
    for (int list : {1346, 1451, 1452}) SendDlgItemMessageA(host.get(), list, CB_SETCURSEL, entry, 0);
    Outcome out{EffectChoice::kNothing, -1, kBefore, ""};
    RunDialog([&] { return (INT_PTR)(out.choice = ChooseEffect(host.get(), command, displaySize, &out.code, &out.params)); },
              [&](HWND dialog) {
                  out.seen = ItemText(dialog, IDC_FX_TEXT);
                  for (const Step &s : steps) {
                      if (s.text) SetDlgItemTextA(dialog, s.id, s.text);
                      else if (s.id == IDC_FX_KIND) SendDlgItemMessageA(dialog, s.id, CB_SETCURSEL, 3, 0);
                      else Click(dialog, s.id);
                  }
                  if (look) look(dialog);
                  Click(dialog, end);
              },
              kTitle);
    return out;
}

bool Same(const EffectParams &a, const EffectParams &b) {
    return a.p1 == b.p1 && a.p2 == b.p2 && a.p3 == b.p3 && a.p4 == b.p4;
}

TEST(EffectDialogs, OkStoresTheDialogsOwnParametersWithinTheirRanges) {
    struct Case {
        const char *what;
        int command, entry;
        std::vector<Step> steps;
        EffectCode code;
        EffectParams params;
    };
    const Case cases[] = {
        // What OK stores untouched: each dialog's first values.
        {"threshold", 129, 0, {}, 10, {0, 22, 33, 44}},
        {"swirl", 132, 0, {}, 11, {0, 22, 33, 44}},
        {"wave", 133, 0, {}, 13, {1, 1, 33, 44}},
        {"border", 1427, 0, {}, 1, {1, 22, 33, 44}},
        {"raise", 406, 0, {}, 8, {0, 0, 1, 44}},
        {"roll", 407, 0, {}, 9, {0, 0, 33, 44}},
        {"colorize", 410, 0, {}, 2, {0, 0, 0, 44}},
        {"implode", 1429, 0, {}, 4, {0, 22, 33, 44}},
        {"cycle", 1117, 0, {}, 200, {3, 22, 33, 44}},
        {"median", 1117, 2, {}, 202, {3, 22, 33, 44}},
        {"contrast", 1300, 2, {}, 302, {1, 22, 33, 44}},
        {"frame", 1300, 4, {}, 304, {0, 0, 0, 0}},
        {"noise", 1300, 5, {}, 305, {1, 0, 33, 44}},
        {"oil", 1300, 6, {}, 306, {0, 22, 33, 44}},
        {"sharpen", 1300, 8, {}, 308, {3, 22, 33, 44}},
        // Typed values, radios and the rules for values out of range.
        {"colorize out of 0-100 becomes 0", 410, 0,
         {{IDC_FX_RED, "150"}, {IDC_FX_GREEN, "55"}, {IDC_FX_BLUE, "-1"}}, 2, {0, 55, 0, 44}},
        {"roll beyond 360 becomes 90, To bottom negates", 407, 0,
         {{IDC_FX_VALUE, "400"}, {IDC_FX_VERTICAL, "12"}, {IDC_FX_V_SECOND, nullptr}}, 9, {90, -12, 33, 44}},
        {"roll To bottom horizontally", 407, 0, {{IDC_FX_VALUE, "5"}, {IDC_FX_SECOND, nullptr}}, 9, {-5, 0, 33, 44}},
        {"implode minus, bounded", 1429, 0, {{IDC_FX_VALUE, "500"}, {IDC_FX_SECOND, nullptr}}, 4, {-100, 22, 33, 44}},
        {"threshold to 99", 129, 0, {{IDC_FX_THRESHOLD, "150"}}, 10, {99, 22, 33, 44}},
        {"swirl beyond 32 bits", 132, 0, {{IDC_FX_DEGREES, "99999999999"}}, 11, {100, 22, 33, 44}},
        {"wave 1-100", 133, 0, {{IDC_FX_FIRST_VALUE, "0"}, {IDC_FX_SECOND_VALUE, "1000"}}, 13, {1, 100, 33, 44}},
        {"border to a quarter of 48", 1427, 0, {{IDC_FX_VALUE, "100"}}, 1, {12, 22, 33, 44}},
        {"raise sinks", 406, 0, {{IDC_FX_WIDTH, "5"}, {IDC_FX_HEIGHT, "6"}, {IDC_FX_SECOND, nullptr}}, 8, {5, 6, 0, 44}},
        {"median 3-31", 1117, 2, {{IDC_FX_ORDER, "1"}}, 202, {3, 22, 33, 44}},
        {"gaussian", 1117, 1, {{IDC_FX_FIRST_VALUE, "4"}, {IDC_FX_SECOND_VALUE, "2"}}, 201, {4, 2, 33, 44}},
        {"cycle up to 255", 1117, 0, {{IDC_FX_AMOUNT, "300"}}, 200, {255, 22, 33, 44}},
        {"blur radius bounded", 1300, 0, {{IDC_FX_AMOUNT, "1000000"}}, 300, {31, 22, 33, 44}},
        {"contrast reduces", 1300, 2, {{IDC_FX_SECOND, nullptr}}, 302, {0, 22, 33, 44}},
        {"frame", 1300, 4, {{IDC_FX_WIDTH, "8"}, {IDC_FX_HEIGHT, "500"}, {IDC_FX_OUTER, "2"}, {IDC_FX_INNER, "1"}},
         304, {8, 100, 2, 1}},
        {"noise reduces, fourth kind", 1300, 5, {{IDC_FX_KIND, nullptr}, {IDC_FX_SECOND, nullptr}}, 305,
         {0, 3, 33, 44}},
        {"oil radius bounded", 1300, 6, {{IDC_FX_VALUE, "1000"}}, 306, {31, 22, 33, 44}},
        {"shade", 1300, 7, {{IDC_FX_FIRST_VALUE, "30"}, {IDC_FX_SECOND_VALUE, "abc"}}, 307, {30, 1, 33, 44}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Outcome out = Choose(c.command, c.entry, c.steps);
        EXPECT_EQ(out.choice, EffectChoice::kApply);
        EXPECT_EQ(out.code, c.code);
        EXPECT_TRUE(Same(out.params, c.params))
            << out.params.p1 << " " << out.params.p2 << " " << out.params.p3 << " " << out.params.p4;
    }
}

TEST(EffectDialogs, CancelChangesNothingButAListEntryStaysChosen) {
    for (int command : {129, 132, 133, 1427, 406, 407, 410, 1429}) {
        Outcome out = Choose(command, 0, {{IDC_FX_VALUE, "7"}}, IDCANCEL);
        EXPECT_EQ(out.choice, EffectChoice::kNothing) << command;
        EXPECT_EQ(out.code, -1) << command;
        EXPECT_TRUE(Same(out.params, kBefore)) << command;
    }
    Outcome blur = Choose(1300, 0, {{IDC_FX_AMOUNT, "9"}}, IDCANCEL);
    EXPECT_EQ(blur.choice, EffectChoice::kNothing);
    EXPECT_EQ(blur.code, 300);
    EXPECT_TRUE(Same(blur.params, kBefore));
}

TEST(EffectDialogs, ToolsWithoutADialogAndTheSpecialEffects) {
    Host host;
    struct Case {
        int command, entry;
        EffectChoice choice;
        EffectCode code;
    };
    for (const Case &c : {Case{130, 0, EffectChoice::kRunNow, 5}, Case{131, 0, EffectChoice::kRunNow, 6},
                          Case{265, 0, EffectChoice::kRunNow, 3}, Case{408, 0, EffectChoice::kApply, 100},
                          Case{408, 8, EffectChoice::kApply, 108}, Case{999, 0, EffectChoice::kNothing, -1}}) {
        SendDlgItemMessageA(host.get(), 1346, CB_SETCURSEL, c.entry, 0);
        EffectCode code = -1;
        EffectParams params = kBefore;
        EXPECT_EQ(ChooseEffect(host.get(), c.command, 48, &code, &params), c.choice) << c.command;
        EXPECT_EQ(code, c.code) << c.command;
        EXPECT_TRUE(Same(params, kBefore));
    }
    EXPECT_EQ(SendDlgItemMessageA(host.get(), 1346, CB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(SendDlgItemMessageA(host.get(), 1451, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(host.get(), 1452, CB_GETCOUNT, 0, 0), 9);
}

TEST(EffectDialogs, SharedTemplatesShowTheTextsOfTheirCode) {
    std::string label;
    auto firstLabel = [&](HWND d) { label = ItemText(d, IDC_FX_FIRST_LABEL); };
    auto amountLabel = [&](HWND d) { label = ItemText(d, IDC_FX_AMOUNT_LABEL); };
    EXPECT_EQ(Choose(1117, 0, {}, IDCANCEL, 48, amountLabel).seen, "Displace image colormap by amount.");
    EXPECT_EQ(label, "Amount:");
    EXPECT_EQ(Choose(1300, 1, {}, IDCANCEL).seen, "Simulate a charcoal drawing.\nEnter the width of the pen.");
    EXPECT_EQ(Choose(1117, 1, {}, IDCANCEL, 48, firstLabel).seen.substr(0, 40), "Blur the image with a gaussian operator ");
    EXPECT_EQ(label, "Width:");
    Choose(1300, 7, {}, IDCANCEL, 48, firstLabel);
    EXPECT_EQ(label, "Azimuth:");
    Choose(133, 0, {}, IDCANCEL, 48, firstLabel);
    EXPECT_EQ(label, "Amplitude:");
}

TEST(EffectDialogs, BorderRangeFollowsTheDisplayedSizeAndOkStoresTheChosenColour) {
    int low = 0, high = 0;
    auto range = [&](HWND d) { SendDlgItemMessageA(d, IDC_FX_SPIN1, UDM_GETRANGE32, (WPARAM)&low, (LPARAM)&high); };
    Choose(1427, 0, {}, IDCANCEL, 96, range);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 24);
    EXPECT_EQ(Choose(1427, 0, {{IDC_FX_VALUE, "5"}}, IDOK, 3).params.p1, 1);  // a picture under 8 pixels: 1

    // The chooser, owned by the dialog, picks a colour; Cancel drops it, OK stores it.
    auto pick = [](HWND dialog) {
        OnNextOwnedDialog(dialog, [](HWND chooser) {
            // The chooser's red, green and blue boxes.
            SetDlgItemInt(chooser, 706, 0, FALSE);
            SetDlgItemInt(chooser, 707, 0, FALSE);
            SetDlgItemInt(chooser, 708, 255, FALSE);
            Click(chooser, IDOK);
        });
        Click(dialog, IDC_FX_COLOR);
    };
    EXPECT_EQ(BorderColor(), kDefaultBorderColor);
    Choose(1427, 0, {}, IDCANCEL, 48, pick);
    EXPECT_EQ(BorderColor(), kDefaultBorderColor);
    Choose(1427, 0, {}, IDOK, 48, pick);
    EXPECT_EQ(BorderColor(), RGB(0, 0, 255));
}

TEST(EffectDialogs, EveryTemplateFitsItsTextsInBothLanguages) {
    struct Opening {
        int command, entry;
    };
    const Opening openings[] = {{129, 0},  {132, 0},  {133, 0},  {1427, 0}, {406, 0},  {407, 0},  {410, 0},
                                {1429, 0}, {1117, 0}, {1117, 2}, {1300, 2}, {1300, 4}, {1300, 5}, {1300, 6}};
    for (LANGID language : {kEnglish, kFrench}) {
        UiLanguageScope scope(language);
        for (const Opening &o : openings) {
            SCOPED_TRACE(std::to_string(language) + " " + std::to_string(o.command) + "/" + std::to_string(o.entry));
            std::vector<std::string> problems;
            Choose(o.command, o.entry, {}, IDCANCEL, 48, [&](HWND d) {
                problems = LayoutProblems(d);
                if (o.command == 410 || o.command == 1427)
                    SaveShot(d, std::string(o.command == 410 ? "effect_colorize" : "effect_border") +
                                    (language == kFrench ? "_fr" : "_en"));
            });
            EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
        }
    }
    UiLanguageScope french(kFrench);
    Host host;
    char entry[64] = "";
    SendDlgItemMessageA(host.get(), 1452, CB_GETLBTEXT, 0, (LPARAM)entry);
    EXPECT_STREQ(entry, "Flou");
}

}  // namespace
