// Resource and command ids of the editor's effects, paste and plug-ins
// (editor/effects.rc). The form dialogs (393, 404, 405, 406, 701) and their
// controls are the effects catalogue's (display/effects_resource.h).
#pragma once

// The option-list effects re-enter the frame as this command.
#define CMD_RUN_EFFECT 1436

// Commands of the Colors, Alterations, Effects, Filters and Image menus not
// named in resource.h.
#define CMD_COUNT_COLORS 40026
#define CMD_COLORIZE 40028
#define CMD_BLUR 40030
#define CMD_CHARCOAL 40031
#define CMD_OIL 40032
#define CMD_CONTRAST 40035
#define CMD_NOISE 40037
#define CMD_SHADOW 40038
#define CMD_ANDY 40039
#define CMD_BAS_RELIEF 40040
#define CMD_FROSTED_GLASS 40041
#define CMD_MEDIAN 40044
#define CMD_GAUSSIAN 40045
#define CMD_INVERT 40046
#define CMD_SOLARIZE 40048
#define CMD_NO_BLUE 40049
#define CMD_NO_GREEN 40050
#define CMD_NO_RED 40051
#define CMD_CYCLE 40052
#define CMD_ROLL 40064
#define CMD_NORMALIZE 40067
#define CMD_MODULATE 40068
#define CMD_FLASH 40069
#define CMD_PLASMA 40070
#define CMD_YUV 40083
#define CMD_YIQ 40084
#define CMD_GRAY 40085
#define CMD_OHTA 40086
#define CMD_YCC 40087
#define CMD_SRGB 40088

// Slider dialogs: one or two sliders, each with the label that follows it.
#define IDD_SLIDE_TWO 392       // wave, gaussian, shadow
#define IDD_SLIDE_SOLARIZE 394
#define IDD_SLIDE_SWIRL 395
#define IDD_SLIDE_EXPLODE 397
#define IDD_SLIDE_MEDIAN 398
#define IDD_SLIDE_OIL 401
#define IDD_SLIDE_AMOUNT 402    // cycle, blur, charcoal, emboss, sharpen
// "More" dialogs: each press applies the operation once more.
#define IDD_MORE_CONTRAST 396
#define IDD_MORE_NOISE 399
#define IDD_MORE_NORMALIZE 707
#define IDD_ROTATE 702
#define IDD_PASTE 189
#define IDD_EDITOR_PLUGINS 709
#define IDI_ROTATE_LEFT 1021
#define IDI_ROTATE_RIGHT 1022

#define IDC_SLIDE_TEXT 233
#define IDC_SLIDER1 1701
#define IDC_SLIDER2 1702
#define IDC_SLIDE_VALUE1 404
#define IDC_SLIDE_VALUE2 1704
#define IDC_SLIDE_LABEL1 1601
#define IDC_SLIDE_LABEL2 1602
#define IDC_CHOICE_FIRST 1161   // "Explode", "Enhance", "Add"
#define IDC_CHOICE_SECOND 1162  // "Implode", "Reduce", "Reduce"
#define IDC_NOISE_KIND 1068
#define IDC_MORE 1705
#define IDC_ROTATE_ANGLE 1720
#define IDC_ROTATE_SPIN 1721
#define IDC_ROTATE_LEFT 1722
#define IDC_ROTATE_RIGHT 1723
#define IDC_FILL_SWATCH 1724
#define IDC_FILL_CHOOSE 1725
#define IDC_PASTE_MODE 1242

// Strings.
#define IDS_UNIQUE_COLORS 620
#define IDS_ANGLE_RANGE 621
#define IDS_BEVELS 622
#define IDS_PLUGIN_FAILED 623
#define IDS_PLUGINS_LABEL 624
#define IDS_PLUGINS_FOLDER 625
#define IDS_GAUSSIAN_TEXT 626
#define IDS_PASTE_MODE_FIRST 630  // the eleven modes of the Paste list, in order
