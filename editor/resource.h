// Resource and command ids of GlypheryEdit.exe.
#pragma once

// Icons, bitmaps, menus, dialogs.
#define IDI_EDITOR 1
#define IDB_PATTERN 176
#define IDM_EDITOR 141
#define IDD_INFORMATION 161
#define IDC_NOT_AGAIN 1001

// Child windows.
#define IDC_STATUS 7000

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
#define CMD_ABOUT 1032

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
// main tool bar's id (its Undo button follows the history), the internal
// command that shows the current picture, and their strings.
#define IDD_SMALLVIEW 146
#define IDD_FORMATBAR 700
#define IDC_IMAGE_SELECTOR 702
#define IDC_POSITION 703
#define IDC_SELECTION_SIZE 704
#define IDC_RIGHT_SWATCH 1050
#define IDC_LEFT_SWATCH 1051
#define IDC_MAIN_TOOLBAR 1032
#define CMD_SHOW_PICTURE 1013
#define IDS_SELECTOR_COLORS 200
#define IDS_SELECTOR_TRUE_COLOR 201
#define IDS_POSITION_FORMAT 202
#define IDS_SIZE_FORMAT 203
