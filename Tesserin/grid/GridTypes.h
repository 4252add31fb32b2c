// The grid's records: row and column records, the caller's transfer records,
// tree nodes, search, hit-test and notification records and their codes.
#pragma once

#include "mfc.h"

// _RVITEM mask bits: cell fields, then row fields.
#define RVIM_TEXT 0x0001
#define RVIM_TEXTCOLOR 0x0002
#define RVIM_IMAGE 0x0004
#define RVIM_CHECK 0x0008
#define RVIM_BKCOLOR 0x0010
#define RVIM_PREVIEW 0x0020
#define RVIM_STATE 0x0040
#define RVIM_LPARAM 0x0080
#define RVIM_INDENT 0x0100
#define RVIM_OVERLAY 0x0200
#define RVIM_NUMBER 0x0400

// Row state bits; the first four belong to the grid.
#define RVIS_FOCUSED 0x0001
#define RVIS_SELECTED 0x0002
#define RVIS_BOLD 0x0004
#define RVIS_READONLY 0x0008
#define RVIS_OWNERDRAW 0x0010
#define RVIS_TREECLOSED 0x0020
#define RVIS_TREEOPEN 0x0040
#define RVIS_BLEND25 0x0080
#define RVIS_BLEND50 0x0100
#define RVIS_GRIDOWNED 0x0063

// Grid style bits (the low word of the window style).
#define RVS_SINGLESELECT 0x0001
#define RVS_SHOWSELALWAYS 0x0002
#define RVS_SHOWCOLORALWAYS 0x0004
#define RVS_SHOWCOLORALTERNATE 0x0008
#define RVS_SHOWHGRID 0x0010
#define RVS_SHOWVGRID 0x0020
#define RVS_NOHEADER 0x0040
#define RVS_NOSORT 0x0080
#define RVS_ALLOWCOLUMNREMOVAL 0x0100
#define RVS_SHOWFIXEDROW 0x0200
#define RVS_SHOWHGRIDEX 0x0400
#define RVS_OWNERDATA 0x0800
#define RVS_FOCUSSUBITEMS 0x1000
#define RVS_EXPANDSUBITEMS 0x2000
#define RVS_TREEVIEW 0x4000
#define RVS_TREEMODEL 0x8000
#define RVS_TREEANY (RVS_TREEVIEW | RVS_TREEMODEL)

// Column definition bits above the header format word.
#define RVCF_EX_AUTOWIDTH 0x00010000
#define RVCF_EX_FIXEDWIDTH 0x00040000
#define RVCF_EX_TOOLTIP 0x00800000
#define RVCF_SUBITEM_IMAGE 0x01000000
#define RVCF_SUBITEM_CHECK 0x02000000
#define RVCF_SUBITEM_NOFOCUS 0x04000000

// Hit-test flags.
#define RVHT_NOWHERE 0x0001
#define RVHT_ONITEMIMAGE 0x0002
#define RVHT_ONITEMCHECK 0x0004
#define RVHT_ONITEMTEXT 0x0008
#define RVHT_ONITEMPREVIEW 0x0010
#define RVHT_ONITEMTREEBOX 0x0020
#define RVHT_ONFIXEDROW 0x0040
#define RVHT_ABOVE 0x0100
#define RVHT_BELOW 0x0200
#define RVHT_TORIGHT 0x0400
#define RVHT_TOLEFT 0x0800

// Search flags.
#define RVFI_TEXT 0x0001
#define RVFI_PARTIAL 0x0002
#define RVFI_IMAGE 0x0004
#define RVFI_CHECK 0x0008
#define RVFI_LPARAM 0x0010
#define RVFI_WRAP 0x0100
#define RVFI_UP 0x0200

// Notification codes; code RVN_FIRST - n is sent while bit n of the notify mask is set.
#define RVN_FIRST (-2048)
#define RVN_DRAWROW (RVN_FIRST - 0)
#define RVN_ITEMCLICK (RVN_FIRST - 1)
#define RVN_ITEMDBLCLICK (RVN_FIRST - 2)
#define RVN_ITEMSTATECHANGING (RVN_FIRST - 3)
#define RVN_ITEMSTATECHANGED (RVN_FIRST - 4)
#define RVN_COLUMNCLICK (RVN_FIRST - 5)
#define RVN_COLUMNWIDTHCHANGED (RVN_FIRST - 6)
#define RVN_ITEMDELETED (RVN_FIRST - 7)
#define RVN_LOADITEMDATA (RVN_FIRST - 8)
#define RVN_BEGINITEMEDIT (RVN_FIRST - 9)
#define RVN_ENDITEMEDIT (RVN_FIRST - 10)
#define RVN_KEYDOWN (RVN_FIRST - 11)
#define RVN_DIVIDERDBLCLICK (RVN_FIRST - 12)
#define RVN_RBUTTONDOWN (RVN_FIRST - 13)
#define RVN_EDITKILLFOCUS (RVN_FIRST - 14)
#define RVN_DRAWITEM (RVN_FIRST - 15)
#define RVN_ITEMEXPANDING (RVN_FIRST - 16)
#define RVN_ITEMEXPANDED (RVN_FIRST - 17)
#define RVN_HEADERRCLICK (RVN_FIRST - 18)
#define RVN_OPTIONTEXTCHANGED (RVN_FIRST - 19)
#define RVN_OPTIONCHECKCHANGED (RVN_FIRST - 20)
#define RVN_OPTIONCHOICECHANGED (RVN_FIRST - 21)
#define RVN_LAST (RVN_FIRST - 21)

// Callers hold tree nodes as opaque handles of this type.
struct _TREEITEM;

// Reserved tree handles, as the tree view's root, first, last and sort.
#define RVTI_ROOT ((_TREEITEM*)(ULONG_PTR)0xFFFF0000u)
#define RVTI_FIRST ((_TREEITEM*)(ULONG_PTR)0xFFFF0001u)
#define RVTI_LAST ((_TREEITEM*)(ULONG_PTR)0xFFFF0002u)
#define RVTI_SORT ((_TREEITEM*)(ULONG_PTR)0xFFFF0003u)

// A tree node; callers hold it as an opaque _TREEITEM pointer.
struct structTREEITEM {
    structTREEITEM* pParent = nullptr;
    structTREEITEM* pFirstChild = nullptr;
    structTREEITEM* pNext = nullptr;
    int iItem = -2;
    int iSubItem = -1;
    int bExpanded = 0;
    int iDepth = 0;
};

// One row: all cells packed in one string, then the row's own fields.
struct structITEM {
    CString strItem;
    int iBkColor = -1;
    int nPreview = 0;
    int iIndent = -1;
    UINT nState = 0;
    DWORD_PTR lParam = 0;
    structTREEITEM* lpTreeItem = nullptr;
};

struct structSUBITEM {
    UINT nMask = 0;
    int iWidth = -1;
    int iMinWidth = 0;
    int iMaxWidth = 0;
    int iImage = 0;
    CString strText;
};

struct _RVSUBITEM {
    UINT nMask = 0;
    int iWidth = -1;
    int iMinWidth = 0;
    int iMaxWidth = 0;
    int iImage = 0;
    LPCSTR lpszText = nullptr;
};

struct _RVITEM {
    UINT nMask = 0;
    int iItem = -2;
    int iSubItem = -1;
    LPSTR lpszText = nullptr;
    int iTextMax = 0;
    int iTextColor = -1;
    int iImage = -1;
    int iCheck = -1;
    int iBkColor = -1;
    int nPreview = 0;
    int iIndent = -1;
    UINT nState = 0;
    DWORD_PTR lParam = 0;
    int iOverlay = 0;
    int iNumberFormat = -1;
    alignas(8) double dblNumber = 0.0;
};
typedef _RVITEM* LPRVITEM;

struct _RVFINDINFO {
    UINT nFlags = 0;
    LPCSTR lpszText = nullptr;
    int iImage = -1;
    int iCheck = -1;
    DWORD_PTR lParam = 0;
};

struct _RVHITTESTINFO {
    POINT point = {0, 0};
    UINT nFlags = 0;
    _TREEITEM* hItem = nullptr;
    int iItem = -2;
    int iSubItem = -1;
    int iRow = -2;
    int iColumn = -1;
    RECT rect = {0, 0, 0, 0};
};

struct _NMREPORTVIEW {
    NMHDR hdr;
    UINT nKeys = 0;
    POINT point = {0, 0};
    UINT nFlags = 0;
    _TREEITEM* hItem = nullptr;
    int iItem = -2;
    int iSubItem = -1;
    UINT nState = 0;
    LPARAM lParam = 0;
};

struct _NMRVITEM {
    NMHDR hdr;
    alignas(8) _RVITEM item;
};

struct _NMRVHEADER {
    NMHDR hdr;
    int iSubItem = -1;
};

struct _NMRVDRAWROW {
    NMHDR hdr;
    UINT nReserved = 0;
    int iItem = -2;
    UINT nState = 0;
    HDC hDC = nullptr;
    RECT rect = {0, 0, 0, 0};
    LPARAM lParam = 0;
};

struct _NMRVDRAWITEM {
    NMHDR hdr;
    _RVITEM* lpItem = nullptr;
    HDC hDC = nullptr;
    RECT rect = {0, 0, 0, 0};
};

struct _NMRVITEMEDIT {
    NMHDR hdr;
    UINT nReserved = 0;
    int iItem = -2;
    int iSubItem = -1;
    UINT nFlags = 0;
    HWND hWnd = nullptr;
    RECT rect = {0, 0, 0, 0};
    UINT nKey = 0;
    LPSTR lpszText = nullptr;
    LPARAM lParam = 0;
    _RVITEM item;
};

typedef int(CALLBACK* PFNRVCOMPARE)(int iItem1, int iSubItem1, int iItem2, int iSubItem2, LPARAM lParam);
