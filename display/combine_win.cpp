#include "display/combine_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/codepage_win.h"
#include "common/files_win.h"
#include "common/handles.h"
#include "common/help_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gydib.h"
#include "contracts/gygraph.h"
#include "conversion/driver_win.h"
#include "conversion/imageowners.h"
#include "display/displaytools_resource.h"
#include "display/effects_win.h"

namespace {

// The pictures the compositor takes are icon-sized or clipboard pictures;
// a result file beyond this is not one of ours.
const size_t kMaxResultBytes = 64u << 20;

ImagePtr ReadPicture(const std::string &path, ExceptionInfo *e) {
    ImageInfoPtr info(AcquireImageInfo());
    if (!CopyBounded(info->filename, MaxTextExtent, AnsiToUtf8(path))) return ImagePtr();
    return ImagePtr(ReadImage(info.get(), e));
}

// Writes a bitmap through the DIB helpers as a packed DIB file.
bool SaveBitmapFile(HBITMAP bitmap, const std::string &path) {
    UniqueGlobal dib(BitmapToDIB(bitmap, nullptr));
    return dib && SaveDIB(dib.get(), path.c_str());
}

HBITMAP ReadBitmapFile(const std::string &path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxResultBytes, &bytes)) return nullptr;
    return BitmapFromBmpBytes(bytes.data(), bytes.size());
}

std::string Text(HINSTANCE instance, UINT id) { return LoadText(instance, id); }

void Tell(HWND owner, HINSTANCE instance, UINT text) {
    ShowMessage(owner, Text(instance, text).c_str(), Text(instance, IDS_TOOLS_CAPTION).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

// ------------------------------------------------------------ the dialog

struct CombineRun {
    HINSTANCE instance;
    const char *helpFile;  // the main help file, or null
    CombineChoice *choice;
};

void EnableModes(HWND dialog) {
    bool mix = IsDlgButtonChecked(dialog, IDC_COMBINE_MIX) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_COMBINE_RATIO), mix);
    EnableWindow(GetDlgItem(dialog, IDC_COMBINE_OPERATOR), !mix);
    bool move = IsDlgButtonChecked(dialog, IDC_COMBINE_MOVE) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_COMBINE_GRAVITY), move);
}

void OnInitCombine(HWND dialog, CombineRun *run) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)run);
    SetDlgItemInt(dialog, IDC_COMBINE_RATIO, 0, FALSE);
    HWND ops = GetDlgItem(dialog, IDC_COMBINE_OPERATOR);
    for (int i = 0; CombineOperatorWord(i); ++i)
        SendMessageA(ops, CB_ADDSTRING, 0, (LPARAM)Text(run->instance, IDS_COMBINE_OPERATOR_FIRST + i).c_str());
    SendMessageA(ops, CB_SETCURSEL, 0, 0);
    HWND places = GetDlgItem(dialog, IDC_COMBINE_GRAVITY);
    for (int i = 0; CombineGravityName(i); ++i)
        SendMessageA(places, CB_ADDSTRING, 0, (LPARAM)Text(run->instance, IDS_COMBINE_GRAVITY_FIRST + i).c_str());
    SendMessageA(places, CB_SETCURSEL, 7, 0);  // "Center"
    SetDlgItemTextA(dialog, IDCANCEL, Text(run->instance, IDS_COMBINE_CANCEL).c_str());
    CheckRadioButton(dialog, IDC_COMBINE_MIX, IDC_COMBINE_COMPOSE, IDC_COMBINE_MIX);
    CheckRadioButton(dialog, IDC_COMBINE_BACKGROUND, IDC_COMBINE_MOVE, IDC_COMBINE_BACKGROUND);
    EnableModes(dialog);
}

// OK: the choice as the dialog shows it; a mix without a ratio keeps the
// dialog open.
void OnCombineOk(HWND dialog, CombineRun *run) {
    CombineChoice choice;
    if (IsDlgButtonChecked(dialog, IDC_COMBINE_MIX) == BST_CHECKED) {
        char text[32] = "";
        GetDlgItemTextA(dialog, IDC_COMBINE_RATIO, text, sizeof text);
        choice.ratio = CombineRatio(text);
        if (choice.ratio == 0) {
            Tell(dialog, run->instance, IDS_COMBINE_BAD_RATIO);
            SetFocus(GetDlgItem(dialog, IDC_COMBINE_RATIO));
            return;
        }
    } else {
        choice.op = (int32_t)SendDlgItemMessageA(dialog, IDC_COMBINE_OPERATOR, CB_GETCURSEL, 0, 0);
    }
    if (IsDlgButtonChecked(dialog, IDC_COMBINE_BACKGROUND) != BST_CHECKED) {
        const char *name =
            CombineGravityName((int32_t)SendDlgItemMessageA(dialog, IDC_COMBINE_GRAVITY, CB_GETCURSEL, 0, 0));
        if (name) choice.gravity = name;
    }
    *run->choice = choice;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK CombineProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    CombineRun *run = (CombineRun *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG: OnInitCombine(dialog, (CombineRun *)lParam); return TRUE;
    case WM_COMMAND:
        if (!run) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnCombineOk(dialog, run); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_COMBINE_MIX:
        case IDC_COMBINE_COMPOSE:
            EnableModes(dialog);
            SetFocus(GetDlgItem(dialog, LOWORD(wParam) == IDC_COMBINE_MIX ? IDC_COMBINE_RATIO : IDC_COMBINE_OPERATOR));
            return TRUE;
        case IDC_COMBINE_BACKGROUND:
        case IDC_COMBINE_MOVE: EnableModes(dialog); return TRUE;
        case IDC_COMBINE_HELP:
            if (run->helpFile) ShowHelpTopic(dialog, run->helpFile, HELP_COMBINE);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// The clipboard's bitmap as a copy of our own (the clipboard keeps its
// handle); `none` and `null` are the messages for no bitmap and a null one.
HBITMAP TakeClipboardBitmap(HWND owner, HINSTANCE instance, UINT none, UINT null) {
    if (!OpenClipboard(owner)) {
        Tell(owner, instance, none);
        return nullptr;
    }
    if (!IsClipboardFormatAvailable(CF_BITMAP)) {
        CloseClipboard();
        Tell(owner, instance, none);
        return nullptr;
    }
    HBITMAP shared = (HBITMAP)GetClipboardData(CF_BITMAP);
    HBITMAP copy = shared ? (HBITMAP)CopyImage(shared, IMAGE_BITMAP, 0, 0, 0) : nullptr;
    CloseClipboard();
    if (!copy) Tell(owner, instance, null);
    return copy;
}

}  // namespace

CompositeOperator LibraryCompositeOperator(int op) {
    switch (op) {
    case kComposeAdd: return AddCompositeOp;
    case kComposeAtop: return AtopCompositeOp;
    case kComposeBlend: return BlendCompositeOp;
    case kComposeBumpmap: return BumpmapCompositeOp;
    case kComposeCopy: return CopyCompositeOp;
    case kComposeDifference: return DifferenceCompositeOp;
    case kComposeDisplace: return DisplaceCompositeOp;
    case kComposeIn: return InCompositeOp;
    case kComposeMinus: return MinusDstCompositeOp;
    case kComposeOut: return OutCompositeOp;
    case kComposeOver: return OverCompositeOp;
    case kComposePlus: return PlusCompositeOp;
    case kComposeReplace: return ReplaceCompositeOp;
    // The target (the clipboard picture) minus the picture laid on it, never below 0.
    case kComposeSubtract: return MinusSrcCompositeOp;
    case kComposeXor: return XorCompositeOp;
    default: return UndefinedCompositeOp;
    }
}

int RunCompositor(const std::vector<std::string> &args) {
    CompositePlan plan;
    if (ParseCompositeArguments(args, &plan) != CompositeError::kNone) return 0;
    EnsureImageLibrary();
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr target = ReadPicture(plan.target, e.get());
    ImagePtr picture = ReadPicture(plan.picture, e.get());
    if (!target || !picture) return 0;
    if (!plan.mask.empty()) {
        ImagePtr mask = ReadPicture(plan.mask, e.get());
        if (!mask) return 0;
        CompositeImage(picture.get(), OverCompositeOp, mask.get(), 0, 0);
    }
    if (plan.op == kComposeDisplace) picture->matte = MagickFalse;
    if (plan.op == kComposeBlend) {
        // The picture's share; the target keeps the rest.
        char share[32];
        snprintf(share, sizeof share, "%g", std::min(plan.blend, 100.0));
        SetImageArtifact(target.get(), "compose:args", share);
    }
    const CompositeOperator op = LibraryCompositeOperator(plan.op);
    const int64_t W = (int64_t)target->columns, H = (int64_t)target->rows;
    if (plan.tile) {
        for (const TileOrigin &t : TileOrigins(W, H, (int64_t)picture->columns, (int64_t)picture->rows))
            CompositeImage(target.get(), op, picture.get(), (ssize_t)t.x, (ssize_t)t.y);
    } else {
        int64_t x = 0, y = 0;
        bool resize = false;
        PlaceByGravity(plan.gravity, W, H, (int64_t)picture->columns, (int64_t)picture->rows, &x, &y, &resize);
        if (resize) {
            Image *resized = ResizeImage(picture.get(), target->columns, target->rows, UndefinedFilter, 1.0, e.get());
            if (!resized) return 0;
            picture.reset(resized);
        }
        CompositeImage(target.get(), op, picture.get(), (ssize_t)x, (ssize_t)y);
    }
    // The whole list as mogrify options on the result (file names and the
    // compositor's own options are settings there).
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    ImageInfoPtr info(AcquireImageInfo());
    Image *raw = target.release();
    MogrifyImages(info.get(), MagickFalse, (int)argv.size() - 1, argv.data(), &raw, e.get());
    target.reset(raw);
    if (!target) return 0;
    // An opaque, uncompressed bitmap with the classic header, as every
    // bitmap reader of the suite takes it.
    target->matte = MagickFalse;
    info->compression = NoCompression;
    target->compression = NoCompression;
    if (!CopyBounded(target->filename, MaxTextExtent, "BMP3:" + AnsiToUtf8(plan.output))) return 0;
    return WriteImage(info.get(), target.get()) != MagickFalse ? 1 : 0;
}

bool RunCombineDialog(HWND owner, HINSTANCE instance, const char *helpFile, CombineChoice *choice) {
    CombineRun run = {instance, helpFile, choice};
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_COMBINE), owner, CombineProc, (LPARAM)&run) == 1;
}

HBITMAP PasteFromClipboard(HWND owner, HINSTANCE instance) {
    return TakeClipboardBitmap(owner, instance, IDS_PASTE_NO_BITMAP, IDS_PASTE_NO_IMAGE);
}

HBITMAP CombineWithClipboard(HWND owner, HINSTANCE instance, const char *helpFile, HBITMAP picture,
                             const std::string &workingFile) {
    CombineChoice choice;
    if (!RunCombineDialog(owner, instance, helpFile, &choice)) return nullptr;
    UniqueBitmap clipboard(TakeClipboardBitmap(owner, instance, IDS_COMBINE_NO_BITMAP, IDS_COMBINE_NO_IMAGE));
    if (!clipboard || !picture) return nullptr;
    const std::string clipFile = CollapseBackslashes(TempFolder() + "G2.bmp");
    const std::string pictureFile = CollapseBackslashes(TempFolder() + "G.bmp");
    HBITMAP result = nullptr;
    DeleteFileA(workingFile.c_str());  // a stale result must not be taken for this one
    if (SaveBitmapFile(clipboard.get(), clipFile) && SaveBitmapFile(picture, pictureFile) &&
        RunCompositor(CombineArguments(choice, clipFile, pictureFile, workingFile)))
        result = ReadBitmapFile(workingFile);
    DeleteFileA(clipFile.c_str());
    DeleteFileA(pictureFile.c_str());
    DeleteFileA(workingFile.c_str());
    return result;
}

HBITMAP CropToSquare(HBITMAP bitmap, int size) {
    if (!bitmap || size < 1) return nullptr;
    WindowDC screen(nullptr);
    UniqueMemDC from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
    HBITMAP square = CreateCompatibleBitmap(screen.get(), size, size);
    if (!from || !to || !square) {
        if (square) DeleteObject(square);
        return nullptr;
    }
    SelectObjectScope a(from.get(), bitmap), b(to.get(), square);
    PatBlt(to.get(), 0, 0, size, size, BLACKNESS);
    BitBlt(to.get(), 0, 0, size, size, from.get(), 0, 0, SRCCOPY);
    return square;
}
