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
#define IDS_WDBC_SELECT_PAGE 9
#define IDS_WDBC_UPDATE_PAGE 10
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

// ---- Screen capture, advertising, settings and the music player ----
// The screen-capture chooser.
#define IDD_SCREEN_CAPTURE 138
#define IDC_CAPTURE_WINDOWS 1001
// The settings dialog.
#define IDD_SET_ENV 8756
#define IDC_SETENV_SAVE 1029
#define IDC_SETENV_COMPACT 1409
#define IDC_SETENV_RESETPROFILE 1410
#define IDC_SETENV_JOIN 1411
#define IDC_SETENV_CUSTID 1412
#define IDC_SETENV_CUSTPWD 1413
#define IDC_SETENV_CUSTPWD2 1414
#define IDC_SETENV_CUSTSEX 1415
#define IDC_SETENV_SLIDEBK 1416
#define IDC_SETENV_EMAIL 1417
#define IDC_SETENV_BIRTH 1418
#define IDC_SETENV_ADDR 1419
#define IDC_SETENV_JPEGQ 1420
#define IDC_SETENV_MNSN 1421
#define IDC_SETENV_BROWSERBK 1422
#define IDC_SETENV_CLEARCACHE 1423
#define IDC_SETENV_WITHDRAW 1424
#define IDC_SETENV_DEFAULTS 1425
#define IDC_SETENV_PICKDATE 1426
#define IDC_SETENV_DUPCHECK 1427
#define IDC_SETENV_CUSTNAME 1428
#define IDC_SETENV_FETCH 1429
#define IDC_SETENV_UNDO 1430
#define IDC_SETENV_LINKPRG 1431
#define IDC_SETENV_BROWSE 1432
// The music player: the bar (a child pane) and the window that borrows it.
#define IDD_MEDIAPLAYER_BAR 8755
#define IDD_MEDIAPLAYER 8758
#define IDC_PLAYER_PLAY 1000
#define IDC_PLAYER_PAUSE 1001
#define IDC_PLAYER_NEXT 1002
#define IDC_PLAYER_PREVIOUS 1003
#define IDC_PLAYER_STOP 1004
#define IDC_PLAYER_EJECT 57671
#define IDC_PLAYER_TITLE 1081
#define IDC_PLAYER_CLOCK 1389
#define IDC_PLAYER_VOLUME 1394
#define IDC_PLAYER_CD 1397
#define IDC_PLAYER_FILES 1398
#define IDC_PLAYER_POSITION 1399
#define IDC_PLAYER_LIST 1400
#define IDC_PLAYER_FRAME1 1401
#define IDC_PLAYER_FRAME2 1402
#define IDC_PLAYER_FRAME3 1403
#define IDC_PLAYER_REPEAT 1404
#define IDC_PLAYER_CLOCK_WND 1234
// Button icons: OK, close, the community button and the on/off switch are the other
// subsystems'; the player's are ours.
#define IDI_BTN_OK 216
#define IDI_BTN_CLOSE 185
#define IDI_BTN_COMMUNITY 179
#define IDI_PLAYER_PREVIOUS 187
#define IDI_SWITCH_ON 242
#define IDI_SWITCH_OFF 243
#define IDI_PLAYER_NEXT 246
#define IDI_PLAYER_STOP 247
#define IDI_PLAYER_PLAY 248
#define IDI_PLAYER_PAUSE 249
#define IDI_PLAYER_EJECT 250
#define IDI_REPEAT_ON 252
#define IDI_REPEAT_OFF 253
