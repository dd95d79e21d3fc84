#include "common/files_win.h"

#include "common/seams.h"

#include "common/handles.h"
#include "common/paths.h"

bool ReadWholeFile(const std::string &path, size_t maxBytes, std::vector<uint8_t> *out, bool *opened, DWORD share) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (opened) *opened = (bool)file;
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || (uint64_t)size.QuadPart > maxBytes) return false;
    out->resize((size_t)size.QuadPart);
    DWORD got = 0;
    return out->empty() || (ReadFile(file.get(), out->data(), (DWORD)out->size(), &got, nullptr) && got == out->size());
}

bool WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file.get(), bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size());
    file.reset();
    if (!ok) DeleteFileA(path.c_str());
    return ok;
}

bool ReplaceFileWhole(const std::string &path, const std::vector<uint8_t> &bytes) {
    // A read-only file is never replaced (nor anything written beside it).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    std::string beside = path + ".new";
    if (!WriteFileForReplace(beside, bytes)) {
        DeleteFileA(beside.c_str());
        return false;
    }
    if (!MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(beside.c_str());
        return false;
    }
    return true;
}

bool EnsureFolder(const std::string &folder) {
    DWORD a = GetFileAttributesA(folder.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return CreateDirectoryA(folder.c_str(), nullptr) != 0;
}

bool IsFolder(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderWithParents(const std::string &folder) {
    for (const std::string &step : FolderChain(folder))
        if (!EnsureFolder(step)) return false;
    return IsFolder(folder);
}

bool FolderAcceptsFiles(const std::string &folder) {
    char probe[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "gy", 0, probe)) return false;
    DeleteFileA(probe);
    return true;
}

std::string FullPath(const std::string &path) {
    char buf[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buf, nullptr);
    return n && n < MAX_PATH ? std::string(buf, n) : std::string();
}
