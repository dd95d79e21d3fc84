#include "paths.h"

#include <cstring>

// A network path ("\\server\share\...") opens with two backslashes that
// name no empty folder: they stay. Only the first is exempt from collapsing,
// so the second survives as the last of its run.
static size_t NetworkOpening(const char *path) { return path[0] == '\\' && path[1] == '\\' ? 1 : 0; }

std::string CollapseBackslashes(const std::string &path) {
    size_t keep = NetworkOpening(path.c_str());
    std::string out(path, 0, keep);
    out.reserve(path.size());
    for (size_t i = keep; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') continue;
        out += path[i];
    }
    return out;
}

char *CollapseBackslashesInPlace(char *buf) {
    char *w = buf + NetworkOpening(buf);
    for (const char *r = w; *r; ++r) {
        if (r[0] == '\\' && r[1] == '\\') continue;
        *w++ = *r;
    }
    *w = '\0';
    return buf;
}

static size_t NameStart(const std::string &path) {
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string BaseName(const std::string &path) {
    std::string name = path.substr(NameStart(path));
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string DirName(const std::string &path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Extension(const std::string &path) {
    std::string name = path.substr(NameStart(path));
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

int CompareNoCase(const char *a, const char *b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        int ca = (unsigned char)a[i], cb = (unsigned char)b[i];
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb) return ca - cb;
        if (ca == 0) return 0;
    }
    return 0;
}

bool CopyBounded(char *dst, size_t size, const std::string &src) {
    if (size == 0) return false;
    size_t n = src.size() < size - 1 ? src.size() : size - 1;
    memcpy(dst, src.data(), n);
    dst[n] = '\0';
    return n == src.size();
}

std::vector<std::string> FolderChain(const std::string &rawPath) {
    std::vector<std::string> chain;
    std::string path = CollapseBackslashes(rawPath);
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    if (path.empty()) return chain;
    size_t start = 0;
    if (NetworkOpening(path.c_str())) {
        // A network path: "\\server\share" exists or not; only below it is created.
        size_t server = path.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        if (share == std::string::npos) return chain;
        start = share + 1;
    } else if (path.size() >= 2 && path[1] == ':') {
        start = path.size() > 2 && path[2] == '\\' ? 3 : 2;
    } else if (path[0] == '\\') {
        start = 1;
    }
    for (size_t i = start; i < path.size(); ++i)
        if (path[i] == '\\') chain.push_back(path.substr(0, i));
    if (start < path.size()) chain.push_back(path);
    return chain;
}

bool IsPlainFileName(const std::string &name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 32 || strchr("\\/:*?\"<>|", c)) return false;
    return true;
}

bool HasExtensionIn(const std::string &path, const char *const *list, size_t count) {
    std::string ext = Extension(path);
    for (size_t i = 0; i < count; ++i)
        if (ext.size() == strlen(list[i]) && CompareNoCase(ext.c_str(), list[i], ext.size()) == 0) return true;
    return false;
}
