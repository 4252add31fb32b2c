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

// Socket file transfer: the icon, the receiving and sending dialogs and their controls.
#define IDI_FT_TRANSFER 13001
#define IDD_FT_RECEIVE 13002
#define IDD_FT_SEND 13005
#define IDC_FT_EXIT 11000
#define IDC_FT_RECEIVE 11001
#define IDC_FT_RECEIVE_PROGRESS 11004
#define IDC_FT_SEND_PROGRESS 11006
#define IDC_FT_REMOTE_PATH 11007
#define IDC_FT_ADDRESS 11011
#define IDC_FT_NOTE 11012
#define IDC_FT_LOCAL_PATH 11013
#define IDC_FT_LOCAL_FILE 11014
#define IDC_FT_STATUS 11015
#define IDC_FT_PERCENT 11016

// Library dialogs: the frame owner, the message box with up to seven buttons and its icons.
#define IDD_FRAME_OWNER 11004
#define IDD_VXMSGBOX 13008
#define IDC_VXMSGBOX_TEXT 11003
#define IDC_VXMSGBOX_BUTTON1 11004
#define IDC_VXMSGBOX_BUTTON2 11005
#define IDC_VXMSGBOX_BUTTON3 11006
#define IDC_VXMSGBOX_BUTTON4 11007
#define IDC_VXMSGBOX_BUTTON5 11009
#define IDC_VXMSGBOX_BUTTON6 11010
#define IDC_VXMSGBOX_BUTTON7 11011
#define IDI_VX_OK 10216
#define IDI_VX_CANCEL 10185
#define IDI_VX_QUESTION 10183
#define IDI_VX_FOLDER 10135
