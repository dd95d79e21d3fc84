// The display window's Plugins menu, the plugins.ini file that maps its
// commands to plug-in files, the plug-in manager (1633) and a plug-in run on
// the displayed picture through the plug-in host library (Qplugin.dll).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "display/pluginmenu.h"

// "%s\plugins.ini" in the installation folder.
std::string PluginsIniPath();
// The folders of HKCU\Software\Glyphery\Plugins, values "plugin_%d" from 0 to
// the first missing one.
std::vector<std::string> RegistryPluginFolders();
// The folders of the ini file's [PATHS] section, keys "plugin_%d" the same way.
std::vector<std::string> IniPluginFolders(const std::string &ini);

// Adds one popup per category to `plugins` (after its two fixed items) and
// one item per plug-in of `folders` ("*.8bf" files the host accepts), with
// the commands 710-719, 721-750 in the order found, and writes each command's
// plug-in path into [PLUGINS] of `ini`. Without the host library the menu
// keeps its fixed items. Returns the number of items added.
int BuildPluginsMenu(HMENU plugins, const std::vector<std::string> &folders, const std::string &ini,
                     PluginNameSplit split = PluginNameSplit::kAtFirstSlash);
// Removes every item after the two fixed ones.
void ClearPluginsMenu(HMENU plugins);

// Runs the plug-in of `command` (looked up in [PLUGINS] of `ini`) on the
// picture of `workingFile`; the result as a new bitmap (the caller owns it),
// or null when the file, the ini entry, the host or the plug-in fails.
HBITMAP RunPlugin(const std::string &workingFile, const std::string &ini, int command);
// The same on a library image (its format fields change): the plug-in's
// picture as a new image (the caller destroys it), or null.
struct _Image;
struct _ExceptionInfo;
struct _Image *RunPluginOnImage(struct _Image *image, const std::string &ini, int command,
                                struct _ExceptionInfo *exception);

// The plug-in manager owned by `owner`, listing the registry's folders. Its
// Reload writes the list into `ini` ([PATHS], the file made anew), rebuilds
// `plugins` from it and redraws the owner's menu bar; true then, false on
// Cancel.
bool RunPluginManager(HWND owner, HINSTANCE instance, HMENU plugins, const std::string &ini);
// The same dialog in another program (the icon editor): its template (with
// the same controls), the label's and the folder browser's texts from its
// own string table, where it opens and how its Reload reads menu names.
struct PluginManagerTexts {
    int templateId;
    UINT label, folderTitle;
    bool centreOnOwner;
    PluginNameSplit split;
};
bool RunPluginManager(HWND owner, HINSTANCE instance, HMENU plugins, const std::string &ini,
                      const PluginManagerTexts &texts);
