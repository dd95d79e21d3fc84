// The editor's dialogs that preview their operation on the canvas: the
// slider dialogs (the operation computed afresh from the current picture
// each time a slider is released), the "More" dialogs (each press applies
// the operation once more to a working image) and Rotate.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "common/handles.h"
#include "common/pickers_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "conversion/imagelib_win.h"
#include "conversion/imageowners.h"
#include "display/effects.h"
#include "display/effects_resource.h"
#include "editor/effects_resource.h"
#include "editor/effects_win.h"
#include "editor/picture_win.h"
#include "editor/resource.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
std::string Text(UINT id) { return LoadText(Instance(), id); }

// ------------------------------------------------------------ operations

enum class Operation {
    kCycle, kBlur, kCharcoal, kEmboss, kSharpen, kImplode, kMedian, kOil, kSolarize, kSwirl, kWave, kGaussian,
    kShade, kContrast, kNormalize, kNoise,
};

// What one preview or press computes from: the sliders' positions and the
// dialog's first choice ("Explode", "Enhance", "Add") and noise kind.
struct OperationInput {
    int position[2];
    bool firstChoice;
    int noiseKind;
};

// The library's noise kinds in the order of the list (the catalogue's
// strings IDS_FX_NOISE_FIRST...).
const NoiseType kNoiseKinds[] = {UniformNoise, GaussianNoise, MultiplicativeGaussianNoise, ImpulseNoise,
                                 LaplacianNoise, PoissonNoise};

Image *Copy(const Image *image, ExceptionInfo *e) { return CloneImage(image, 0, 0, MagickTrue, e); }

// The operation on `image`: a new image (the caller destroys it), or null
// when the library gives none. Operations that change an image in place
// work on a copy.
Image *Compute(Operation op, const Image *image, const OperationInput &in, ExceptionInfo *e) {
    const double shown = in.position[0] * 0.01;  // the slider's label
    switch (op) {
    case Operation::kCycle: {
        Image *copy = Copy(image, e);
        if (copy) CycleColormapImage(copy, in.position[0]);
        return copy;
    }
    case Operation::kBlur: return BlurImage(image, shown, shown, e);
    case Operation::kCharcoal: return CharcoalImage(image, shown, shown, e);
    case Operation::kEmboss: return EmbossImage(image, shown, shown, e);
    case Operation::kSharpen: return SharpenImage(image, shown, shown, e);
    case Operation::kImplode: return ImplodeImage(image, in.firstChoice ? -shown : shown, e);
    case Operation::kMedian: return MedianFilterImage(image, shown, e);
    case Operation::kOil: return OilPaintImage(image, in.position[0], e);
    case Operation::kSolarize: {
        // The slider counts 8-bit levels; the library's threshold is on its
        // own scale.
        Image *copy = Copy(image, e);
        if (copy) SolarizeImage(copy, in.position[0] * (QuantumRange / 255.0));
        return copy;
    }
    case Operation::kSwirl: return SwirlImage(image, in.position[0], e);
    case Operation::kWave:
        // A wave of no length has no shape: the picture stays as it is.
        if (in.position[1] == 0) return Copy(image, e);
        return WaveImage(image, in.position[0], in.position[1], e);
    case Operation::kGaussian: return GaussianBlurImage(image, in.position[0], in.position[1], e);
    case Operation::kShade: return ShadeImage(image, MagickFalse, in.position[0], in.position[1], e);
    case Operation::kContrast: {
        Image *copy = Copy(image, e);
        if (copy) ContrastImage(copy, in.firstChoice ? MagickTrue : MagickFalse);
        return copy;
    }
    case Operation::kNormalize: {
        Image *copy = Copy(image, e);
        if (copy) NormalizeImage(copy);
        return copy;
    }
    case Operation::kNoise:
        if (in.firstChoice) return AddNoiseImage(image, kNoiseKinds[in.noiseKind], e);
        return ReduceNoiseImage(image, 5.0, e);
    }
    return nullptr;
}

// ------------------------------------------------------------ the dialogs

// One slider: its range (a high end of -1 stands for the image's width less
// 2), its tick spacing and what its label shows (the position times `scale`
// with two decimals, or the position itself when `scale` is 0).
struct Slider {
    int low, high, tick;
    double scale;
};
const Slider kHundredths = {0, 500, 100, 0.01};
const Slider kWidthLess2 = {0, -1, 10, 0.01};
const Slider kPercent = {0, 100, 10, 0.01};

enum class Kind { kSlider, kMore };

struct PreviewDialog {
    int command, templateId;
    Kind kind;
    Operation op;
    int sliders;  // 0 to 2
    Slider slider[2];
    UINT text, firstLabel, secondLabel;  // 0: the template's own
};
const PreviewDialog kPreviewDialogs[] = {
    {CMD_CYCLE, IDD_SLIDE_AMOUNT, Kind::kSlider, Operation::kCycle, 1, {kHundredths}, IDS_FX_CYCLE_TEXT, 0, 0},
    {CMD_BLUR, IDD_SLIDE_AMOUNT, Kind::kSlider, Operation::kBlur, 1, {kHundredths}, IDS_FX_BLUR_TEXT, 0, 0},
    {CMD_CHARCOAL, IDD_SLIDE_AMOUNT, Kind::kSlider, Operation::kCharcoal, 1, {kHundredths}, IDS_FX_CHARCOAL_TEXT, 0,
     0},
    {CMD_EMBOSS, IDD_SLIDE_AMOUNT, Kind::kSlider, Operation::kEmboss, 1, {kHundredths}, IDS_FX_EMBOSS_TEXT, 0, 0},
    {CMD_SHARPEN, IDD_SLIDE_AMOUNT, Kind::kSlider, Operation::kSharpen, 1, {kHundredths}, IDS_FX_SHARPEN_TEXT, 0, 0},
    {CMD_EXPLODE, IDD_SLIDE_EXPLODE, Kind::kSlider, Operation::kImplode, 1, {kHundredths}, 0, 0, 0},
    {CMD_MEDIAN, IDD_SLIDE_MEDIAN, Kind::kSlider, Operation::kMedian, 1, {{0, 1000, 100, 0.01}}, 0, 0, 0},
    {CMD_OIL, IDD_SLIDE_OIL, Kind::kSlider, Operation::kOil, 1, {{0, 100, 10, 0.001}}, 0, 0, 0},
    {CMD_SOLARIZE, IDD_SLIDE_SOLARIZE, Kind::kSlider, Operation::kSolarize, 1, {{0, 255, 50, 0}}, 0, 0, 0},
    {CMD_SWIRL, IDD_SLIDE_SWIRL, Kind::kSlider, Operation::kSwirl, 1, {{0, 500, 50, 0}}, 0, 0, 0},
    {CMD_WAVE, IDD_SLIDE_TWO, Kind::kSlider, Operation::kWave, 2, {kWidthLess2, kPercent}, 0, 0, 0},
    {CMD_GAUSSIAN, IDD_SLIDE_TWO, Kind::kSlider, Operation::kGaussian, 2, {kWidthLess2, kPercent}, IDS_GAUSSIAN_TEXT,
     IDS_FX_GAUSSIAN_FIRST, IDS_FX_GAUSSIAN_SECOND},
    {CMD_SHADOW, IDD_SLIDE_TWO, Kind::kSlider, Operation::kShade, 2, {kWidthLess2, kPercent}, IDS_FX_SHADE_TEXT,
     IDS_FX_SHADE_FIRST, IDS_FX_SHADE_SECOND},
    {CMD_CONTRAST, IDD_MORE_CONTRAST, Kind::kMore, Operation::kContrast, 0, {}, 0, 0, 0},
    {CMD_NORMALIZE, IDD_MORE_NORMALIZE, Kind::kMore, Operation::kNormalize, 0, {}, 0, 0, 0},
    {CMD_NOISE, IDD_MORE_NOISE, Kind::kMore, Operation::kNoise, 0, {}, 0, 0, 0},
};
const int kSliderIds[2] = {IDC_SLIDER1, IDC_SLIDER2};
const int kValueIds[2] = {IDC_SLIDE_VALUE1, IDC_SLIDE_VALUE2};

// One opening of a preview dialog, behind DWLP_USER.
struct PreviewRun {
    const PreviewDialog *spec;
    int width;                // the current image's, for a slider up to width - 2
    UniqueBitmap preview;     // the last picture shown, until OK hands it over
    bool previewed = false;   // a preview was shown (Cancel shows the current picture again)
    bool changed = false;     // a preview with some slider off 0 was made
    ImageInfoPtr info;
    ImagePtr working;         // the "More" dialogs' image, one press after another
};

int SliderHigh(const PreviewRun &run, const Slider &s) {
    if (s.high >= 0) return s.high;
    return run.width > 2 ? run.width - 2 : 0;
}

void ShowSliderValue(HWND dialog, const PreviewRun &run, int i) {
    int position = (int)SendDlgItemMessageA(dialog, kSliderIds[i], TBM_GETPOS, 0, 0);
    const Slider &s = run.spec->slider[i];
    char text[32];
    if (s.scale > 0)
        snprintf(text, sizeof text, "%.2f", position * s.scale);
    else
        snprintf(text, sizeof text, "%d", position);
    SetDlgItemTextA(dialog, kValueIds[i], text);
}

OperationInput ReadInput(HWND dialog, const PreviewRun &run) {
    OperationInput in = {{0, 0}, true, 0};
    for (int i = 0; i < run.spec->sliders; ++i)
        in.position[i] = (int)SendDlgItemMessageA(dialog, kSliderIds[i], TBM_GETPOS, 0, 0);
    in.firstChoice = IsDlgButtonChecked(dialog, IDC_CHOICE_FIRST) == BST_CHECKED;
    LRESULT kind = SendDlgItemMessageA(dialog, IDC_NOISE_KIND, CB_GETCURSEL, 0, 0);
    in.noiseKind = kind >= 0 && kind < 6 ? (int)kind : 0;
    return in;
}

void Show(PreviewRun *run, HBITMAP picture) {
    if (!picture) return;  // the library gave nothing: the canvas keeps what it shows
    run->preview.reset(picture);
    run->previewed = true;
    ShowPicture(picture);
}

// A slider released: the operation afresh on the current picture, or the
// picture unchanged while every slider is at 0.
void OnSliderReleased(HWND dialog, PreviewRun *run) {
    OperationInput in = ReadInput(dialog, *run);
    ImagePtr image(CurrentAsImage(run->info.get()));
    if (!image) return;
    ExceptionPtr e(AcquireExceptionInfo());
    bool any = in.position[0] != 0 || in.position[1] != 0;
    WaitCursor wait;
    ImagePtr result(any ? Compute(run->spec->op, image.get(), in, e.get()) : Copy(image.get(), e.get()));
    if (!result) return;
    HBITMAP picture = ImageToBitmap(run->info.get(), result.get());
    if (picture && any) run->changed = true;
    Show(run, picture);
}

// "More": the operation once more on the working image.
void OnMore(HWND dialog, PreviewRun *run) {
    if (!run->working) return;
    ExceptionPtr e(AcquireExceptionInfo());
    WaitCursor wait;
    ImagePtr result(Compute(run->spec->op, run->working.get(), ReadInput(dialog, *run), e.get()));
    if (!result) return;
    run->working = std::move(result);
    ImagePtr shown(Copy(run->working.get(), e.get()));  // the bitmap writer changes what it writes
    HBITMAP picture = shown ? ImageToBitmap(run->info.get(), shown.get()) : nullptr;
    if (picture) run->changed = true;
    Show(run, picture);
}

void OnPreviewInit(HWND dialog, PreviewRun *run) {
    const PreviewDialog &d = *run->spec;
    if (d.text) SetDlgItemTextA(dialog, IDC_SLIDE_TEXT, Text(d.text).c_str());
    if (d.firstLabel) SetDlgItemTextA(dialog, IDC_SLIDE_LABEL1, Text(d.firstLabel).c_str());
    if (d.secondLabel) SetDlgItemTextA(dialog, IDC_SLIDE_LABEL2, Text(d.secondLabel).c_str());
    for (int i = 0; i < d.sliders; ++i) {
        HWND slider = GetDlgItem(dialog, kSliderIds[i]);
        SendMessageA(slider, TBM_SETRANGEMIN, FALSE, d.slider[i].low);
        SendMessageA(slider, TBM_SETRANGEMAX, FALSE, SliderHigh(*run, d.slider[i]));
        SendMessageA(slider, TBM_SETTICFREQ, (WPARAM)d.slider[i].tick, 0);
        SendMessageA(slider, TBM_SETPOS, TRUE, 0);
        ShowSliderValue(dialog, *run, i);
    }
    CheckRadioButton(dialog, IDC_CHOICE_FIRST, IDC_CHOICE_SECOND, IDC_CHOICE_FIRST);
    if (GetDlgItem(dialog, IDC_NOISE_KIND)) {
        for (int i = 0; i < 6; ++i)
            SendDlgItemMessageA(dialog, IDC_NOISE_KIND, CB_ADDSTRING, 0, (LPARAM)Text(IDS_FX_NOISE_FIRST + i).c_str());
        SendDlgItemMessageA(dialog, IDC_NOISE_KIND, CB_SETCURSEL, 0, 0);
    }
    if (d.kind == Kind::kMore) run->working.reset(CurrentAsImage(run->info.get()));
    CentreOnOwner(dialog);
}

void OnPreviewEnd(HWND dialog, PreviewRun *run, bool ok) {
    if (ok && run->changed && run->preview) {
        PushPicture(run->preview.release());  // the history owns it now
    } else if (run->previewed) {
        ShowPicture(CurrentPicture());
    }
    EndDialog(dialog, ok ? 1 : 0);
}

INT_PTR CALLBACK PreviewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PreviewRun *run = (PreviewRun *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnPreviewInit(dialog, (PreviewRun *)lParam);
        return TRUE;
    case WM_HSCROLL: {
        if (!run) return FALSE;
        for (int i = 0; i < run->spec->sliders; ++i) {
            if ((HWND)lParam != GetDlgItem(dialog, kSliderIds[i])) continue;
            ShowSliderValue(dialog, *run, i);
            if (LOWORD(wParam) == TB_ENDTRACK) OnSliderReleased(dialog, run);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (!run) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnPreviewEnd(dialog, run, true); return TRUE;
        case IDCANCEL: OnPreviewEnd(dialog, run, false); return TRUE;
        case IDC_MORE: OnMore(dialog, run); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// ------------------------------------------------------------------ Rotate

struct RotateRun {
    COLORREF fill = RGB(255, 255, 255);
    UniqueHandle<HGDIOBJ, GdiObjectTraits> swatch;
};

void PaintFill(HWND dialog, RotateRun *run) {
    run->swatch.reset(CreateSolidBrush(run->fill));
    InvalidateRect(GetDlgItem(dialog, IDC_FILL_SWATCH), nullptr, TRUE);
}

void OnRotateInit(HWND dialog, RotateRun *run) {
    SendDlgItemMessageA(dialog, IDC_ROTATE_SPIN, UDM_SETRANGE32, 1, 360);
    SetDlgItemInt(dialog, IDC_ROTATE_ANGLE, 1, FALSE);
    const int buttons[2] = {IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT};
    const int icons[2] = {IDI_ROTATE_LEFT, IDI_ROTATE_RIGHT};
    for (int i = 0; i < 2; ++i) {
        // Icons loaded from resources are shared: nothing to free.
        HICON icon = (HICON)LoadImageA(Instance(), MAKEINTRESOURCEA(icons[i]), IMAGE_ICON, 16, 16, LR_SHARED);
        SendDlgItemMessageA(dialog, buttons[i], BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
    }
    CheckRadioButton(dialog, IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_ROTATE_LEFT);
    PaintFill(dialog, run);
    CentreOnOwner(dialog);
}

void OnChooseFill(HWND dialog, RotateRun *run) {
    static COLORREF custom[16];
    if (PickColour(dialog, &run->fill, custom)) PaintFill(dialog, run);
}

void OnRotateOk(HWND dialog, RotateRun *run) {
    char text[32] = "";
    GetDlgItemTextA(dialog, IDC_ROTATE_ANGLE, text, sizeof text);
    int32_t angle = DialogNumber(text);
    if (angle < 1 || angle > 360) {
        ShowMessage(dialog, Text(IDS_ANGLE_RANGE).c_str(), Text(IDS_TITLE).c_str(), MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, IDC_ROTATE_ANGLE));
        return;
    }
    bool first = IsDlgButtonChecked(dialog, IDC_ROTATE_LEFT) == BST_CHECKED;
    EnsureImageLibrary();
    WaitCursor wait;
    ImageInfoPtr info(AcquireImageInfo());
    ImagePtr image(CurrentAsImage(info.get()));
    if (image) {
        image->background_color.red = ByteToQuantum(GetRValue(run->fill));
        image->background_color.green = ByteToQuantum(GetGValue(run->fill));
        image->background_color.blue = ByteToQuantum(GetBValue(run->fill));
        image->background_color.opacity = OpaqueOpacity;
        ExceptionPtr e(AcquireExceptionInfo());
        ImagePtr rotated(RotateImage(image.get(), first ? -angle : angle, e.get()));
        // The enlarged picture is kept; showing it stretches it to the image.
        if (rotated) AcceptPicture(ImageToBitmap(info.get(), rotated.get()));
    }
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK RotateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    RotateRun *run = (RotateRun *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnRotateInit(dialog, (RotateRun *)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (run && (HWND)lParam == GetDlgItem(dialog, IDC_FILL_SWATCH) && run->swatch)
            return (INT_PTR)run->swatch.get();
        return FALSE;
    case WM_COMMAND:
        if (!run) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK: OnRotateOk(dialog, run); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_FILL_CHOOSE: OnChooseFill(dialog, run); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

bool RunPreviewDialog(HWND frame, int command) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    if (command == CMD_ROTATE) {
        InitCommonControlsEx(&controls);
        RotateRun run;
        DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_ROTATE), frame, RotateProc, (LPARAM)&run);
        return true;
    }
    for (const PreviewDialog &d : kPreviewDialogs) {
        if (d.command != command) continue;
        InitCommonControlsEx(&controls);
        EnsureImageLibrary();
        PreviewRun run;
        run.spec = &d;
        const EditorIcon &icon = TheIcon();
        int i = CurrentImageIndex();
        run.width = i >= 0 && i < icon.count ? icon.images[i].width : 0;
        run.info.reset(AcquireImageInfo());
        DialogBoxParamA(Instance(), MAKEINTRESOURCEA(d.templateId), frame, PreviewProc, (LPARAM)&run);
        return true;
    }
    return false;
}
