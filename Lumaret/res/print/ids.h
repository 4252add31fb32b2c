// Resource ids of the print subsystem: the printing dialog with its two panels and
// preview menu, the print-form editor and the order cart.
#pragma once

// Dialogs.
#define IDD_TEMPLATE_PRFORM 8744
#define IDD_IMG_PRINT 8745
#define IDD_CART 8762
#define IDD_IMG_PRINT_TMPL 8769
#define IDD_IMG_PRINT_OPTION 8770

// Printing dialog controls.
#define IDC_PRINT_PREVIEW_FRAME 6107
#define IDC_PRINT_OVERVIEW 6110
#define IDC_PRINT_PANEL_FRAME 6109
#define IDC_PRINT_SHOW_FORMS 1461
#define IDC_PRINT_SHOW_OPTIONS 1462
#define IDC_PRINT_ZOOM_IN 1349
#define IDC_PRINT_ZOOM_OUT 1350
#define IDC_PRINT_FIRST 6101
#define IDC_PRINT_PREV 6095
#define IDC_PRINT_NEXT 6096
#define IDC_PRINT_LAST 6097
#define IDC_PRINT_START 1463
// Form-choice panel grid; options panel buttons.
#define IDC_PRINT_FORM_GRID 1460
#define IDC_PRINT_OPT_STRETCH 1384
#define IDC_PRINT_OPT_CROP 1385
#define IDC_PRINT_OPT_DECORATION 1383
#define IDC_PRINT_OPT_REALPREVIEW 1382

// Print-form editor controls.
#define IDC_PRFORM_FORM_GRID 1307
#define IDC_PRFORM_ITEM_GRID 1332
#define IDC_PRFORM_SPLITTER 1333
#define IDC_PRFORM_REFRESH 1091
#define IDC_PRFORM_ZOOM_TEXT 1438

// Cart controls.
#define IDC_CART_GRID 1446
#define IDC_CART_NEW 1090
#define IDC_CART_EMPTY 1092
#define IDC_CART_CLEAR_ALL 1094
#define IDC_CART_ADD 1091
#define IDC_CART_COUNT 1447

// The preview's context menu.
#define IDR_PRINT_MENU 330
#define ID_PRINT_EXCLUDE_SLOT 33233
#define ID_PRINT_ONLY_SLOT 33234
#define ID_NAV_FIRST 32854
#define ID_NAV_PREV 32855
#define ID_NAV_NEXT 32856
#define ID_NAV_LAST 32857
#define ID_IMAGE_PRINT 38625

// Button icons; 170 (delete), 178 (new), 179 (refresh), 242 and 243 (check box on, off), 244
// and 245 (zoom in, out) are the other subsystems' pictures.
#define IDI_PRINT_EMPTY_LIST 170
#define IDI_PRINT_ADD 171
#define IDI_PRINT_PRINT 177
#define IDI_PRINT_NEW_LIST 178
#define IDI_PRINT_REFRESH 179
#define IDI_PRINT_FIRST 206
#define IDI_PRINT_NEXT 207
#define IDI_PRINT_PREV 208
#define IDI_PRINT_LAST 209
#define IDI_PRINT_CHECK_ON 242
#define IDI_PRINT_CHECK_OFF 243
#define IDI_PRINT_ZOOM_IN 244
#define IDI_PRINT_ZOOM_OUT 245
