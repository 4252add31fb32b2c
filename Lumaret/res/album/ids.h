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
