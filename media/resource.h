// Resource ids of GlypheryMedia.exe.
#pragma once

#define IDD_MEDIA 102
#define IDI_MEDIA 101  // the program's icon

// The dialog's controls.
#define IDC_PLAY 1009
#define IDC_PAUSE 1011
#define IDC_STOP 1010
#define IDC_FRAMESTEP 1022
#define IDC_LOOP 1014
#define IDC_SAVE 1040
#define IDC_HELPBUTTON 1045
#define IDC_CLOSEBUTTON 1046
#define IDC_SLIDER 1036
#define IDC_POSITION_NUMBER 1044
#define IDC_FORMAT 1041
#define IDC_MEDIA_PATH 1020
#define IDC_VIDEO_AREA 1005
#define IDC_CAPTURE_AREA 1042
#define IDC_STATUS 1015
#define IDC_FILE_SIZE 1018
#define IDC_FILE_DATE 1019
#define IDC_DURATION 1034
#define IDC_IMAGE_SIZE 1035
#define IDC_POSITION 1037

// The buttons' icons.
#define IDI_PLAY 110
#define IDI_PAUSE 111
#define IDI_STOP 112
#define IDI_FRAMESTEP 113
#define IDI_HELP 114
#define IDI_CLOSE 115

// Strings.
#define IDS_TITLE 200           // "GlypheryMedia": the window's and every message's caption
#define IDS_OUTSIDE 201         // the command line has no "|"
#define IDS_WITHOUT 202         // it has no media path before the "|"
#define IDS_NO_DIRECTSHOW 203   // the filter graph cannot be made
#define IDS_NO_NAME 204         // Save with the edit field empty
#define IDS_FORMAT_ICO 205      // the one entry of the format list
#define IDS_LOADING 210
#define IDS_READY 211
#define IDS_RUNNING 212
#define IDS_PAUSED 213
#define IDS_STOPPED 214
#define IDS_FILE_SIZE 220       // "Size: %d bytes"
#define IDS_FILE_DATE 221       // month, day, four-digit year
#define IDS_IMAGE_SIZE 222      // width, height
#define IDS_POSITION 223        // minutes, seconds
#define IDS_DURATION 224        // minutes, seconds, milliseconds
#define IDS_NO_DURATION 225     // until the duration is known
// Tool tips: the buttons' ids + 1000.
#define IDS_TIP_BASE 1000
