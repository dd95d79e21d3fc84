// Resource and command ids of GlypheryEdit.exe.
#pragma once

// Icons, cursors, bitmaps, menus, dialogs.
#define IDI_EDITOR 1
#define IDB_TOOLBAR 1  // the main toolbar's and the menus' 16 x 16 images
#define IDC_HAND_CURSOR 4
#define IDB_TOOLS 5  // the tool box's 16 x 16 images
#define IDB_PATTERN 176
#define IDM_BRUSH_SIZE 140
#define IDM_EDITOR 141
#define IDD_ABOUT 100
#define IDD_DISPLAY_PAGE 111
#define IDD_PALETTE 145
#define IDD_INFORMATION 161
#define IDD_LAUNCH_PAGE 162
#define IDD_CONVERT_PAGE 705
#define IDC_NOT_AGAIN 1001

// Child windows.
#define IDC_MAIN_TOOLBAR 1032
#define IDC_TOOLBOX 1028
#define IDC_TOOL_REBAR 1033
#define IDC_STATUS 7000

// The palette window's colour cells, row by row: 1105 to 1151, with 40071
// in the sixth place of the second row.
#define IDC_PALETTE_FIRST 1105
#define IDC_PALETTE_ODD 40071

// The settings sheet's pages and the About dialog.
#define IDC_SOURCE_BROWSE 1053
#define IDC_TARGET_FOLDER 1054
#define IDC_TARGET_BROWSE 1055
#define IDC_EXPORT_TYPE 1056
#define IDC_SHOW_GRID 1060
#define IDC_SHOW_PALETTE 1061
#define IDC_FOND_SWATCH 1062
#define IDC_FOND_CHANGE 1063
#define IDC_LAUNCH_FORMAT 1064
#define IDC_LAUNCH_COLORS 1065
#define IDC_ABOUT_NAME 1070
#define IDC_ABOUT_SYSTEM 1071
#define IDC_ABOUT_LINK 1072

// Commands of the menu bar.
#define CMD_SAVE 40025
#define CMD_SAVE_AS 190
#define CMD_PRINT 1092
#define CMD_CLOSE 40001
#define CMD_UNDO 40053
#define CMD_COPY 1012
#define CMD_PASTE 40097
#define CMD_PEN 437
#define CMD_BRUSH 40011
#define CMD_LINE 53
#define CMD_RECTANGLE 40005
#define CMD_FILLED_RECTANGLE 40006
#define CMD_BICOLOR_RECTANGLE 40007
#define CMD_CIRCLE 40008
#define CMD_FILLED_CIRCLE 40009
#define CMD_BICOLOR_CIRCLE 40010
#define CMD_FILL 40012
#define CMD_SPRAY 40060
#define CMD_SELECT 40062
#define CMD_EXTRACT_COLOR 40061
#define CMD_WHICH_COLOR 40054
#define CMD_INSERT_TEXT 40065
#define CMD_BRUSH_1 40059
#define CMD_BRUSH_2 433
#define CMD_BRUSH_3 434
#define CMD_BRUSH_4 435
#define CMD_BRUSH_5 436
#define CMD_GRID 40076
#define CMD_PALETTE 40071
#define CMD_SELECTION_ONLY 40063
#define CMD_SETUP_DISPLAY 40013
#define CMD_SETUP_CONVERT 40081
#define CMD_SETUP_LAUNCH 40080
#define CMD_PLUGIN_MANAGER 40098
#define CMD_SWIRL 40042
#define CMD_EXPLODE 40029
#define CMD_EMBOSS 40036
#define CMD_WAVE 40047
#define CMD_BORDER 40027
#define CMD_FRAME 40034
#define CMD_SHARPEN 40033
#define CMD_FLIP 40021
#define CMD_FLOP 40022
#define CMD_ROTATE 1029
#define CMD_HELP_INDEX 40024
#define CMD_HELP_FIND 1031
// The help topic of the editor and its settings sheet.
#define HELP_EDITOR 115
#define CMD_ABOUT 1032
#define CMD_BRUSH_WIDTH 1027
#define CMD_CHOOSE_COLOR 101
#define CMD_TRANSPARENT_COLOR 102
#define CMD_TRANSPARENT_PIXELS 108

// Strings.
#define IDS_TITLE 1
#define IDS_OUTSIDE 2
#define IDS_CANNOT_READ 3
#define IDS_READY 4
#define IDS_ONE_IMAGE 5
#define IDS_IMAGES 6
#define IDS_CLOSE_QUESTION 7

// Labels of the menu items inserted at run time.
#define IDS_MENU_SAVE 100
#define IDS_MENU_SAVE_AS 101
#define IDS_MENU_PRINT 102
#define IDS_MENU_CLOSE 103
#define IDS_MENU_SWIRL 104
#define IDS_MENU_EXPLODE 105
#define IDS_MENU_EMBOSS 106
#define IDS_MENU_WAVE 107
#define IDS_MENU_BORDER 108
#define IDS_MENU_FRAME 109
#define IDS_MENU_SHARPEN 110
#define IDS_MENU_FLIP 111
#define IDS_MENU_FLOP 112
#define IDS_MENU_ROTATE 113
#define IDS_MENU_INDEX 114
#define IDS_MENU_FIND 115
#define IDS_MENU_ABOUT 116

// The picture views: the small view, the format bar and its controls, the
// internal command that shows the current picture, and their strings.
#define IDD_SMALLVIEW 146
#define IDD_FORMATBAR 700
#define IDC_IMAGE_SELECTOR 702
#define IDC_POSITION 703
#define IDC_SELECTION_SIZE 704
#define IDC_RIGHT_SWATCH 1050
#define IDC_LEFT_SWATCH 1051
#define CMD_SHOW_PICTURE 1013
#define IDS_SELECTOR_COLORS 200
#define IDS_SELECTOR_TRUE_COLOR 201
#define IDS_POSITION_FORMAT 202
#define IDS_SIZE_FORMAT 203

// Tooltips of the two toolbars.
#define IDS_TIP_SAVE 300
#define IDS_TIP_SAVE_AS 301
#define IDS_TIP_PRINT 302
#define IDS_TIP_GRID 303
#define IDS_TIP_PALETTE 304
#define IDS_TIP_BRUSH_WIDTH 305
#define IDS_TIP_UNDO 306
#define IDS_TIP_SETUP 307
#define IDS_TIP_HELP 308
#define IDS_TIP_CLOSE 309
#define IDS_TIP_PEN 310
#define IDS_TIP_BRUSH 311
#define IDS_TIP_LINE 312
#define IDS_TIP_EXTRACT 313
#define IDS_TIP_FILL 314
#define IDS_TIP_SPRAY 315
#define IDS_TIP_RECTANGLE 316
#define IDS_TIP_FILLED_RECTANGLE 317
#define IDS_TIP_BICOLOR_RECTANGLE 318
#define IDS_TIP_CIRCLE 319
#define IDS_TIP_FILLED_CIRCLE 320
#define IDS_TIP_SELECT 321
#define IDS_TIP_TRANSPARENT_COLOR 322
#define IDS_TIP_TRANSPARENT_PIXELS 323
#define IDS_TIP_CHOOSE_COLOR 324

// What status part 0 says of the chosen tool.
#define IDS_STATUS_PENCIL 340
#define IDS_STATUS_BRUSH 341
#define IDS_STATUS_LINE 342
#define IDS_STATUS_RECTANGLE 343
#define IDS_STATUS_FLOOD 344
#define IDS_STATUS_SELECTION 345
#define IDS_STATUS_COLOR_SELECTOR 346
#define IDS_STATUS_TRANSPARENT_COLOR 347
#define IDS_STATUS_TRANSPARENT_PIXELS 348

// The settings sheet and the About dialog.
#define IDS_TARGET_FOLDER_TITLE 360
#define IDS_SOURCE_FOLDER_TITLE 361
#define IDS_EXPORT_BMP 362
#define IDS_SITE_ADDRESS 363
#define IDS_LAUNCH_FORMAT_FIRST 370  // 370 to 377: the sizes of the Launch page's list
#define IDS_LAUNCH_FORMAT_COUNT 8
#define IDS_LAUNCH_COLORS_FIRST 380  // 380 to 383: its colour counts
#define IDS_LAUNCH_COLORS_COUNT 4

// The drawing tools, save, export and print: their strings.
#define IDS_CANNOT_SAVE 500
#define IDS_SAVE_TITLE 501
#define IDS_SAVE_FILTER 502
#define IDS_SAVE_AS_FILTER 503
#define IDS_CANNOT_EXPORT 504
#define IDS_PRINT_DOCUMENT 505
#define IDS_PRINT_ICO_FILE 506
#define IDS_PRINT_FORMATS 507
#define IDS_PRINT_FORMAT_LINE 508
#define IDB_RULE_LINE 158
// Select transparent pixels: the pattern over the cells it marks.
#define IDB_TRANSPARENT_PATTERN 393

// The one-shot colour picks: the two dialogs that show a
// picked colour (432 "This color is...", 708 " Transparent color") and the
// cursors shown while a pick waits for its click.
#define IDD_WHICH_COLOR 432
#define IDD_TRANSPARENT_COLOR 708
#define IDC_COLOR_RED 4501
#define IDC_COLOR_GREEN 4502
#define IDC_COLOR_BLUE 4503
#define IDC_COLOR_HTML 4504
#define IDC_COLOR_SWATCH 4505
#define IDC_COPY_HTML 4506
#define IDS_HTML_FORMAT 509
#define IDS_CANNOT_PRINT 512
#define IDC_PICK_CURSOR 357
#define IDC_TRANSPARENT_CURSOR 10018

// Text insertion: dialog 228, its controls, its cursor and its messages.
#define IDD_INSERT_TEXT 228
#define IDC_TEXT_EDIT 4510
#define IDC_TEXT_COLOR_SAMPLE 4511
#define IDC_TEXT_FONT 4512
#define IDC_TEXT_SURROUND 4513
#define IDC_TEXT_BACK_SWATCH 4514
#define IDC_TEXT_MODIFY 4515
#define IDC_TEXT_CURSOR 333
#define IDS_CLICK_FOR_TEXT 510
#define IDS_NO_TEXT 511

// The drawing tools' cursors (the Line tool's by working size).
#define IDC_FILL_CURSOR 7011
#define IDC_CROSS_CURSOR 7012
#define IDC_PEN_CURSOR 7013
#define IDC_BRUSH_CURSOR 7014
#define IDC_LINE32_CURSOR 7017
#define IDC_LINE16_CURSOR 7018
#define IDC_LINE48_CURSOR 7019
#define IDC_LINE64_CURSOR 7020
#define IDC_SPRAY_CURSOR 10017
