#include "conversion/outputguard_win.h"

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/types.h"
#include "conversion/driver_win.h"
#include "conversion/sources.h"

FileIdentity IdentityOf(const std::string &path) {
    FileIdentity id;
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    id.fullPath = n && n < MAX_PATH ? std::string(full, n) : path;
    // The system's own case folding of the ANSI code page (accented letters too).
    if (!id.fullPath.empty()) CharUpperBuffA(&id.fullPath[0], (DWORD)id.fullPath.size());
    // No access asked: the identity of a file another program holds open is read too.
    UniqueFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (file && GetFileInformationByHandle(file.get(), &info)) {
        id.exists = true;
        id.volume = info.dwVolumeSerialNumber;
        id.indexHigh = info.nFileIndexHigh;
        id.indexLow = info.nFileIndexLow;
    }
    return id;
}

bool SameFile(const FileIdentity &a, const FileIdentity &b) {
    return a.fullPath == b.fullPath || (a.exists && b.exists && a.volume == b.volume && a.indexHigh == b.indexHigh &&
                                        a.indexLow == b.indexLow);
}

void OutputGuard::KnownFiles::Add(const FileIdentity &id) {
    paths.insert(id.fullPath);
    if (id.exists) files.insert(std::make_tuple(id.volume, id.indexHigh, id.indexLow));
}

bool OutputGuard::KnownFiles::Has(const FileIdentity &id) const {
    return paths.count(id.fullPath) || (id.exists && files.count(std::make_tuple(id.volume, id.indexHigh, id.indexLow)));
}

OutputGuard::OutputGuard(const std::vector<std::string> &sources) {
    for (const std::string &source : sources) sources_.Add(IdentityOf(source));
}

OutputClash OutputGuard::Check(const std::vector<std::string> &files, std::string *file) const {
    for (const std::string &path : files) {
        FileIdentity id = IdentityOf(path);
        *file = path;
        if (sources_.Has(id)) return kClashWithSource;
        if (written_.Has(id)) return kClashWithWritten;
    }
    file->clear();
    return kNoClash;
}

void OutputGuard::Wrote(const std::string &output) { written_.Add(IdentityOf(output)); }

std::vector<std::string> FilesWrittenFor(const ConversionRequest &request, const std::string &source) {
    std::vector<std::string> files;
    std::string base = BaseName(source);
    if (ClassifySource(source) == kMpegSource) {
        // A clip's outputs depend on its frame count, unknown before it is
        // decoded: the file of a clip of one frame and that of the first frame.
        if (request.kind == kCreateIcon || request.kind == kCreateCursor) {
            files.push_back(OutputPath(request.targetFolder, base, -1, request.kind));
            files.push_back(OutputPath(request.targetFolder, base, 0, request.kind));
        } else if (request.kind == kCreateAnimatedCursor && !request.makeAnimatedCursor) {
            files.push_back(AniOutputPath(request.targetFolder, base));
        }
    } else if (request.kind == kCreateProfile) {
        files.push_back(ProfileImagePath(request.targetFolder, base));
    } else if (request.kind == kCreateIcon || request.kind == kCreateCursor) {
        files.push_back(OutputPath(request.targetFolder, base, -1, request.kind));
        std::string temp = TempFolder();
        for (const FormatEntry &format : request.formats) {
            std::string name = RenderedBitmapName(temp, base, -1, format.size, format.bits);
            files.push_back(FileOfRenderedName(name));
        }
    }
    // A name too long to form is refused by the conversion itself.
    for (size_t i = files.size(); i-- > 0;)
        if (files[i].empty()) files.erase(files.begin() + (long)i);
    return files;
}
