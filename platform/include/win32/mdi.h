// Multiple-document interface: the "MDICLIENT" window and the default
// procedures of MDI frames and children.
#pragma once

#include "win32/types.h"
#include "win32/user.h"

#define MDICLIENT_CLASS "MDICLIENT"

// WM_MDITILE
#define MDITILE_VERTICAL 0x0000
#define MDITILE_HORIZONTAL 0x0001
#define MDITILE_SKIPDISABLED 0x0002
// WM_MDICASCADE
#define MDIS_ALLCHILDSTYLES 0x0001

// The MDI client's creation data.
typedef struct tagCLIENTCREATESTRUCT {
    HANDLE hWindowMenu;   // the Window menu the client lists its children in
    UINT idFirstChild;    // command id of the first listed child
} CLIENTCREATESTRUCT, *LPCLIENTCREATESTRUCT;

// WM_MDICREATE's data; the child's CREATESTRUCT lpCreateParams points to it.
typedef struct tagMDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
} MDICREATESTRUCTA, MDICREATESTRUCT, *LPMDICREATESTRUCT;

LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Ctrl+F6 (next child) and Ctrl+F4 (close the active child).
BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg);
#define DefFrameProcA DefFrameProc
#define DefMDIChildProcA DefMDIChildProc
