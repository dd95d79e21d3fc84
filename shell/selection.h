// Rules of the main window's commands that need no window: the browser's
// selection text, the target folder, the names of results. Portable.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The sources named by the browser's selection text in `folder`: a text
// without a double quote is one file name; otherwise every name between a
// pair of double quotes is one, in order. Each becomes folder + "\" + name
// with doubled backslashes collapsed, unless it is a full path already
// ("C:\..." or "\\server\..."). At most `limit` sources are taken.
std::vector<std::string> SourcesFromSelection(const std::string &folder, const std::string &text, size_t limit);

// True for the video types the video tool picks a frame from first.
bool IsVideoSource(const std::string &path);
// The video tool's command line: "<video>|<folder>", the folder that
// receives the grabbed frame.
std::string VideoToolParameters(const std::string &video, const std::string &folder);
// The pattern of the frames the video tool grabs from a video into a folder:
// "<folder>\<base name of the video>*.bmp", backslashes collapsed.
std::string GrabbedFramePattern(const std::string &folder, const std::string &video);

// The file a conversion leaves for the source `source` in `target`: the icon
// (kind 1), the profile bitmap (kind 4) or the cursor (other kinds).
std::string ResultPath(const std::string &target, const std::string &source, int kind);

// A path as a single command-line parameter: quoted when it holds a blank.
std::string QuotedParameter(const std::string &path);
