#include "paths.h"

#include <cstring>

std::string CollapseBackslashes(const std::string &path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') continue;
        out += path[i];
    }
    return out;
}

char *CollapseBackslashesInPlace(char *buf) {
    char *w = buf;
    for (const char *r = buf; *r; ++r) {
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
