// Resource ids of the shell subsystem: the main frame's menus, bars, pictures,
// the About box, the open dialog's preview template and the string table.
#pragma once

// Main frame: menu, toolbar, accelerators, icon and version string.
#define IDR_MAINFRAME 128
// Small pictures drawn beside menu items (16 x 15).
#define IDR_MENUIMAGES 129
// The editor's document template: icon and document string "ImgEdit".
#define IDR_IMGEDITTYPE 157
// The zoom steps dropped from the toolbar's zoom buttons.
#define IDR_ZOOM_MENU 325

#define IDB_TOOLBAR_NORMAL 22903
#define IDB_TOOLBAR_DISABLED 22904
#define IDB_TOOLBAR_HOT 22905
#define IDB_REBAR_BACK 22906
#define IDB_FOLDERBAR_LARGE 135
#define IDB_FOLDERBAR_SMALL 137
#define IDB_LOGO 138

// About box.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_LOGO 1426
#define IDC_ABOUT_HOMEPAGE 1427
#define IDC_ABOUT_JOIN 1434
// Child template of the picture open dialog.
#define IDD_FILEOPEN_PREVIEW 225
#define IDC_PREVIEW_CHECK 6000
#define IDC_PREVIEW_AREA 6001
// The advertising band of the rebar.
#define IDD_ADVERTISING 8757
#define IDC_AD_LOGO 1000

// Strings: logins of the two databases, server addresses, messages, version.
#define IDS_TMPL_UID 1
#define IDS_TMPL_PWD 2
#define IDS_USER_UID 3
#define IDS_USER_PWD 4
#define IDS_COMMUNITY_URL 5
#define IDS_AD_URL 6
#define IDS_AD_HOST 7
#define IDS_WDBC_HOST 8
#define IDS_UPDATE_URL 9
#define IDS_ORDER_URL 10
#define IDS_OLE_FAILED 100
#define IDS_VERSION 128

// Main frame commands.
#define ID_VIEW_TOOLBOX 154
#define ID_WINDOW_TOPMOST 155
#define ID_WINDOW_NOTOPMOST 156
#define ID_FILE_NEW_IMAGE 38619
#define ID_FILE_OPEN_IMAGE 38620
#define ID_FILE_SAVE_IMAGE 38621
#define ID_FILE_PASTE_NEW 33305
#define ID_FILE_SELECT_SOURCE 33010
#define ID_FILE_SCAN 33008
#define ID_FILE_CAPTURE 33012
#define ID_FILE_PRINT_IMAGE 38625
#define ID_TOOLS_JPEG_FORMAT 32993
#define ID_TOOLS_SETTINGS 33251
#define ID_TOOLS_MUSIC 33265
#define ID_HELP_HOMEPAGE 33253
#define ID_HELP_CONTENTS 33307
#define ID_ONLINE_ORDER 33315
#define ID_TEMPLATE_MASK 33260
#define ID_TEMPLATE_PATTERN 33261
#define ID_TEMPLATE_FRAME 33262
#define ID_TEMPLATE_CALENDAR 33263
#define ID_TEMPLATE_PRFORM 33264
#define ID_VIEW_ZOOMIN 33115
#define ID_VIEW_ZOOMOUT 33116
#define ID_VIEW_FULLSCREEN 33117
#define ID_EDIT_UNDO_IMAGE 844
#define ID_EDIT_REDO_IMAGE 33003
#define ID_ZOOM_FIRST 33081
#define ID_ZOOM_LAST 33094
// The program's pointing hand over buttons (and the editor's move tool).
#define IDC_HAND_POINTER 128
