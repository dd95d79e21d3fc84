// Resource identifiers of the icon resources subsystem: the animated cursor
// builder dialog and its button icons. Included by the program that links
// iconres.rc.
#pragma once

#define IDI_ANI_STOP 3
#define IDI_ANI_PLAY 4

#define IDD_ANI 297

#define IDC_ANI_FRAMES 1209       // frame list view
#define IDC_ANI_PATHS 1398        // hidden list of the frame file paths
#define IDC_ANI_STATUS 233
#define IDC_ANI_NAME_LABEL 1328
#define IDC_ANI_NAME 1138
#define IDC_ANI_TITLE_LABEL 1329
#define IDC_ANI_TITLE 1136
#define IDC_ANI_AUTHOR_LABEL 1165
#define IDC_ANI_AUTHOR 1137
#define IDC_ANI_SPEED_LABEL 1259
#define IDC_ANI_SPEED 1139
#define IDC_ANI_SPIN 400
#define IDC_ANI_JIFFY_NOTE 1455
#define IDC_ANI_PREVIEW 1412
#define IDC_ANI_STOP 1410
#define IDC_ANI_PLAY 1411
#define IDC_ANI_HELP 1283
#define IDC_ANI_TEST_GROUP 1456

// Strings of the animated cursor builder (English and French string tables).
#define IDS_ICONRES_CAPTION 3140      // the caption of their messages: the program's name
#define IDS_ANI_STATUS 3141           // %d: the frame count
#define IDS_ANI_NO_NAME 3142
#define IDS_ANI_CREATED 3143          // %s, %s: the name, the folder
#define IDS_ANI_NOT_CREATED 3144      // %s, %s: the name, the folder
