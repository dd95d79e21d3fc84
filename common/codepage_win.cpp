#include "common/codepage_win.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring ToWide(UINT codePage, const std::string &text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], n);
    return wide;
}

// UTF-8 takes neither a default character nor the used-default flag.
std::string FromWide(UINT codePage, DWORD flags, const std::wstring &wide, BOOL *usedDefault) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, flags, wide.data(), (int)wide.size(), nullptr, 0, nullptr, usedDefault);
    if (n <= 0) return std::string();
    std::string text((size_t)n, '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), (int)wide.size(), &text[0], n, nullptr, usedDefault);
    return text;
}

}  // namespace

std::wstring AnsiToWide(const std::string &ansi) { return ToWide(CP_ACP, ansi); }

std::string AnsiToUtf8(const std::string &ansi) { return FromWide(CP_UTF8, 0, ToWide(CP_ACP, ansi), nullptr); }

std::string Utf8ToAnsi(const std::string &utf8) { return FromWide(CP_ACP, 0, ToWide(CP_UTF8, utf8), nullptr); }

bool WideToAnsiExactly(const std::wstring &wide, std::string *ansi) {
    BOOL usedDefault = FALSE;
    *ansi = FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, &usedDefault);
    // The round trip catches what the flag does not (a code page without
    // best-fit tables, a character composed differently).
    return !usedDefault && (wide.empty() || !ansi->empty()) && ToWide(CP_ACP, *ansi) == wide;
}
