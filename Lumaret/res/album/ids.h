// Resource ids of the album subsystem.
#pragma once

// Dialogs: the rename dialog and the album picker.
#define IDD_RENAME_FILE 8761
#define IDD_ALBUM_SELECT 8763

// Controls.
#define IDC_ALBUM_TREE 1339
#define IDC_RENAME_CURRENT 1435
#define IDC_RENAME_NEW 1437
#define IDC_RENAME_EXT 1438

// The album tree's context menu (shared with the album pane).
#define IDR_ALBUM_MENU 329
#define ID_ALBUM_PASTE 33196
#define ID_ALBUM_REMOVE 33197
#define ID_ALBUM_REFRESH 33198
#define ID_ALBUM_NEW 33200
#define ID_ALBUM_OPEN_BROWSER 33201
#define ID_ALBUM_RENAME 33213

// Button icons the program's dialogs share: cancel, confirm, rename.
#define IDI_ALBUM_CANCEL 185
#define IDI_ALBUM_OK 195
#define IDI_ALBUM_RENAME 216

// Tree images, 16 pixels wide; image 24 is an album.
#define IDB_ALBUM_TREE 131
#define ALBUM_TREE_IMAGE 24

// The program's hand cursor over buttons.
#define IDC_ALBUM_HAND 128

// The console panes of the folder bar and their sub panes.
#define IDD_CONSOLE_ALBUM 8729
#define IDD_CONSOLE_BROWSE 8732
#define IDD_CONSOLE_SUB_PREVIEW 8723
#define IDD_CONSOLE_SUB_EXIF 8724
#define IDD_CONSOLE_SUB_ALBUM 8725

// Pane controls: the trees, the keyword search, the splitter bar, the area of the sub panes
// and its tab buttons.
#define IDC_CONSOLE_DIRTREE 1234
#define IDC_CONSOLE_KEYWORD 1340
#define IDC_CONSOLE_SEARCH 1342
#define IDC_CONSOLE_SPLITTER 1191
#define IDC_CONSOLE_SUBAREA 1403
#define IDC_CONSOLE_TAB_PREVIEW 1405
#define IDC_CONSOLE_TAB_EXIF 1406
#define IDC_CONSOLE_TAB_MUSIC 1407
#define IDC_CONSOLE_TAB_ALBUMINFO 1408

// Sub pane controls: the preview's picture area, the EXIF grid, the album details.
#define IDC_PREVIEW_PICTURE 1237
#define IDC_EXIF_GRID 1240
#define IDC_DETAIL_TITLE 1081
#define IDC_DETAIL_TARGET 1344
#define IDC_DETAIL_PHOTOGRAPHER 1086
#define IDC_DETAIL_PROCESS 1346
#define IDC_DETAIL_MEMO 1090
#define IDC_DETAIL_FILE 1091
#define IDC_DETAIL_NEW 6073
#define IDC_DETAIL_SAVE 1029
#define IDC_DETAIL_TITLE_LABEL 1271
#define IDC_DETAIL_TARGET_LABEL 1272
#define IDC_DETAIL_PHOTOGRAPHER_LABEL 1349
#define IDC_DETAIL_PROCESS_LABEL 1350
#define IDC_DETAIL_MEMO_LABEL 1351
#define IDC_DETAIL_FILE_LABEL 1292

// Commands of the two panes' tree menus (321 folders, 329 albums) and the preview's menu.
#define IDR_DIRBROWSE_MENU 321
#define IDR_PREVIEW_MENU 328
#define ID_CONSOLE_PASTE 33196
#define ID_CONSOLE_DELETE 33197
#define ID_CONSOLE_REFRESH 33198
#define ID_CONSOLE_NEW 33200
#define ID_CONSOLE_OPEN 33201
#define ID_CONSOLE_UNCHECK_ALL 33202
#define ID_CONSOLE_RENAME 33213
#define ID_CONSOLE_SHOW_CHECKBOXES 33313
#define ID_PREVIEW_EDIT 33203
#define ID_PREVIEW_DETAIL 33326
#define ID_PREVIEW_OPEN_WITH 33334
#define ID_MAKE_CALENDAR 33215
#define ID_IMAGE_PRINT 38625

// Pane icons: the keyword search, the music tab, a new entry and saving the details.
#define IDI_CONSOLE_SEARCH 192
#define IDI_CONSOLE_MUSIC 251
#define IDI_DETAIL_NEW 178
#define IDI_DETAIL_SAVE 180
// The JPEG structure inspector (a page of a layer frame).
#define IDD_JPEG_FORMAT 8728
#define IDC_JPEG_PATH 1243
#define IDC_JPEG_SELECT 1244
#define IDC_JPEG_GRID 1245
#define IDC_JPEG_ANALYSE 1246

// The batch dialogs: filter and frame here; the browser's resize dialog shares the controls.
#define IDD_BATCH_FRAME 8765
#define IDD_BATCH_FILTER 8766
#define IDC_BATCH_SAME_FOLDER 1288
#define IDC_BATCH_OTHER_FOLDER 1289
#define IDC_BATCH_ADD_PREFIX 1290
#define IDC_BATCH_GRAY 1292
#define IDC_BATCH_NEGATIVE 1293
#define IDC_BATCH_BLUR3 1294
#define IDC_BATCH_BLUR5 1295
#define IDC_BATCH_SOFTEN 1296
#define IDC_BATCH_SHARPEN 1297
#define IDC_BATCH_PREFIX 1433
#define IDC_BATCH_LIST 1451
#define IDC_BATCH_ON_EXISTING 1452
#define IDC_BATCH_DELETE_SOURCE 1453
#define IDC_BATCH_FILE_PROGRESS 1454
#define IDC_BATCH_RUN_PROGRESS 1455
#define IDC_BATCH_FOLDER 1456
#define IDC_BATCH_BROWSE 1457
#define IDC_BATCH_LIST_CAPTION 1458
#define IDC_BATCH_STOP 1004
#define IDC_BATCH_FRAME_LIST 1316
#define IDC_BATCH_FRAME_SLIDER 1318
#define IDC_BATCH_FRAME_DIVISOR 1319
#define IDC_BATCH_FRAME_PREVIEW 6107

// The batch dialogs' stop icon; their on/off options use the editor's IDI_CHECK_ON/OFF.
#define IDI_BATCH_STOP 186
