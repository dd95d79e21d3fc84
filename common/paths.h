// Path helpers shared by every subsystem. Portable.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Drops every backslash that is directly followed by another one, so any run
// of backslashes becomes one, except the two that open a network path
// ("\\server\share\..."). Paths formed from the temporary folder (which
// ends in a backslash) pass through this before use.
std::string CollapseBackslashes(const std::string &path);
// In-place form for fixed buffers; returns buf.
char *CollapseBackslashesInPlace(char *buf);

// The file name of a path without its folder and without its extension (the
// part from the last dot of the file name). "C:\a\b.c\pic.x.ico" -> "pic.x".
std::string BaseName(const std::string &path);
// The folder of a path, without the trailing separator ("" when none).
std::string DirName(const std::string &path);
// The extension from the last dot of the file name, dot included ("" when none).
std::string Extension(const std::string &path);

// The folders to create, outermost first, so that `path` exists afterwards:
// every prefix ending before a backslash, then the path itself, leaving out a
// drive ("C:") and the server and share of a network path.
std::vector<std::string> FolderChain(const std::string &path);

// Whether the path's extension (as Extension gives it) is one of the `count`
// extensions of `list` (each with its dot), ignoring case.
bool HasExtensionIn(const std::string &path, const char *const *list, size_t count);

// Case-insensitive ASCII comparison of at most n characters (like _strnicmp).
int CompareNoCase(const char *a, const char *b, size_t n);

// Bounded copy into a fixed buffer: copies at most size-1 characters and
// always terminates. Returns false when the text did not fit (it is cut).
bool CopyBounded(char *dst, size_t size, const std::string &src);

// Whether `name` can stand alone as a file name in a folder: not empty, not
// "." or "..", no folder separator, none of : * ? " < > | and no control
// character. A name the user types (a capture's icon name) is checked with
// this before a path is formed from it.
bool IsPlainFileName(const std::string &name);
