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
