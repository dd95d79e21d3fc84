// A stand-in viewer for the end-to-end tests: writes its command line to
// "<its own path>.log" and ends, so a test can see what the main program started.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH - 5);
    if (n == 0 || n >= MAX_PATH - 5) return 1;
    strcpy(self + n, ".log");
    HANDLE file = CreateFileA(self, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char *line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, (DWORD)strlen(line), &written, nullptr);
    CloseHandle(file);
    return 0;
}
