// Resource ids of the display window (included by the main program's
// resource script through display.rc).
#pragma once

#define IDD_DISPLAY 388
#define IDM_DISPLAY 397
#define IDD_COLOR_INFO 432
#define IDC_PICKER_CURSOR 357
// The window toolbar's strip (15 images of 16 x 16). Bitmap 4 is the main
// window's strip in the same program, so this one has a number of its own.
#define IDB_DISPLAY_TOOLBAR 389
#define IDB_EFFECT_TOOLS 391  // 19 images of 16 x 16

// Controls of the window.
#define IDC_DISPLAY_DIVIDER 1437
#define IDC_DISPLAY_TOOLBAR 1031
#define IDC_EFFECT_TOOLBAR 1029
#define IDC_FILE_LIST 1071
#define IDC_IMAGE_LIST 1068
#define IDC_FILE_COUNT 1420
#define IDC_FILE_LABEL 1428
#define IDC_SPECIAL_LABEL 1446
#define IDC_FILTERS_LABEL 1453
#define IDC_COLORIZE_LABEL 1450
#define IDC_APPLY_TO_ALL 1039
#define IDC_SPECIAL_LIST 1346
#define IDC_COLORIZE_LIST 1451
#define IDC_FILTERS_LIST 1452
#define IDC_SPECIAL_APPLY 408
#define IDC_COLORIZE_APPLY 1117
#define IDC_FILTERS_APPLY 1300

// Commands.
#define IDM_DISPLAY_SAVE 1
#define IDM_DISPLAY_CLOSE 2
#define IDM_DISPLAY_SAVE_MENU 266
#define IDM_DISPLAY_PRINT 273
#define IDM_DISPLAY_ZOOM 1177
#define IDM_DISPLAY_ZOOM_MENU 271
#define IDM_DISPLAY_ORIGINAL 1424
#define IDM_DISPLAY_REDO 272
#define IDM_DISPLAY_HELP 1283
#define IDM_COUNT_COLORS 265
#define IDM_PICK_COLOR 274
#define IDM_REPLACE_COLOR 277
#define IDM_DISPLAY_COPY 268
#define IDM_PASTE_COMBINE 269
#define IDM_PASTE_REPLACE 270
#define IDM_PLUGIN_MANAGER 292
#define IDM_APPLY_EFFECT 1436
// Effect tools of toolbar 1029.
#define IDM_FX_THRESHOLD 129
#define IDM_FX_FLIP 130
#define IDM_FX_FLOP 131
#define IDM_FX_SWIRL 132
#define IDM_FX_WAVE 133
#define IDM_FX_RAISE 406
#define IDM_FX_ROLL 407
#define IDM_FX_COLORIZE 410
#define IDM_FX_BORDER 1427
#define IDM_FX_IMPLODE 1429
// Pick a colour sent with this lParam by Replace a color: no dialog.
#define PICK_FOR_REPLACE 0x115

// Colour information dialog.
#define IDC_COLOR_RED 1461
#define IDC_COLOR_GREEN 1462
#define IDC_COLOR_BLUE 1463
#define IDC_COLOR_HTML 1350
#define IDC_COLOR_SWATCH 1412

// Help context of the window in the main help file.
#define HELP_DISPLAY 300

// Strings.
#define IDS_DISPLAY_LABEL_FILE 3600
#define IDS_DISPLAY_LABEL_SPECIAL 3601
#define IDS_DISPLAY_LABEL_FILTERS 3602
#define IDS_DISPLAY_LABEL_COLORIZE 3603
#define IDS_DISPLAY_LABEL_ALL 3604
#define IDS_DISPLAY_ICONS 3605      // "%d icons in %s%s"
#define IDS_DISPLAY_ICON 3606       // "%d icon in %s%s"
#define IDS_DISPLAY_COLORS 3607     // "%d x %d  %d colors"
#define IDS_DISPLAY_TRUECOLOR 3608  // "%d x %d  True color %d bits"
#define IDS_DISPLAY_UNREADABLE 3609  // a file the window cannot show: "%s" path, "%s" reason
#define IDS_DISPLAY_NOT_SAVED 3610   // a file Save could not write: "%s" path
#define IDS_DISPLAY_CAPTION 3612     // "Glyphery"
// Tool tips, in button order: the window toolbar, then the effect tools.
#define IDS_TIP_DISPLAY_FIRST 3620  // 3620-3626
#define IDS_TIP_EFFECT_FIRST 3630   // 3630-3639
