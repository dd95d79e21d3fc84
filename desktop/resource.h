// Resource identifiers of the desktop customization dialogs. Included by the
// dialogs' sources and resource scripts; the main program links the scripts.
#pragma once

// Templates, menus, icons and bitmaps.
#define IDD_SYSICONS 317
#define IDD_SYSICON_PROPERTIES 318
#define IDD_SYSCURSORS 343
#define IDD_FOLDERICONS 433
#define IDD_METRICS 434
#define IDD_DRIVEICONS 435
#define IDD_FAVORITES 437
#define IDM_FAVORITES_CONTEXT 399
#define IDI_NOICON 332
#define IDB_FOLDER_CLOSED 100
#define IDB_FOLDER_OPEN 101

// Controls shared by the picker dialogs.
#define IDC_DESK_STATUS 233      // status text over the icon list
#define IDC_DESK_CAPTION 1328    // caption over the object, folder or drive list
#define IDC_DESK_OBJECTS 1398    // ObjectList (system icons, cursors), DriveList (drives)
#define IDC_DESK_ICONS 1209      // IconList
#define IDC_DESK_HELP 1283
#define IDC_DESK_RESET 1466
#define IDC_DESK_FILE 1389       // "&File" of the system icon and cursor dialogs
#define IDC_DESK_BROWSE 1117     // "&Browse..." of the folder and drive dialogs
#define IDC_DESK_APPLY_BUTTON 1300  // "&Apply" of the folder and drive dialogs

// System icons (317) and its properties dialog (318).
#define IDC_SYSICONS_HINT 1329
#define IDC_PROP_FILE_LABEL 233
#define IDC_PROP_INDEX_LABEL 1328
#define IDC_PROP_ROOT_LABEL 1329
#define IDC_PROP_KEY_LABEL 1165
#define IDC_PROP_FILE 1400
#define IDC_PROP_INDEX 1401
#define IDC_PROP_ROOT 1402
#define IDC_PROP_KEY 1403

// Folder icons (433).
#define IDC_FOLDER_TREE 401       // created at run time
#define IDC_FOLDER_TIP_LABEL 1260
#define IDC_FOLDER_TIP 1136

// Favorites (437) and its context menu (399).
#define IDC_FAV_TREE 1473
#define IDC_FAV_URL_LABEL 1260
#define IDC_FAV_URL 1136
#define IDM_FAV_ASSIGN 288
#define IDM_FAV_EDIT_URL 287
#define IDM_FAV_CONNECT 290
#define IDM_FAV_DELETE 289

// Icon metrics (434).
#define IDC_MET_GROUP 233
#define IDC_MET_LARGE 1039
#define IDC_MET_OVERLAYS 1041
#define IDC_MET_ANIMATED 1335
#define IDC_MET_WRAP 1352
#define IDC_MET_HSPACING 1136
#define IDC_MET_VSPACING 1137
#define IDC_MET_COLORS 1068
#define IDC_MET_HSPACING_LABEL 1450
#define IDC_MET_VSPACING_LABEL 1451
#define IDC_MET_COLORS_LABEL 1452
#define IDC_MET_CACHE_GROUP 1259
#define IDC_MET_CACHE_LABEL 1260
#define IDC_MET_CACHE 1138
#define IDC_MET_REBUILD 1117
#define IDC_MET_REPAIR 1300
#define IDC_MET_REBUILD_NOTE 1471
#define IDC_MET_REPAIR_NOTE 1470
#define IDC_MET_SIZE_LABEL 1455
#define IDC_MET_SIZE 1071
#define IDC_MET_HSPIN 400
#define IDC_MET_VSPIN 401
#define IDC_MET_CACHESPIN 402

// Help contexts in the main help file.
#define HELP_SYSICONS 200
#define HELP_SYSCURSORS 201
#define HELP_FOLDERICONS 203
#define HELP_DRIVEICONS 204
#define HELP_METRICS 203
#define HELP_FAVORITES 221
