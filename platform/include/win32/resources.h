// Resources and the process-wide resource chain.
//
// tools/rc compiles each module's resource script into a table of resources
// in Windows' binary layouts; a registrar in the generated source joins the
// table to the chain when the module loads and takes it out when it unloads.
// A lookup in a given module searches that module only. A lookup with a NULL
// module searches the chain: the program's tables first, then the libraries'
// in the order they registered.
//
// Layouts (all little-endian, as Windows keeps them):
// - RT_STRING: block id/16 + 1 holds strings id&~15 .. id|15, each a WORD
//   length and that many UTF-16 units without a terminator. LoadString hands
//   them out as CP949.
// - RT_DIALOG: DLGTEMPLATE, then three sz_Or_Ord fields (menu, class, title;
//   0x0000 = none, 0xFFFF + WORD = ordinal, else a zero-terminated UTF-16
//   string), then with DS_SETFONT a WORD point size and the UTF-16 face name.
//   Each item starts on a DWORD boundary: DLGITEMTEMPLATE, class sz_Or_Ord
//   (0xFFFF + atom 0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box,
//   0x0084 scroll bar, 0x0085 combo box; or a class name), title sz_Or_Ord,
//   and a WORD creation-data size (which counts itself) with the data.
//   DIALOGEX: DLGTEMPLATEEX (dlgVer 1, signature 0xFFFF) with the same three
//   fields, the font as WORD point size, WORD weight, BYTE italic, BYTE
//   charset, face name; items DLGITEMTEMPLATEEX, class, title, WORD
//   creation-data size (not counting itself) and the data.
// - RT_MENU: MENUITEMTEMPLATEHEADER (0, 0), then items: WORD flags; a popup
//   (MF_POPUP) has its UTF-16 text and then its own items; other items have
//   WORD id and the text. MF_END marks the last item of each level. Separators
//   carry MF_SEPARATOR with id 0 and empty text. MENUEX: MENUEX_TEMPLATE_HEADER
//   (1, 4, help id), items MENUEX_TEMPLATE_ITEM (type, state, id, WORD
//   flags 0x80 last / 0x01 popup, text) padded to a DWORD; a popup then has a
//   DWORD help id and its items.
// - RT_ACCELERATOR: ACCELTABLEENTRY records; the last has 0x80 in fFlags.
// - RT_TOOLBAR: ToolBarResourceData then wItemCount WORD command ids (0 = separator).
// - RT_BITMAP: a packed DIB (the .bmp file without its BITMAPFILEHEADER).
// - RT_GROUP_ICON / RT_GROUP_CURSOR: NEWHEADER and RESDIR entries naming
//   RT_ICON / RT_CURSOR resources of the same module; an RT_CURSOR starts with
//   the WORD hot spot x and y, then the image.
// - RT_DLGINIT: records of WORD control id, WORD message, DWORD length and
//   the data (CP949 text), ended by a WORD 0.
#pragma once

#include "win32/types.h"
#include "win32/modules.h"

#include <string>
#include <vector>

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// Menu template flags (the menu functions use the same values).
#ifndef MF_GRAYED
#define MF_GRAYED 0x00000001L
#endif
#ifndef MF_DISABLED
#define MF_DISABLED 0x00000002L
#endif
#ifndef MF_BITMAP
#define MF_BITMAP 0x00000004L
#endif
#ifndef MF_CHECKED
#define MF_CHECKED 0x00000008L
#endif
#ifndef MF_POPUP
#define MF_POPUP 0x00000010L
#endif
#ifndef MF_MENUBARBREAK
#define MF_MENUBARBREAK 0x00000020L
#endif
#ifndef MF_MENUBREAK
#define MF_MENUBREAK 0x00000040L
#endif
#ifndef MF_END
#define MF_END 0x00000080L
#endif
#ifndef MF_OWNERDRAW
#define MF_OWNERDRAW 0x00000100L
#endif
#ifndef MF_SEPARATOR
#define MF_SEPARATOR 0x00000800L
#endif
#ifndef MF_HELP
#define MF_HELP 0x00004000L
#endif

// Accelerator flags.
#ifndef FVIRTKEY
#define FVIRTKEY TRUE
#endif
#ifndef FNOINVERT
#define FNOINVERT 0x02
#endif
#ifndef FSHIFT
#define FSHIFT 0x04
#endif
#ifndef FCONTROL
#define FCONTROL 0x08
#endif
#ifndef FALT
#define FALT 0x10
#endif

#ifndef MIVO_ACCEL_DEFINED
#define MIVO_ACCEL_DEFINED
typedef struct tagACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
} ACCEL, *LPACCEL;
#endif

#pragma pack(push, 2)

typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE, *LPDLGTEMPLATE, *LPDLGTEMPLATEA;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;

typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
} DLGITEMTEMPLATE, *LPDLGITEMTEMPLATE;

// The fixed part of an extended dialog template.
typedef struct {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATEEX;

typedef struct {
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
    DWORD id;
} DLGITEMTEMPLATEEX;

typedef struct {
    WORD versionNumber;
    WORD offset;
} MENUITEMTEMPLATEHEADER, *PMENUITEMTEMPLATEHEADER;

typedef struct {
    WORD mtOption;
    WORD mtID;
    WCHAR mtString[1];
} MENUITEMTEMPLATE, *PMENUITEMTEMPLATE;

typedef struct {
    WORD wVersion;
    WORD wOffset;
    DWORD dwHelpId;
} MENUEX_TEMPLATE_HEADER;

typedef struct {
    DWORD dwType;
    DWORD dwState;
    DWORD uId;
    WORD wFlags;
    WCHAR szText[1];
} MENUEX_TEMPLATE_ITEM;

typedef struct {
    WORD fFlags;
    WORD wAnsi;
    WORD wId;
    WORD padding;
} ACCELTABLEENTRY;

// Icon and cursor groups.
typedef struct {
    WORD Reserved;
    WORD ResType;  // 1 icon, 2 cursor
    WORD ResCount;
} NEWHEADER;

typedef struct {
    BYTE Width;
    BYTE Height;
    BYTE ColorCount;
    BYTE reserved;
} ICONRESDIR;

typedef struct {
    WORD Width;
    WORD Height;  // twice the cursor's height: image and mask
} CURSORDIR;

typedef struct {
    union {
        ICONRESDIR Icon;
        CURSORDIR Cursor;
    } ResInfo;
    WORD Planes;
    WORD BitCount;
    DWORD BytesInRes;
    WORD IconCursorId;
} RESDIR;

#pragma pack(pop)

// FindResource, LoadResource: a NULL module searches the chain.
HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// The language is accepted and ignored: each module has one language.
HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HRSRC FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Resources live as long as their module; there is nothing to free.
BOOL FreeResource(HGLOBAL hResData);

// The string's length in bytes (CP949) without the terminator, 0 when there
// is none (ERROR_RESOURCE_NAME_NOT_FOUND). A string longer than the buffer is
// cut on a character boundary and terminated.
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
// UTF-16; with cchBufferMax 0 the buffer receives a read-only pointer to the
// text in the resource (not terminated) and the result is its length.
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// The module holding the resource: the resource handle's module first, then
// the chain; AfxGetResourceHandle() when none holds it.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// The module holding string `nID` (a non-empty entry), or NULL.
HINSTANCE AfxFindStringResourceHandle(UINT nID);
