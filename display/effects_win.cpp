#include "display/effects_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <vector>

#include "common/bytereader.h"
#include "common/codepage_win.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "contracts/gygraph.h"
#include "conversion/driver_win.h"
#include "conversion/imageowners.h"
#include "display/effects_resource.h"

namespace {

// The display window's effect lists and their "Apply" buttons.
const int kSpecialList = 1346, kColorizeList = 1451, kFilterList = 1452;
const int kSpecialApply = 408, kColorizeApply = 1117, kFilterApply = 1300;
const int kCountColors = 265;

// The border colour setting: the colour the border dialog stored last.
COLORREF g_borderColor = kDefaultBorderColor;

HINSTANCE Resources() { return GetModuleHandleA(nullptr); }

std::string Text(UINT id) { return LoadText(Resources(), id); }

// ------------------------------------------------------------------ lists

struct EffectList {
    int list, apply;
    EffectCode first;  // code of the list's first entry
    int count;
    UINT firstText;
};
const EffectList kLists[] = {
    {kSpecialList, kSpecialApply, 100, 9, IDS_FX_SPECIAL_FIRST},
    {kColorizeList, kColorizeApply, 200, 3, IDS_FX_COLORIZE_FIRST},
    {kFilterList, kFilterApply, 300, 9, IDS_FX_FILTER_FIRST},
};

// ------------------------------------------------------- parameter dialogs

// A value box: what it stores, its range and what a value outside becomes,
// its first content (none: the box stays empty and reads as 0) and its
// up-down (0: none).
struct Field {
    int edit;
    int param;  // 0..3: p1..p4
    ValueRange range;
    bool hasInitial;
    int32_t initial;
    int spin;
};
// A radio button that decides a parameter: 1 when checked, else 0; or the
// parameter's sign.
enum class FlagKind { kOneWhenChecked, kNegativeWhenChecked, kNegativeUnlessChecked };
struct Flag {
    int radio;
    int param;
    FlagKind kind;
};
struct ParamDialog {
    int templateId;
    Field fields[4];
    Flag flags[2];
    int firstRadios[2];  // checked when the dialog opens
    int kindList;        // the noise kinds' combo box, stored in p2 (0: none)
    bool border;         // width range 1 to a quarter of the displayed size; the colour
};

const ValueRange kPercent = {0, 100, OutsideRange::kNearestBound};
const ValueRange kOneToHundred = {1, 100, OutsideRange::kNearestBound};
// Radii and orders whose work grows with their square: kept where a picture
// of a few hundred pixels still takes a moment.
const ValueRange kRadius = {0, 31, OutsideRange::kNearestBound};
const ValueRange kColorAmount = {0, 100, OutsideRange::kBecomesZero};
const ValueRange kRollMagnitude = {0, 360, OutsideRange::kBecomesNinety};

const ParamDialog kDialogs[] = {
    {IDD_FX_WAVE,
     {{IDC_FX_FIRST_VALUE, 0, kOneToHundred, true, 1, IDC_FX_SPIN1},
      {IDC_FX_SECOND_VALUE, 1, kOneToHundred, true, 1, IDC_FX_SPIN2}},
     {}, {}, 0, false},
    // The up-downs run from 1; the boxes start at 0, which leaves the frame's
    // bevels out.
    {IDD_FX_FRAME,
     {{IDC_FX_WIDTH, 0, kPercent, true, 0, IDC_FX_SPIN1},
      {IDC_FX_HEIGHT, 1, kPercent, true, 0, IDC_FX_SPIN2},
      {IDC_FX_OUTER, 2, kPercent, true, 0, IDC_FX_SPIN3},
      {IDC_FX_INNER, 3, kPercent, true, 0, IDC_FX_SPIN4}},
     {}, {}, 0, false},
    {IDD_FX_THRESHOLD, {{IDC_FX_THRESHOLD, 0, {0, 99, OutsideRange::kNearestBound}, true, 0, IDC_FX_SPIN1}}, {}, {},
     0, false},
    {IDD_FX_SWIRL, {{IDC_FX_DEGREES, 0, kPercent, true, 0, IDC_FX_SPIN1}}, {}, {}, 0, false},
    {IDD_FX_CONTRAST, {}, {{IDC_FX_FIRST, 0, FlagKind::kOneWhenChecked}}, {IDC_FX_FIRST}, 0, false},
    // A factor beyond 100 folds the whole picture into its centre.
    {IDD_FX_IMPLODE, {{IDC_FX_VALUE, 0, kPercent, false, 0, 0}},
     {{IDC_FX_FIRST, 0, FlagKind::kNegativeUnlessChecked}}, {IDC_FX_FIRST}, 0, false},
    {IDD_FX_MEDIAN, {{IDC_FX_ORDER, 0, {3, 31, OutsideRange::kNearestBound}, true, 3, IDC_FX_SPIN1}}, {}, {}, 0,
     false},
    {IDD_FX_NOISE, {}, {{IDC_FX_FIRST, 0, FlagKind::kOneWhenChecked}}, {IDC_FX_FIRST}, IDC_FX_KIND, false},
    {IDD_FX_OIL, {{IDC_FX_VALUE, 0, kRadius, false, 0, 0}}, {}, {}, 0, false},
    // The range of cycle's amount is widened below.
    {IDD_FX_AMOUNT, {{IDC_FX_AMOUNT, 0, kRadius, true, 3, 0}}, {}, {}, 0, false},
    {IDD_FX_RAISE, {{IDC_FX_WIDTH, 0, kPercent, false, 0, 0}, {IDC_FX_HEIGHT, 1, kPercent, false, 0, 0}},
     {{IDC_FX_FIRST, 2, FlagKind::kOneWhenChecked}}, {IDC_FX_FIRST}, 0, false},
    {IDD_FX_ROLL,
     {{IDC_FX_VALUE, 0, kRollMagnitude, false, 0, 0}, {IDC_FX_VERTICAL, 1, kRollMagnitude, false, 0, 0}},
     {{IDC_FX_SECOND, 0, FlagKind::kNegativeWhenChecked}, {IDC_FX_V_SECOND, 1, FlagKind::kNegativeWhenChecked}},
     {IDC_FX_FIRST, IDC_FX_V_FIRST}, 0, false},
    {IDD_FX_BORDER, {{IDC_FX_VALUE, 0, {1, 1, OutsideRange::kNearestBound}, true, 1, IDC_FX_SPIN1}}, {}, {}, 0,
     true},
    {IDD_FX_COLORIZE,
     {{IDC_FX_RED, 0, kColorAmount, true, 0, IDC_FX_SPIN1},
      {IDC_FX_GREEN, 1, kColorAmount, true, 0, IDC_FX_SPIN2},
      {IDC_FX_BLUE, 2, kColorAmount, true, 0, IDC_FX_SPIN3}},
     {}, {}, 0, false},
    // The editor's: brightness, saturation and hue in percent.
    {IDD_FX_MODULATE,
     {{IDC_FX_BRIGHTNESS, 0, kColorAmount, true, 0, IDC_FX_SPIN1},
      {IDC_FX_SATURATION, 1, kColorAmount, true, 0, IDC_FX_SPIN2},
      {IDC_FX_HUE, 2, kColorAmount, true, 0, IDC_FX_SPIN3}},
     {}, {}, 0, false},
};

// Cycle's amount turns the colour map: any displacement of a 256-entry map.
const ValueRange kCycleAmount = {0, 255, OutsideRange::kNearestBound};

struct CodeDialog {
    EffectCode code;
    int templateId;
    UINT text, firstLabel, secondLabel;  // 0: the template's own
};
const CodeDialog kCodeDialogs[] = {
    {1, IDD_FX_BORDER, 0, 0, 0},
    {2, IDD_FX_COLORIZE, 0, 0, 0},
    {4, IDD_FX_IMPLODE, 0, 0, 0},
    {8, IDD_FX_RAISE, 0, 0, 0},
    {9, IDD_FX_ROLL, 0, 0, 0},
    {10, IDD_FX_THRESHOLD, 0, 0, 0},
    {11, IDD_FX_SWIRL, 0, 0, 0},
    {13, IDD_FX_WAVE, 0, 0, 0},
    {200, IDD_FX_AMOUNT, IDS_FX_CYCLE_TEXT, IDS_FX_CYCLE_LABEL, 0},
    {201, IDD_FX_WAVE, IDS_FX_GAUSSIAN_TEXT, IDS_FX_GAUSSIAN_FIRST, IDS_FX_GAUSSIAN_SECOND},
    {202, IDD_FX_MEDIAN, 0, 0, 0},
    {300, IDD_FX_AMOUNT, IDS_FX_BLUR_TEXT, 0, 0},
    {301, IDD_FX_AMOUNT, IDS_FX_CHARCOAL_TEXT, 0, 0},
    {302, IDD_FX_CONTRAST, 0, 0, 0},
    {303, IDD_FX_AMOUNT, IDS_FX_EMBOSS_TEXT, 0, 0},
    {304, IDD_FX_FRAME, 0, 0, 0},
    {305, IDD_FX_NOISE, 0, 0, 0},
    {306, IDD_FX_OIL, 0, 0, 0},
    {307, IDD_FX_WAVE, IDS_FX_SHADE_TEXT, IDS_FX_SHADE_FIRST, IDS_FX_SHADE_SECOND},
    {308, IDD_FX_AMOUNT, IDS_FX_SHARPEN_TEXT, 0, 0},
};

const CodeDialog *DialogOfCode(EffectCode code) {
    for (const CodeDialog &d : kCodeDialogs)
        if (d.code == code) return &d;
    return nullptr;
}

const ParamDialog *TemplateOf(int templateId) {
    for (const ParamDialog &d : kDialogs)
        if (d.templateId == templateId) return &d;
    return nullptr;
}

int32_t &Param(EffectParams *params, int index) {
    switch (index) {
    case 0: return params->p1;
    case 1: return params->p2;
    case 2: return params->p3;
    default: return params->p4;
    }
}

// The state of one opening of a parameter dialog, behind DWLP_USER.
struct DialogRun {
    const ParamDialog *spec;
    const CodeDialog *code;
    int displaySize;
    const FormDialogHost *host;  // the editor's differences; null for the display window
    EffectParams params;  // the caller's, changed only in what the dialog owns
    COLORREF color;       // the border dialog's swatch
    UniqueBitmap buttonArt;
    UniqueHandle<HGDIOBJ, GdiObjectTraits> swatch;
};

ValueRange RangeOf(const DialogRun &run, const Field &field) {
    if (run.spec->border) {
        int quarter = run.displaySize / 4;
        return {1, quarter > 1 ? quarter : 1, OutsideRange::kNearestBound};
    }
    if (run.code->code == 200) return kCycleAmount;
    return field.range;
}

// The colour button's picture: four paint pots in a frame, 16 x 16.
HBITMAP DrawColorButtonArt() {
    WindowDC screen(nullptr);
    HBITMAP art = CreateCompatibleBitmap(screen.get(), 16, 16);
    if (!art) return nullptr;
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    SelectObjectScope select(dc.get(), art);
    RECT all = {0, 0, 16, 16};
    FillRect(dc.get(), &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    const COLORREF pots[4] = {RGB(220, 0, 0), RGB(0, 170, 0), RGB(0, 0, 220), RGB(240, 200, 0)};
    for (int i = 0; i < 4; ++i) {
        RECT pot = {2 + (i % 2) * 6, 2 + (i / 2) * 6, 8 + (i % 2) * 6, 8 + (i / 2) * 6};
        UniqueHandle<HGDIOBJ, GdiObjectTraits> brush(CreateSolidBrush(pots[i]));
        FillRect(dc.get(), &pot, (HBRUSH)brush.get());
    }
    RECT frame = {1, 1, 15, 15};
    FrameRect(dc.get(), &frame, (HBRUSH)GetStockObject(BLACK_BRUSH));
    return art;
}

void PaintSwatch(HWND dialog, DialogRun *run) {
    run->swatch.reset(CreateSolidBrush(run->color));
    InvalidateRect(GetDlgItem(dialog, IDC_FX_SWATCH), nullptr, TRUE);
}

void OnInitParamDialog(HWND dialog, DialogRun *run) {
    const CodeDialog &texts = *run->code;
    if (texts.text) SetDlgItemTextA(dialog, IDC_FX_TEXT, Text(texts.text).c_str());
    if (texts.firstLabel) {
        int label = run->spec->templateId == IDD_FX_AMOUNT ? IDC_FX_AMOUNT_LABEL : IDC_FX_FIRST_LABEL;
        SetDlgItemTextA(dialog, label, Text(texts.firstLabel).c_str());
    }
    if (texts.secondLabel) SetDlgItemTextA(dialog, IDC_FX_SECOND_LABEL, Text(texts.secondLabel).c_str());
    for (const Field &f : run->spec->fields) {
        if (!f.edit) continue;
        if (f.spin) {
            ValueRange range = RangeOf(*run, f);
            // The frame's up-downs run from 1 although its boxes start at 0.
            int low = run->spec->templateId == IDD_FX_FRAME ? 1 : range.low;
            SendDlgItemMessageA(dialog, f.spin, UDM_SETRANGE32, (WPARAM)low, (LPARAM)range.high);
        }
        if (f.hasInitial) SetDlgItemInt(dialog, f.edit, (UINT)f.initial, TRUE);
    }
    for (int radio : run->spec->firstRadios)
        if (radio) CheckDlgButton(dialog, radio, BST_CHECKED);
    if (run->spec->kindList) {
        for (int i = 0; i < 6; ++i)
            SendDlgItemMessageA(dialog, run->spec->kindList, CB_ADDSTRING, 0,
                                (LPARAM)Text(IDS_FX_NOISE_FIRST + i).c_str());
        SendDlgItemMessageA(dialog, run->spec->kindList, CB_SETCURSEL, 0, 0);
    }
    if (run->spec->border) {
        run->buttonArt.reset(DrawColorButtonArt());
        SendDlgItemMessageA(dialog, IDC_FX_COLOR, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)run->buttonArt.get());
        PaintSwatch(dialog, run);
    }
    if (run->host && run->host->centreOnOwner)
        CentreOnOwner(dialog);
    else
        CentreOnScreen(dialog);
}

void OnChooseBorderColor(HWND dialog, DialogRun *run) {
    static COLORREF custom[16];
    if (PickColour(dialog, &run->color, custom)) PaintSwatch(dialog, run);
}

// Reads every box and radio into the parameters the dialog owns.
void OnParamDialogOk(HWND dialog, DialogRun *run) {
    EffectParams params = run->params;
    for (const Field &f : run->spec->fields) {
        if (!f.edit) continue;
        char text[64] = "";
        GetDlgItemTextA(dialog, f.edit, text, sizeof text);
        Param(&params, f.param) = BoundDialogValue(DialogNumber(text), RangeOf(*run, f));
    }
    for (const Flag &flag : run->spec->flags) {
        if (!flag.radio) continue;
        bool checked = IsDlgButtonChecked(dialog, flag.radio) == BST_CHECKED;
        int32_t &p = Param(&params, flag.param);
        switch (flag.kind) {
        case FlagKind::kOneWhenChecked: p = checked ? 1 : 0; break;
        case FlagKind::kNegativeWhenChecked: p = checked ? -p : p; break;
        case FlagKind::kNegativeUnlessChecked: p = checked ? p : -p; break;
        }
    }
    if (run->spec->kindList) {
        LRESULT kind = SendDlgItemMessageA(dialog, run->spec->kindList, CB_GETCURSEL, 0, 0);
        params.p2 = kind == CB_ERR ? 0 : (int32_t)kind;
    }
    if (run->host && run->host->accept && !run->host->accept(dialog, run->spec->templateId, params)) return;
    run->params = params;
    if (run->spec->border) g_borderColor = run->color;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK ParamDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRun *run = (DialogRun *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInitParamDialog(dialog, (DialogRun *)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (run && run->spec->border && (HWND)lParam == GetDlgItem(dialog, IDC_FX_SWATCH) && run->swatch)
            return (INT_PTR)run->swatch.get();
        return FALSE;
    case WM_COMMAND:
        if (!run) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnParamDialogOk(dialog, run); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_FX_COLOR:
            if (run->spec->border) OnChooseBorderColor(dialog, run);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// Runs the code's parameter dialog; true (and *params updated in what the
// dialog owns) on OK.
bool RunParamDialog(HWND owner, const CodeDialog &code, int displaySize, EffectParams *params,
                    const FormDialogHost *host = nullptr) {
    const ParamDialog *spec = TemplateOf(code.templateId);
    if (!spec) return false;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DialogRun run{spec, &code, displaySize, host, *params, g_borderColor, UniqueBitmap(), {}};
    INT_PTR result = DialogBoxParamA(Resources(), MAKEINTRESOURCEA(spec->templateId), owner, ParamDialogProc,
                                     (LPARAM)&run);
    if (result != 1) return false;
    *params = run.params;
    return true;
}

// The tools of the effect toolbar and the count-colours menu item.
struct Tool {
    int command;
    EffectCode code;
};
const Tool kTools[] = {{1429, 4}, {132, 11}, {133, 13}, {130, 5}, {131, 6}, {129, 10},
                       {1427, 1}, {406, 8},  {407, 9},  {410, 2}, {kCountColors, 3}};

// ------------------------------------------------------------ the builder

int RealMogrify(ImageInfo *info, int argc, const char **argv, Image **images, ExceptionInfo *exception) {
    return MogrifyImages(info, MagickFalse, argc, argv, images, exception) != MagickFalse;
}
MogrifyHandler g_mogrify = RealMogrify;

struct BlobDeleter {
    void operator()(void *blob) const { RelinquishMagickMemory(blob); }
};

// The widest picture an effect makes: icons and cursors are at most 256
// pixels wide; a width beyond this comes from a damaged record.
const int kMaxEffectWidth = 1024;

ImagePtr ReadWorkingFile(ImageInfo *info, const std::string &path, ExceptionInfo *e) {
    if (!CopyBounded(info->filename, MaxTextExtent, AnsiToUtf8(path))) return ImagePtr();
    return ImagePtr(ReadImage(info, e));
}

void TellColorCount(HWND window, Image *image, ExceptionInfo *e) {
    size_t count = GetNumberColors(image, nullptr, e);
    std::string format = Text(IDS_FX_COLOR_COUNT);
    char text[128];
    snprintf(text, sizeof text, format.c_str(), (int)count);
    ShowMessage(window, text, Text(IDS_FX_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

// Every field is checked against the bytes present before it is used.
HBITMAP BitmapFromBmpBytes(const uint8_t *data, size_t size) {
    ByteReader r(data, size);
    if (!r.Has(0, 14 + 40) || data[0] != 'B' || data[1] != 'M') return nullptr;
    uint32_t pixelOffset = ByteReader::PeekU32(data + 10);
    uint32_t headerSize = ByteReader::PeekU32(data + 14);
    int32_t width = (int32_t)ByteReader::PeekU32(data + 18);
    int32_t height = (int32_t)ByteReader::PeekU32(data + 22);
    uint16_t bits = ByteReader::PeekU16(data + 28);
    uint32_t compression = ByteReader::PeekU32(data + 30);
    uint32_t colorsUsed = ByteReader::PeekU32(data + 46);
    if (headerSize < 40 || !r.Has(14, headerSize)) return nullptr;
    if (width <= 0 || width > kMaxEffectWidth * 4 || height == 0 || height < -kMaxEffectWidth * 4 ||
        height > kMaxEffectWidth * 4)
        return nullptr;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
    if (compression != BI_RGB && compression != BI_BITFIELDS) return nullptr;
    uint64_t entries = colorsUsed ? colorsUsed : (bits <= 8 ? (1u << bits) : 0);
    if (entries > 256) return nullptr;
    uint64_t masks = (compression == BI_BITFIELDS && headerSize == 40) ? 12 : 0;
    uint64_t infoSize = headerSize + masks + 4 * entries;
    if (!r.Has(14, (size_t)infoSize)) return nullptr;
    uint64_t rowBytes = ((uint64_t)width * bits + 31) / 32 * 4;
    uint64_t pixelBytes = rowBytes * (uint64_t)(height < 0 ? -(int64_t)height : height);
    if (!r.Has(pixelOffset, (size_t)pixelBytes)) return nullptr;
    // The header and table, aligned for the system's structures.
    std::vector<uint32_t> info((size_t)(infoSize + 3) / 4);
    memcpy(info.data(), data + 14, (size_t)infoSize);
    WindowDC screen(nullptr);
    return CreateDIBitmap(screen.get(), (const BITMAPINFOHEADER *)info.data(), CBM_INIT, data + pixelOffset,
                          (const BITMAPINFO *)info.data(), DIB_RGB_COLORS);
}

MogrifyHandler SetMogrifyHandler(MogrifyHandler handler) {
    MogrifyHandler old = g_mogrify;
    g_mogrify = handler ? handler : RealMogrify;
    return old;
}

COLORREF BorderColor() { return g_borderColor; }

int ApplyMogrify(ImageInfo *info, int argc, const char **argv, Image **images, ExceptionInfo *exception) {
    return g_mogrify(info, argc, argv, images, exception);
}

bool RunFormDialog(HWND owner, int templateId, int workingSize, EffectParams *params, const FormDialogHost &host) {
    const CodeDialog form = {0, templateId, 0, 0, 0};
    return RunParamDialog(owner, form, workingSize, params, &host);
}

void FillEffectLists(HWND window) {
    for (const EffectList &l : kLists) {
        HWND list = GetDlgItem(window, l.list);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (int i = 0; i < l.count; ++i)
            SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)Text(l.firstText + i).c_str());
        SendMessageA(list, CB_SETCURSEL, 0, 0);
    }
}

EffectChoice ChooseEffect(HWND window, int command, int displaySize, EffectCode *code, EffectParams *params) {
    for (const Tool &t : kTools) {
        if (t.command != command) continue;
        const CodeDialog *dialog = DialogOfCode(t.code);
        if (!dialog) {  // flip, flop, count colours
            *code = t.code;
            return EffectChoice::kRunNow;
        }
        // A cancelled tool leaves the code as it was.
        if (!RunParamDialog(window, *dialog, displaySize, params)) return EffectChoice::kNothing;
        *code = t.code;
        return EffectChoice::kApply;
    }
    for (const EffectList &l : kLists) {
        if (l.apply != command) continue;
        LRESULT entry = SendDlgItemMessageA(window, l.list, CB_GETCURSEL, 0, 0);
        if (entry < 0 || entry >= l.count) return EffectChoice::kNothing;
        // The entry is the current code before its dialog opens, so that a
        // later Redo runs it even when the dialog is cancelled.
        *code = l.first + (EffectCode)entry;
        const CodeDialog *dialog = DialogOfCode(*code);
        if (dialog && !RunParamDialog(window, *dialog, displaySize, params)) return EffectChoice::kNothing;
        return EffectChoice::kApply;
    }
    return EffectChoice::kNothing;
}

HBITMAP BuildEffect(HWND window, const std::string &workingFile, EffectCode code, int width,
                    const EffectParams &params) {
    std::vector<std::string> args = {"Glyphery"};
    std::vector<std::string> options;
    bool counts = code == 3;
    if (!counts) {
        if (!EffectArguments(code, width, params, g_borderColor, &options)) return nullptr;
        if (code == 1 && (width < 1 || width > kMaxEffectWidth)) return nullptr;
    }
    EnsureImageLibrary();
    ImageInfoPtr info(AcquireImageInfo());
    ExceptionPtr e(AcquireExceptionInfo());
    ImagePtr image = ReadWorkingFile(info.get(), workingFile, e.get());
    if (!image) return nullptr;
    if (counts) {
        TellColorCount(window, image.get(), e.get());
        return nullptr;
    }
    WaitCursor wait;
    args.insert(args.end(), options.begin(), options.end());
    std::vector<const char *> argv;
    for (const std::string &a : args) argv.push_back(a.c_str());
    Image *raw = image.release();
    g_mogrify(info.get(), (int)argv.size(), argv.data(), &raw, e.get());
    image.reset(raw);
    if (!image) return nullptr;
    return BitmapFromImage(info.get(), image.get(), e.get());
}

// The first picture of the list (a channel extraction may make several),
// through an uncompressed bitmap in memory.
HBITMAP BitmapFromImage(ImageInfo *info, Image *image, ExceptionInfo *e) {
    info->adjoin = MagickFalse;
    info->compression = NoCompression;  // a palette picture would otherwise be run-length encoded
    CopyBounded(info->magick, MaxTextExtent, "BMP");
    CopyBounded(image->magick, MaxTextExtent, "BMP");
    CopyBounded(info->filename, MaxTextExtent, "BMP:effect");
    CopyBounded(image->filename, MaxTextExtent, "BMP:effect");
    size_t length = 0;
    std::unique_ptr<void, BlobDeleter> blob(ImageToBlob(info, image, &length, e));
    if (!blob || length < 2 || memcmp(blob.get(), "BM", 2) != 0) return nullptr;
    return BitmapFromBmpBytes((const uint8_t *)blob.get(), length);
}
