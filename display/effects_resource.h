// Resource ids of the effects catalogue: the parameter dialogs (titled
// "GlypheryEffect"), their controls and the catalogue's strings.
#pragma once

// Parameter dialog templates.
#define IDD_FX_WAVE 392       // wave, gaussian, shade: two values
#define IDD_FX_FRAME 393
#define IDD_FX_THRESHOLD 394
#define IDD_FX_SWIRL 395
#define IDD_FX_CONTRAST 396
#define IDD_FX_IMPLODE 397
#define IDD_FX_MEDIAN 398
#define IDD_FX_NOISE 399
#define IDD_FX_OIL 401
#define IDD_FX_AMOUNT 402     // cycle, blur, charcoal, emboss, sharpen: one value
#define IDD_FX_RAISE 403
#define IDD_FX_ROLL 404
#define IDD_FX_BORDER 405
#define IDD_FX_COLORIZE 406
#define IDD_FX_MODULATE 701   // the icon editor's

// Controls.
#define IDC_FX_TEXT 233          // the description
#define IDC_FX_AMOUNT 404        // 402's value
#define IDC_FX_AMOUNT_LABEL 1328 // 402's label
#define IDC_FX_SWATCH 1328       // 405's colour swatch
#define IDC_FX_COLOR 1117        // 405's colour button
#define IDC_FX_VALUE 1136        // 397, 401, 404 (horizontal), 405 (width)
#define IDC_FX_VERTICAL 1137     // 404
#define IDC_FX_RED 1447
#define IDC_FX_GREEN 1448
#define IDC_FX_BLUE 1449
#define IDC_FX_BRIGHTNESS 1447   // 701, in the places of 406's
#define IDC_FX_SATURATION 1448
#define IDC_FX_HUE 1449
#define IDC_FX_FIRST 1161        // the first radio of a pair ("+", "Raise", "To up", "Enhance", "Add")
#define IDC_FX_SECOND 1162
#define IDC_FX_V_FIRST 1278      // 404's vertical "To up"
#define IDC_FX_V_SECOND 1280     // 404's vertical "To bottom"
#define IDC_FX_WIDTH 1143        // 393, 403
#define IDC_FX_HEIGHT 1142
#define IDC_FX_OUTER 1440        // 393
#define IDC_FX_INNER 1441
#define IDC_FX_THRESHOLD 129
#define IDC_FX_DEGREES 132
#define IDC_FX_FIRST_VALUE 1438  // 392
#define IDC_FX_SECOND_VALUE 1439
#define IDC_FX_ORDER 1431        // 398
#define IDC_FX_KIND 1068         // 399's noise kinds
#define IDC_FX_FIRST_LABEL 1601  // 392's labels
#define IDC_FX_SECOND_LABEL 1602
#define IDC_FX_SPIN1 1611        // up-downs, each right after its edit box
#define IDC_FX_SPIN2 1612
#define IDC_FX_SPIN3 1613
#define IDC_FX_SPIN4 1614
#define IDC_FX_STATIC (-1)

// Strings.
#define IDS_FX_CAPTION 6200
#define IDS_FX_COLOR_COUNT 6201     // "This image has %d colors"
#define IDS_FX_SPECIAL_FIRST 6210   // the nine special effects, in list order
#define IDS_FX_COLORIZE_FIRST 6220  // the three colorizations
#define IDS_FX_FILTER_FIRST 6230    // the nine filters
#define IDS_FX_NOISE_FIRST 6240     // the six noise kinds of dialog 399
#define IDS_FX_CYCLE_TEXT 6250      // dialog 402's texts by code
#define IDS_FX_CYCLE_LABEL 6251
#define IDS_FX_BLUR_TEXT 6252
#define IDS_FX_CHARCOAL_TEXT 6253
#define IDS_FX_EMBOSS_TEXT 6254
#define IDS_FX_SHARPEN_TEXT 6255
#define IDS_FX_GAUSSIAN_TEXT 6260   // dialog 392's texts by code
#define IDS_FX_GAUSSIAN_FIRST 6261
#define IDS_FX_GAUSSIAN_SECOND 6262
#define IDS_FX_SHADE_TEXT 6263
#define IDS_FX_SHADE_FIRST 6264
#define IDS_FX_SHADE_SECOND 6265
