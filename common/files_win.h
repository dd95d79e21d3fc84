// Whole-file reading and writing for the suite's file formats.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file, refusing one larger than maxBytes. share is the
// sharing the file is opened with (existing files only). *opened (when given)
// tells a file that could not be opened from one that could not be read.
bool ReadWholeFile(const std::string &path, size_t maxBytes, std::vector<uint8_t> *out, bool *opened = nullptr,
                   DWORD share = FILE_SHARE_READ);
// Writes the bytes as the whole file, replacing it; a failed write removes
// the file, so it is written whole or not at all.
bool WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes);
// Replaces a file without ever losing it: the bytes go to "<path>.new" beside
// it, which takes the file's place only once written whole. On any failure
// the old file is left as it was and the new one removed.
bool ReplaceFileWhole(const std::string &path, const std::vector<uint8_t> &bytes);
// The folder exists, or is created (its parent must exist). False when the
// name is a file or the folder cannot be made.
bool EnsureFolder(const std::string &folder);
// True when the path names an existing folder.
bool IsFolder(const std::string &path);
// The folder exists, or is created with its missing parents (never the server
// or share of a network path). False when a step is a file or cannot be made.
bool CreateFolderWithParents(const std::string &folder);
// Whether a file can be made in the folder: the probe is a temporary file
// ("<folder>\gyXXXX.tmp", up to 14 characters after the folder's), deleted at once.
bool FolderAcceptsFiles(const std::string &folder);
// The full path of a file name (GetFullPathNameA); "" when it would not fit
// MAX_PATH characters.
std::string FullPath(const std::string &path);
