// Resource ids of the browser subsystem.
#pragma once

// The browser window: 8683 is the page the folder and album panes open, 8682 the window's own.
#define IDD_IMG_BROWSER 8683
#define IDD_IMG_BROWSER_POPUP 8682

// Controls of both templates.
#define IDC_BROWSER_GRID 1225
#define IDC_BROWSER_LIST 1276
#define IDC_BROWSER_THUMBS 1293
#define IDC_BROWSER_DETAIL 1294
#define IDC_BROWSER_LOCATION 1388

// Icons of the three view buttons.
#define IDI_BROWSER_THUMBS 240
#define IDI_BROWSER_LIST 241
#define IDI_BROWSER_DETAIL 259

// Folder icons of the thumbnail view: a closed folder, a folder with an up arrow (48 x 36).
#define IDB_BROWSER_FOLDER 22907
#define IDB_BROWSER_PARENT 22908

// The thumbnail view's context menu and its commands.
#define IDR_BROWSER_MENU 324
#define ID_BROWSER_REMOVE 33197
#define ID_BROWSER_REFRESH 33198
#define ID_BROWSER_EDIT 33203
#define ID_BROWSER_SLIDESHOW 33204
#define ID_BROWSER_SELECT_ALL 33209
#define ID_BROWSER_EXCLUDE 33210
#define ID_BROWSER_RENAME 33213
#define ID_BROWSER_CALENDAR 33215
#define ID_BROWSER_WALLPAPER_CENTER 33298
#define ID_BROWSER_WALLPAPER_TILE 33299
#define ID_BROWSER_WALLPAPER_STRETCH 33300
#define ID_BROWSER_CART 33318
#define ID_BROWSER_DETAIL 33326
#define ID_BROWSER_ADD_TO_ALBUM 33330
#define ID_BROWSER_RESIZE 33332
#define ID_BROWSER_LINKED_PROGRAM 33334
#define ID_BROWSER_FRAME 33336
#define ID_BROWSER_FILTER 33339
#define ID_BROWSER_PRINT 38625

// The zoom view's steps "12.5 (%)" .. "3200 (%)" and its zoom buttons (the main frame's ids).
#define ID_BROWSER_ZOOM_FIRST 33081
#define ID_BROWSER_ZOOM_LAST 33094
#define ID_BROWSER_ZOOM_IN 33115
#define ID_BROWSER_ZOOM_OUT 33116

// The batch resize dialog; it shares the batch controls of album/ids.h.
#define IDD_BATCH_RESIZE 8764
#define IDC_RESIZE_KEEP_ASPECT 1274
#define IDC_RESIZE_BILINEAR 1281
#define IDC_RESIZE_BICUBIC 1282
#define IDC_RESIZE_MAX_RES 1283
#define IDC_RESIZE_MAX_WIDTH 1284
#define IDC_RESIZE_MAX_HEIGHT 1285
#define IDC_RESIZE_RATIO_MODE 1286
#define IDC_RESIZE_RATIO 1287
#define IDC_RESIZE_RATIO_SPIN 1450

// The slide show window, its buttons and its context menu.
#define IDD_SLIDE_SHOW 152
#define IDC_SLIDE_MANUAL 1004
#define IDC_SLIDE_AUTO 1005
#define IDC_SLIDE_PROGRESS 1243
#define IDC_SLIDE_STRIP_PLACE 1449
#define IDC_SLIDE_PICTURE 1450
#define IDC_SLIDE_PREV 6095
#define IDC_SLIDE_NEXT 6096
#define IDC_SLIDE_LAST 6097
#define IDC_SLIDE_FIRST 6101
#define IDC_SLIDE_TITLE 6102
#define IDC_SLIDE_POS 6103
#define IDC_SLIDE_STRIP 0xE900
// Its first, next, previous and last buttons show the print subsystem's 206-209 (print/ids.h).
#define IDI_SLIDE_MANUAL 257
#define IDI_SLIDE_AUTO 258
#define IDR_SLIDE_MENU 257
#define ID_SLIDE_FIRST 32854
#define ID_SLIDE_PREV 32855
#define ID_SLIDE_NEXT 32856
#define ID_SLIDE_LAST 32857
#define ID_SLIDE_CLOSE 32858
#define ID_SLIDE_AUTO 33141
#define ID_SLIDE_MUSIC 33142
#define ID_SLIDE_STOP 33143

// The slide show's settings: seconds between slides and the borrowed music player's place.
#define IDD_SLIDE_SHOW_SET 8734
#define IDC_SLIDESET_SECONDS 1296
#define IDC_SLIDESET_SPIN 1342
#define IDC_SLIDESET_PLAYER 1426
