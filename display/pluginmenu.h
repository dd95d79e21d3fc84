// The Plugins menu's rules, apart from the menu itself. Portable.
#pragma once
#include <cstddef>
#include <string>

// The command of the n-th plug-in found (from 0): 710-719, then 721-750;
// 0 past the fortieth, which has no command and gets no item.
int PluginCommandId(size_t n);
// True for a command of that list.
bool IsPluginCommand(int id);

// Where a menu name splits: the display window takes the category up to the
// first "/", the icon editor the item after the last one.
enum class PluginNameSplit { kAtFirstSlash, kAtLastSlash };
// Splits a menu name into the category (its popup) and the item's text. A
// name without "/" or with an empty part is refused.
bool SplitPluginMenuName(const std::string &text, std::string *category, std::string *name,
                         PluginNameSplit split = PluginNameSplit::kAtFirstSlash);
