#include "editor/effects_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "display/combine_win.h"
#include "display/effects_resource.h"
#include "display/effects_win.h"
#include "display/plugins_win.h"
#include "editor/effects_resource.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "editor/tools_win.h"
#include "editor/views_win.h"

namespace {

const int kPluginsMenu = 7;  // position of "Plugins" in the menu bar

// The effect chosen last and its parameters (the border colour is the
// catalogue's BorderColor()); the selection-only switch. They last for the run.
struct EffectState {
    EffectCode code = 0;
    EffectParams params;
    bool selectionOnly = false;
};
EffectState g_effect;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
std::string Text(UINT id) { return LoadText(Instance(), id); }

void Tell(HWND owner, UINT text, UINT icon) {
    ShowMessage(owner, Text(text).c_str(), Text(IDS_TITLE).c_str(), MB_OK | icon);
}

// Commands that set their code and run it at once.
struct DirectEffect {
    int command;
    EffectCode code;
};
const DirectEffect kDirectEffects[] = {
    {CMD_FLIP, 5},         {CMD_FLOP, 6},     {CMD_ANDY, 100},   {CMD_BAS_RELIEF, 102}, {CMD_INVERT, 104},
    {CMD_NO_BLUE, 105},    {CMD_NO_GREEN, 106}, {CMD_NO_RED, 107}, {CMD_FROSTED_GLASS, 109},
    {CMD_GRAY, 201},       {CMD_OHTA, 204},   {CMD_SRGB, 205},   {CMD_YCC, 206},        {CMD_YIQ, 207},
    {CMD_YUV, 208},
};

// Commands whose form dialog fills the parameters first.
struct FormEffect {
    int command;
    int templateId;
    EffectCode code;
};
const FormEffect kFormEffects[] = {
    {CMD_BORDER, IDD_FX_BORDER, 1},  {CMD_COLORIZE, IDD_FX_COLORIZE, 2}, {CMD_FRAME, IDD_FX_FRAME, 304},
    {CMD_ROLL, IDD_FX_ROLL, 108},    {CMD_MODULATE, IDD_FX_MODULATE, 305},
};

// The library's colour spaces by the names the catalogue gives them.
struct NamedColorSpace {
    const char *name;
    ColorspaceType space;
};
const NamedColorSpace kColorSpaces[] = {{"GRAY", GRAYColorspace}, {"OHTA", OHTAColorspace},
                                        {"sRGB", sRGBColorspace}, {"YCC", YCCColorspace},
                                        {"YIQ", YIQColorspace},   {"YUV", YUVColorspace}};

// The frame's width and height must hold both bevels.
bool AcceptFrame(HWND dialog, int templateId, const EffectParams &p) {
    if (templateId != IDD_FX_FRAME) return true;
    if (p.p1 >= p.p3 && p.p1 >= p.p4 && p.p2 >= p.p3 && p.p2 >= p.p4) return true;
    Tell(dialog, IDS_BEVELS, MB_ICONERROR);
    SetFocus(GetDlgItem(dialog, IDC_FX_WIDTH));
    return false;
}
const FormDialogHost kEditorForms = {true, AcceptFrame};

void CountColors(HWND frame) {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    if (!image) return;
    ExceptionPtr e(AcquireExceptionInfo());
    size_t count = GetNumberColors(image.get(), nullptr, e.get());
    char text[128];
    snprintf(text, sizeof text, Text(IDS_UNIQUE_COLORS).c_str(), (int)count);
    ShowMessage(frame, text, Text(IDS_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
}

// Command 1436: the chosen code on the current picture, one picture pushed.
void RunChosenEffect() {
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    if (!image) return;
    AcceptPicture(RunEffect(info.get(), &image, g_effect.code, g_effect.params));
}

void Choose(HWND frame, EffectCode code) {
    g_effect.code = code;
    SendMessageA(frame, WM_COMMAND, CMD_RUN_EFFECT, 0);
}

// Flash and Palette: a green-to-blue gradient or a plasma picture of the
// image's size laid on a copy of it with the difference operator.
void LayGenerated(bool plasma) {
    EnsureImageLibrary();
    WaitCursor wait;
    ImageInfoPtr info(AcquireImageInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    if (!image) return;
    ExceptionPtr e(AcquireExceptionInfo());
    ImageInfoPtr made(AcquireImageInfo());
    std::string size = std::to_string(image->columns) + "x" + std::to_string(image->rows);
    CloneString(&made->size, size.c_str());
    CopyBounded(made->filename, MaxTextExtent, plasma ? "fractal" : "green-blue");
    ImagePtr generated(plasma ? ReadPlasmaImage(made.get(), e.get()) : ReadGRADIENTImage(made.get(), e.get()));
    ImagePtr copy(CloneImage(image.get(), 0, 0, MagickTrue, e.get()));
    if (!generated || !copy) return;
    CompositeImage(copy.get(), LibraryCompositeOperator(kComposeDifference), generated.get(), 0, 0);
    AcceptPicture(ImageToBitmap(info.get(), copy.get()));
}

// ------------------------------------------------------------------ Paste

// The modes of the Paste list, in order.
const int kPasteModes[] = {kComposeAdd, kComposeAtop,  kComposeBumpmap, kComposeCopy, kComposeDisplace, kComposeIn,
                           kComposeMinus, kComposeOut, kComposeOver,    kComposeSubtract, kComposeXor};
const int kPasteModeCount = sizeof kPasteModes / sizeof kPasteModes[0];

struct PasteRun {
    UniqueBitmap clipboard;  // our copy of the clipboard's picture
};

// A copy of the clipboard's bitmap, or null when it holds none.
HBITMAP ClipboardPicture(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !OpenClipboard(owner)) return nullptr;
    HBITMAP shared = (HBITMAP)GetClipboardData(CF_BITMAP);
    HBITMAP copy = shared ? (HBITMAP)CopyImage(shared, IMAGE_BITMAP, 0, 0, 0) : nullptr;
    CloseClipboard();
    return copy;
}

void OnPasteOk(HWND dialog, PasteRun *run) {
    LRESULT mode = SendDlgItemMessageA(dialog, IDC_PASTE_MODE, LB_GETCURSEL, 0, 0);
    if (mode < 0 || mode >= kPasteModeCount) mode = 0;
    g_effect.params = EffectParams();
    EnsureImageLibrary();
    WaitCursor wait;
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    ImagePtr picture(BitmapToImage(info.get(), run->clipboard.get()));
    ImagePtr copy(image ? CloneImage(image.get(), 0, 0, MagickTrue, e.get()) : nullptr);
    if (picture && copy) {
        const int op = kPasteModes[mode];
        if (op == kComposeDisplace) picture->matte = MagickFalse;
        CompositeImage(copy.get(), LibraryCompositeOperator(op), picture.get(), 0, 0);
        AcceptPicture(ImageToBitmap(info.get(), copy.get()));
    }
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK PasteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PasteRun *run = (PasteRun *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        run = (PasteRun *)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        run->clipboard.reset(ClipboardPicture(dialog));
        if (!run->clipboard) {  // nothing to combine: the dialog ends at once
            EndDialog(dialog, 0);
            return TRUE;
        }
        for (int i = 0; i < kPasteModeCount; ++i)
            SendDlgItemMessageA(dialog, IDC_PASTE_MODE, LB_ADDSTRING, 0, (LPARAM)Text(IDS_PASTE_MODE_FIRST + i).c_str());
        SendDlgItemMessageA(dialog, IDC_PASTE_MODE, LB_SETCURSEL, 0, 0);
        CentreOnOwner(dialog);
        return TRUE;
    case WM_COMMAND:
        if (!run) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnPasteOk(dialog, run); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- plug-ins

HMENU PluginsMenu(HWND frame) { return GetSubMenu(GetMenu(frame), kPluginsMenu); }

void RunEditorPlugin(HWND frame, int command) {
    EnsureImageLibrary();
    WaitCursor wait;
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    ImagePtr result(image ? RunPluginOnImage(image.get(), PluginsIniPath(), command, e.get()) : nullptr);
    HBITMAP picture = result ? ImageToBitmap(info.get(), result.get()) : nullptr;
    if (!picture) {
        Tell(frame, IDS_PLUGIN_FAILED, MB_ICONWARNING);
        return;
    }
    AcceptPicture(picture);
}

void RunEditorPluginManager(HWND frame) {
    RunPluginManager(frame, Instance(), PluginsMenu(frame), PluginsIniPath(),
                     {IDD_EDITOR_PLUGINS, IDS_PLUGINS_LABEL, IDS_PLUGINS_FOLDER, true, PluginNameSplit::kAtLastSlash});
}

bool RunFormEffect(HWND frame, int command) {
    for (const FormEffect &f : kFormEffects) {
        if (f.command != command) continue;
        int working = Views().session ? (int)Views().session->working.size : ActiveSize();
        if (RunFormDialog(frame, f.templateId, working, &g_effect.params, kEditorForms)) Choose(frame, f.code);
        return true;
    }
    return false;
}

}  // namespace

HBITMAP RunEffect(ImageInfo *info, ImagePtr *image, EffectCode code, const EffectParams &params) {
    if (!info || !image || !*image) return nullptr;
    WaitCursor wait;
    ExceptionPtr e(AcquireExceptionInfo());
    if (const char *name = EditorColorSpace(code)) {
        for (const NamedColorSpace &c : kColorSpaces) {
            // The library's pictures are sRGB already: that one changes nothing.
            if (strcmp(c.name, name) != 0 || c.space == sRGBColorspace) continue;
            RGBTransformImage(image->get(), c.space);
            // The channels are shown as they now stand, as red, green and
            // blue: the library would otherwise turn them back to sRGB when
            // it writes the picture.
            (*image)->colorspace = sRGBColorspace;
        }
        return ImageToBitmap(info, image->get());
    }
    std::vector<std::string> args = {"GlypheryEdit"};
    if (g_effect.selectionOnly) {
        PixelRect s = Selection();
        args.push_back("-region");
        args.push_back(RegionGeometry(s.left, s.top, s.right, s.bottom));
    }
    std::vector<std::string> options;
    EditorEffectArguments(code, params, BorderColor(), &options);
    args.insert(args.end(), options.begin(), options.end());
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);  // the list ends with a null entry, not counted
    // The library may replace the image by its result.
    Image *list = image->release();
    ApplyMogrify(info, (int)args.size(), argv.data(), &list, e.get());
    image->reset(list);
    return *image ? ImageToBitmap(info, image->get()) : nullptr;
}

Image *CurrentAsImage(ImageInfo *info) {
    HBITMAP current = CurrentPicture();
    return current ? BitmapToImage(info, current) : nullptr;
}

HBITMAP CurrentPicture() {
    const EditorIcon &icon = TheIcon();
    int i = CurrentImageIndex();
    if (i < 0 || i >= icon.count) return nullptr;
    return icon.images[i].history.current();
}

void AcceptPicture(HBITMAP picture) {
    if (!picture) return;
    ShowPicture(picture);
    PushPicture(picture);
}

bool EffectsOnSelectionOnly() { return g_effect.selectionOnly; }

void BuildEditorPluginsMenu(HWND frame) {
    std::string ini = PluginsIniPath();
    BuildPluginsMenu(PluginsMenu(frame), IniPluginFolders(ini), ini, PluginNameSplit::kAtLastSlash);
}

bool EffectsCommand(HWND frame, int id) {
    for (const DirectEffect &d : kDirectEffects)
        if (d.command == id) {
            Choose(frame, d.code);
            return true;
        }
    if (RunFormEffect(frame, id) || RunPreviewDialog(frame, id)) return true;
    if (IsPluginCommand(id)) {
        RunEditorPlugin(frame, id);
        return true;
    }
    switch (id) {
    case CMD_RUN_EFFECT: RunChosenEffect(); return true;
    case CMD_COUNT_COLORS: CountColors(frame); return true;
    case CMD_FLASH: LayGenerated(false); return true;
    case CMD_PLASMA: LayGenerated(true); return true;
    case CMD_SELECTION_ONLY: g_effect.selectionOnly = !g_effect.selectionOnly; return true;
    case CMD_PLUGIN_MANAGER: RunEditorPluginManager(frame); return true;
    case CMD_PASTE: {
        PasteRun run;
        DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_PASTE), frame, PasteProc, (LPARAM)&run);
        return true;
    }
    }
    return false;
}
