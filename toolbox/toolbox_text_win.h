// The command line's texts (toolbox.rc) and where they go: stdout for
// results, stderr for complaints, both flushed at once.
#pragma once
#include <windows.h>

#include <string>

#include "toolbox/toolbox_options.h"

std::string ToolboxText(UINT id);
// A string table text filled in like printf; the caller passes the
// arguments the text's own conversions ask for.
std::string ToolboxFormat(UINT id, ...);
void ToolboxPrint(const std::string &text);
// "GlypheryConvert: PATH: WHY" (no path: "GlypheryConvert: WHY") on stderr.
void ToolboxComplain(const std::string &path, const std::string &why);
// The complaint for a command-line error from the option parsers.
void ComplainOption(ToolboxOptionError error, const std::string &word);
