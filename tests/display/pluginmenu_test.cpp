// The Plugins menu's command list and menu name rule.
#include <gtest/gtest.h>

#include "display/pluginmenu.h"

namespace {

TEST(PluginMenuTest, FortyCommandsSkipping720) {
    const struct {
        size_t n;
        int id;
    } cases[] = {{0, 710}, {9, 719}, {10, 721}, {11, 722}, {39, 750}, {40, 0}, {1000, 0}};
    for (const auto &c : cases) EXPECT_EQ(PluginCommandId(c.n), c.id) << c.n;
    int commands = 0;
    for (int id = 700; id < 760; ++id) commands += IsPluginCommand(id);
    EXPECT_EQ(commands, 40);
    EXPECT_FALSE(IsPluginCommand(720));
    EXPECT_FALSE(IsPluginCommand(709));
    EXPECT_FALSE(IsPluginCommand(751));
}

// The display window splits at the first "/", the editor at the last one.
TEST(PluginMenuTest, CategoryAndNameSplitAtTheFirstOrLastSlash) {
    const PluginNameSplit first = PluginNameSplit::kAtFirstSlash, last = PluginNameSplit::kAtLastSlash;
    const struct {
        const char *text;
        PluginNameSplit split;
        bool ok;
        const char *category, *name;
    } cases[] = {
        {"Blur/Box blur", first, true, "Blur", "Box blur"},
        {"Blur/Box/3x3", first, true, "Blur", "Box/3x3"},
        {"Blur/Soft", last, true, "Blur", "Soft"},
        {"Blur/Box/3x3", last, true, "Blur/Box", "3x3"},
        {"No category", first, false, "", ""},
        {"No category", last, false, "", ""},
        {"/Name", first, false, "", ""},
        {"Category/", last, false, "", ""},
        {"", first, false, "", ""},
    };
    for (const auto &c : cases) {
        std::string category, name;
        EXPECT_EQ(SplitPluginMenuName(c.text, &category, &name, c.split), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(category, c.category);
            EXPECT_EQ(name, c.name);
        }
    }
}

}  // namespace
