// Resource ids of the display window's clipboard, combine, plug-in and
// printing pieces (display/displaytools.rc).
#pragma once

// Combine dialog.
#define IDD_COMBINE 189
#define IDC_COMBINE_MIX 1161       // radio "Mix with the icon"
#define IDC_COMBINE_COMPOSE 1162   // radio "Combine"
#define IDC_COMBINE_RATIO 1225
#define IDC_COMBINE_RATIO_LABEL 1328
#define IDC_COMBINE_RATIO_FRAME 1329
#define IDC_COMBINE_OPERATOR 1242
#define IDC_COMBINE_OPERATOR_LABEL 1165
#define IDC_COMBINE_BACKGROUND 1278  // radio "Use as background"
#define IDC_COMBINE_MOVE 1280        // radio "Move"
#define IDC_COMBINE_GRAVITY 1226
#define IDC_COMBINE_HELP 1283
#define HELP_COMBINE 198

// Plug-in manager dialog.
#define IDD_PLUGIN_MANAGER 1633
#define IDC_PLUGIN_PATHS 1209
#define IDC_PLUGIN_ADD 1117
#define IDC_PLUGIN_REMOVE 1300
#define IDC_PLUGIN_LABEL 1210

// The rule of the printed sheet, stretched across the page.
#define IDB_PRINT_RULE 158

// Strings.
#define IDS_TOOLS_CAPTION 6300              // "Glyphery"
#define IDS_PASTE_NO_BITMAP 6301            // Paste Replace, no bitmap in the clipboard
#define IDS_PASTE_NO_IMAGE 6302             // Paste Replace, a null bitmap
#define IDS_COMBINE_NO_BITMAP 6303          // Paste Combine, no bitmap in the clipboard
#define IDS_COMBINE_NO_IMAGE 6304           // Paste Combine, a null bitmap
#define IDS_COMBINE_BAD_RATIO 6305
#define IDS_COMBINE_CANCEL 6306
#define IDS_COMBINE_OPERATOR_FIRST 6310     // the twelve operators, in list order
#define IDS_COMBINE_GRAVITY_FIRST 6330      // the nine positions, in list order
#define IDS_PLUGIN_LABEL 6340               // "Search for plugins in these paths:"
#define IDS_PLUGIN_FOLDER 6341              // the folder browser's title
#define IDS_PRINT_DOCUMENT 6350             // "(Glyphery)"
#define IDS_PRINT_TITLE 6351                // "Glyphery"
#define IDS_PRINT_FILE 6352                 // "Ico file: "
#define IDS_PRINT_COUNT 6353                // "# Formats: "
#define IDS_PRINT_IMAGE 6354                // "Format: %dx%d, %d couleurs"
