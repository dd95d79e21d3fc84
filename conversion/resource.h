// Resource ids of the conversion's windows (included by the programs'
// resource scripts through conversion.rc).
#pragma once

#define IDD_PROGRESS 215
#define IDC_PROGRESS_SOURCE 1328
#define IDC_PROGRESS_STATUS 233
#define IDC_PROGRESS_BAR 1262
#define IDC_PROGRESS_NOTE 1165
// Commands sent to the progress window.
#define IDM_PROGRESS_POSITION 40  // lParam: the bar's new position
#define IDM_PROGRESS_SHOW_STATUS 41
// The create-as list's entries as the program's string table shows them in
// the user's language: IDS_CREATE_AS_BASE + kind (1 icon .. 4 profile image).
// A program without these strings shows the English labels.
#define IDS_CREATE_AS_BASE 3100
