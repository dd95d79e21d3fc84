// RAII owners for Win32 handles. Each closes its handle with the matching call
// when it goes out of scope; release() hands ownership back to the caller.
#pragma once
#include <windows.h>

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() : h_(Traits::Invalid()) {}
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&o) noexcept : h_(o.release()) {}
    UniqueHandle &operator=(UniqueHandle &&o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    H release() {
        H h = h_;
        h_ = Traits::Invalid();
        return h;
    }
    void reset(H h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    H h_;
};

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct BitmapTraits {
    static HBITMAP Invalid() { return nullptr; }
    static void Close(HBITMAP h) { DeleteObject(h); }
};
struct PaletteTraits {
    static HPALETTE Invalid() { return nullptr; }
    static void Close(HPALETTE h) { DeleteObject(h); }
};
struct MemDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct GlobalTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
// A menu not attached to a window (DestroyMenu also destroys its popups).
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};

typedef UniqueHandle<HANDLE, FileHandleTraits> UniqueFile;
typedef UniqueHandle<HANDLE, KernelHandleTraits> UniqueKernelHandle;
typedef UniqueHandle<HBITMAP, BitmapTraits> UniqueBitmap;
typedef UniqueHandle<HPALETTE, PaletteTraits> UniquePalette;
typedef UniqueHandle<HDC, MemDcTraits> UniqueMemDC;
typedef UniqueHandle<HKEY, RegKeyTraits> UniqueRegKey;
typedef UniqueHandle<HGLOBAL, GlobalTraits> UniqueGlobal;
typedef UniqueHandle<HMODULE, ModuleTraits> UniqueModule;
typedef UniqueHandle<HICON, IconTraits> UniqueIcon;
typedef UniqueHandle<HMENU, MenuTraits> UniqueMenu;
typedef UniqueHandle<HGDIOBJ, GdiObjectTraits> UniqueGdiObject;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectObjectScope() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectObjectScope(const SelectObjectScope &) = delete;
    SelectObjectScope &operator=(const SelectObjectScope &) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
