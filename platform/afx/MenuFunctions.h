// Menu and accelerator functions the frames call. They link weakly so the
// frames work (without menus) until the window manager provides them.
#pragma once

#include "win32.h"

// Item flags the frames use, until the menu header brings them.
#ifndef MF_BYCOMMAND
#define MF_STRING 0x00000000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_POPUP 0x00000010L
#endif

HMENU LoadMenu(HINSTANCE hInstance, LPCSTR lpMenuName) __attribute__((weak));
BOOL DestroyMenu(HMENU hMenu) __attribute__((weak));
HACCEL LoadAccelerators(HINSTANCE hInstance, LPCSTR lpTableName) __attribute__((weak));
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) __attribute__((weak));
int GetMenuItemCount(HMENU hMenu) __attribute__((weak));
UINT GetMenuItemID(HMENU hMenu, int nPos) __attribute__((weak));
HMENU GetSubMenu(HMENU hMenu, int nPos) __attribute__((weak));

namespace mivo::afx {

inline bool MenusAvailable() { return &::LoadMenu != nullptr && &::GetMenuItemCount != nullptr; }

}  // namespace mivo::afx

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
    __attribute__((weak));
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) __attribute__((weak));
int GetMenuString(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) __attribute__((weak));
