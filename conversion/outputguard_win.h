// Keeps a conversion from writing over its own pictures. Before a source is
// converted, every file its conversion would write (the output in the target
// folder and the bitmaps rendered in the temporary folder) is compared with
// every source of the request and with every output the conversion wrote
// before: the same file (any case, any spelling of the path, the same volume
// and file index) stops that source, and the files stay as they were.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

struct ConversionRequest;

// One file, as far as the system can tell it apart from others: its full
// path in upper case and, when it exists, its volume serial number and
// file index.
struct FileIdentity {
    std::string fullPath;
    bool exists = false;
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
};
FileIdentity IdentityOf(const std::string &path);
// The same file: equal full paths, or both exist with the same volume and index.
bool SameFile(const FileIdentity &a, const FileIdentity &b);

enum OutputClash {
    kNoClash,
    kClashWithSource,   // a file it would write is one of the pictures being converted
    kClashWithWritten,  // its output was written from an earlier source of this conversion
};

class OutputGuard {
public:
    explicit OutputGuard(const std::vector<std::string> &sources);
    // `files`: what converting one source writes. *file names the one that clashes.
    OutputClash Check(const std::vector<std::string> &files, std::string *file) const;
    void Wrote(const std::string &output);

private:
    // Files known by their paths and, those that exist, by volume and index.
    struct KnownFiles {
        std::set<std::string> paths;
        std::set<std::tuple<DWORD, DWORD, DWORD>> files;
        void Add(const FileIdentity &id);
        bool Has(const FileIdentity &id) const;
    };
    KnownFiles sources_, written_;
};

// The files converting `source` writes with `request`: for an icon or cursor
// the output and the rendered bitmaps, for a profile image its bitmap;
// nothing for kinds that make nothing from a still picture.
std::vector<std::string> FilesWrittenFor(const ConversionRequest &request, const std::string &source);
