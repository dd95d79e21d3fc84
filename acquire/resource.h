// Resource identifiers of acquisition: the TWAIN session's messages, the
// screen capture's settings dialog (template 436) and messages, and the
// scanner and camera commands' messages. Programs that carry these include
// acquire/session.rc and, for the capture, acquire/capture.rc.
#pragma once

// The capture settings dialog.
#define IDD_CAPTURE 436
#define IDC_CAP_SIZE 1136
#define IDC_CAP_ZOOM 1039
#define IDC_CAP_ZOOM_SIZE 1137
#define IDC_CAP_TARGET 1041
#define IDC_CAP_NAME 1138
#define IDC_CAP_HELP 1283
#define IDC_CAP_SIZE_LABEL 1139
#define IDC_CAP_NAME_LABEL 1140
#define IDC_CAP_NOTE 1141
#define kCaptureHelpContext 218

// The TWAIN session's messages (7100-7129).
#define IDS_TW_CAPTION 7100
#define IDS_TW_LOAD_FAILED 7101
#define IDS_TW_DSM_NOT_OPEN_CLOSE 7102
#define IDS_TW_SOURCE_IS_OPEN 7103
#define IDS_TW_DSM_CLOSED 7104
#define IDS_TW_DSM_NOT_OPEN_OPEN 7105
#define IDS_TW_SOURCE_ALREADY_OPEN 7106
#define IDS_TW_UNKNOWN_CODE 7107
#define IDS_TW_SOURCE_NOT_OPEN_CLOSE 7108
#define IDS_TW_SOURCE_IS_ENABLED 7109
#define IDS_TW_SOURCE_CLOSED 7110
#define IDS_TW_NO_SOURCE_ENABLE 7111
#define IDS_TW_ALREADY_ENABLED 7112
#define IDS_TW_SOURCE_ENABLED 7113
#define IDS_TW_NOT_ENABLED 7114
#define IDS_TW_SOURCE_DISABLED 7115
#define IDS_TW_NOT_IN_STATE_5 7116
#define IDS_TW_XFERDONE 7117
#define IDS_TW_CANCEL 7118
#define IDS_TW_ASK_CLOSE_ENABLED 7119
#define IDS_TW_ASK_CLOSE_OPEN 7120
#define IDS_TW_ASK_CAPTION 7121
#define IDS_TW_MANUFACTURER 7122   // the identity's maker, at most 33 characters
#define IDS_TW_NO_DEVICE 7123      // the scanner commands without a TWAIN source

// The capture's messages (7130-7139).
#define IDS_CAP_NO_NAME 7130
#define IDS_CAP_SIZE_TOO_SMALL 7131
#define IDS_CAP_ZOOM_TOO_SMALL 7132
#define IDS_CAP_CAPTION 7133
#define IDS_CAP_BAD_NAME 7134   // an icon name that is no plain file name
