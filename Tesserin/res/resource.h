// Resource ids of the Tesserin library. Library ids lie from 10000 to 19999, apart from the programs'.
#pragma once

#define IDS_TESSERIN_NAME 10001
#define IDS_SOCKETS_FAILED 10002
#define IDC_TESSERIN_HAND 10128
#define IDC_TESSERIN_NODROP 10268
#define IDC_TESSERIN_DRAGITEM 11320

// Splitter bar cursors.
#define IDC_SPLITTER_X 10141
#define IDC_SPLITTER_Y 10142

// The folder list's context menu and its commands.
#define IDR_DIRLIST_MENU 10300
#define ID_DIRLIST_NEWFOLDER 18771
#define ID_DIRLIST_DELETE 18772

// Grid header menu and its commands.
#define IDR_VXGRID 11000
#define ID_VXGRID_EXCEL 18773
#define ID_VXGRID_TEXT 18774
