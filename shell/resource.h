// Resource identifiers of the main program: the options panel (template
// 237), menus, toolbar, icons, and the Setup and About dialogs.
#pragma once

// Templates, menus, bitmaps, icons.
#define IDD_PANEL 237
#define IDD_SETUP 276
#define IDD_ABOUT 104
#define IDM_MAIN 128
#define IDM_ACQUIRE 401
#define IDB_TOOLBAR 4          // 13 images of 16 x 16
#define IDB_CONVERT 130        // the Convert button's picture
#define IDI_GLYPHERY 101
#define IDI_BROWSE 1012        // 16 x 16, on the "..." buttons

// Options panel (237).
#define IDC_PANEL_HINT 1035
#define IDC_CONVERT 1366
#define IDC_FORMATS_GROUP 1383
#define IDC_CUSTOM_SIZE 1136
#define IDC_CUSTOM_SPIN 400
#define IDC_CUSTOM_LABEL 1393
#define IDC_TRANSPARENT 1204
#define IDC_SWATCH 1396
#define IDC_COLOR 1117
#define IDC_CREATE_AS_LABEL 1444
#define IDC_CREATE_AS 1068
#define IDC_TEST 1405
#define IDC_FROM_SCANNER 1409
#define IDC_TARGET 1319
#define IDC_TARGET_BROWSE 1320
#define IDC_TARGET_LABEL 1474
#define IDC_PROGRAM_ICON 1382
#define IDC_TOOLBAR 1500       // created at run time

// Commands of the main window (menu 128, toolbar, menu 401).
#define IDM_CLOSE 2
#define IDM_ABOUT 105
#define IDM_QUIT 106
#define IDM_SETUP 107
#define IDM_HELP 113
#define IDM_SYSICONS 257
#define IDM_SYSCURSORS 260
#define IDM_UNSELECT 264
#define IDM_FOLDERICONS 279
#define IDM_METRICS 280
#define IDM_DRIVEICONS 281
#define IDM_DESKTOPICONS 282
#define IDM_XP_BUTTON 284
#define IDM_XP_FORMAT 285
#define IDM_FAVORITES 286
#define IDM_SELECT_SOURCE 294
#define IDM_SCAN_GLYPHERY 298
#define IDM_CAMERA 299
#define IDM_CAPTURE 436
#define IDM_ACQUIRE_BUTTON 439
#define IDM_FILTER_A 1174
#define IDM_OPEN_SELECTED 1175
#define IDM_FILTER_B 1176

// Setup (276).
#define IDC_SET_LAUNCH_LABEL 1328
#define IDC_SET_LAUNCH 1137
#define IDC_SET_LAUNCH_BROWSE 1300
#define IDC_SET_SAVE_LABEL 1329
#define IDC_SET_SAVE 1136
#define IDC_SET_SAVE_BROWSE 1117
#define IDC_SET_PROPORTIONS 1352
#define IDC_SET_BEEP 1335
#define IDC_SET_AUTO_ANI 1039
#define IDC_SET_GRID 1457
#define IDC_SET_TOOLTIPS 1041
#define IDC_SET_DISPLAY 1416
#define IDC_SET_INTERNAL 1161
#define IDC_SET_EDITOR 1162
#define IDC_SET_OTHER 1278
#define IDC_SET_VIEWER 1138
#define IDC_SET_VIEWER_BROWSE 1315

// About (104).
#define IDC_ABOUT_ICON 1381
#define IDC_ABOUT_TEXT 202
#define IDC_ABOUT_VERSION 1290
#define IDC_ABOUT_CONTACT 1466
#define IDC_ABOUT_LINK 1467
#define IDC_ABOUT_CONTACT_TEXT 1468

// Strings of the main window (string table of glyphery.rc). The toolbar's
// tool tips use the command ids above as their string ids.
#define IDS_TIP_CONVERT 3001
#define IDS_TIP_CUSTOM 3002
#define IDS_TIP_TARGET 3003
#define IDS_TIP_ICON 3004
#define IDS_LOOK_IN 3010
#define IDS_FILE_NAME 3011
#define IDS_FILE_TYPE 3012
#define IDS_TEST 3020
#define IDS_STOP_TEST 3021
#define IDS_TARGET_TITLE 3022
// What a conversion leaves unconverted rather than write over a file, and
// names the program cannot open (3110-3139; 3101-3104 are the create-as
// entries of conversion/resource.h).
#define IDS_KEPT_HEADER 3110
#define IDS_KEPT_WOULD_REPLACE 3111
#define IDS_KEPT_ALREADY_MADE 3112
#define IDS_NAME_OUTSIDE_CODE_PAGE 3113

// Messages of the main window.
#define IDS_CAPTION 3040             // the caption of every message: the program's name
#define IDS_NO_FILE 3041
#define IDS_FILE_MISSING 3042        // %s: the file's path
#define IDS_NO_TARGET 3043
#define IDS_CREATE_TARGET 3044       // %s: the folder
#define IDS_SELECT_FILE 3045
#define IDS_TARGET_TOO_LONG 3046     // the field holds 260 characters or more
#define IDS_TARGET_NO_ROOM 3047      // %s: a folder too long for any file in it
#define IDS_TARGET_NOT_WRITABLE 3048 // %s: a folder that takes no file
#define IDS_TARGET_NOT_CREATED 3049  // %s: a folder that could not be created
#define IDS_EMPTY_ICON 3050          // no format box ticked, for an icon (and kinds 3, 4)
#define IDS_EMPTY_CURSOR 3051        // the same for a cursor
#define IDS_COMPONENT_MISSING 3052   // the browser's file list is missing: first lines
#define IDS_VERSION_LINE 3053        // its Windows version numbers: major, minor, build (%lu each)
#define IDS_CONTACT_LINE 3054        // its last line
#define IDS_MEDIA_NOT_STARTED 3060   // the video tool could not be started

// Strings of the Setup dialog (English and French string tables).
#define IDS_SET_LAUNCH_LABEL 27600
#define IDS_SET_SAVE_LABEL 27601
#define IDS_SET_PROPORTIONS 27602
#define IDS_SET_BEEP 27603
#define IDS_SET_AUTO_ANI 27604
#define IDS_SET_GRID 27605
#define IDS_SET_TOOLTIPS 27606
#define IDS_SET_DISPLAY 27607
#define IDS_SET_INTERNAL 27608
#define IDS_SET_EDITOR 27609
#define IDS_SET_OTHER 27610
#define IDS_SET_OK 27611
#define IDS_SET_CANCEL 27612
#define IDS_SET_NO_VIEWER 27613      // the message when "Other:" has no program
#define IDS_SET_PICK_TITLE 27614     // title of the program picker
#define IDS_SET_PICK_FILTER 27615    // its one filter's description
#define IDS_SET_LAUNCH_BROWSE 27616  // title of the source folder browser
#define IDS_SET_SAVE_BROWSE 27617    // title of the target folder browser
#define IDS_NOT_INSTALLED 27618      // the start-up message when the settings are missing

// Strings of the About dialog.
#define IDS_ABOUT_TEXT 10400
#define IDS_ABOUT_CONTACT 10401
