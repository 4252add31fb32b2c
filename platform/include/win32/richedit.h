// The rich edit control ("RichEdit20A"): character and paragraph formats,
// streaming, printing ranges, and its messages.
#pragma once

#include "win32/types.h"
#include "win32/messages.h"
#include "win32/rect.h"

#define RICHEDIT_CLASSA "RichEdit20A"
#define RICHEDIT_CLASS RICHEDIT_CLASSA

// ---------------------------------------------------------------- messages

#define EM_CANPASTE (WM_USER + 50)
#define EM_DISPLAYBAND (WM_USER + 51)
#define EM_EXGETSEL (WM_USER + 52)
#define EM_EXLIMITTEXT (WM_USER + 53)
#define EM_EXLINEFROMCHAR (WM_USER + 54)
#define EM_EXSETSEL (WM_USER + 55)
#define EM_FINDTEXT (WM_USER + 56)
#define EM_FORMATRANGE (WM_USER + 57)
#define EM_GETCHARFORMAT (WM_USER + 58)
#define EM_GETEVENTMASK (WM_USER + 59)
#define EM_GETPARAFORMAT (WM_USER + 61)
#define EM_GETSELTEXT (WM_USER + 62)
#define EM_HIDESELECTION (WM_USER + 63)
#define EM_REQUESTRESIZE (WM_USER + 65)
#define EM_SELECTIONTYPE (WM_USER + 66)
#define EM_SETBKGNDCOLOR (WM_USER + 67)
#define EM_SETCHARFORMAT (WM_USER + 68)
#define EM_SETEVENTMASK (WM_USER + 69)
#define EM_SETPARAFORMAT (WM_USER + 71)
#define EM_SETTARGETDEVICE (WM_USER + 72)
#define EM_STREAMIN (WM_USER + 73)
#define EM_STREAMOUT (WM_USER + 74)
#define EM_GETTEXTRANGE (WM_USER + 75)

// Event mask bits (EM_SETEVENTMASK) and the notifications they allow.
#define ENM_NONE 0x00000000
#define ENM_CHANGE 0x00000001
#define ENM_UPDATE 0x00000002
#define ENM_SCROLL 0x00000004
#define ENM_SELCHANGE 0x00080000

// ---------------------------------------------------------------- character format

#pragma pack(push, 4)

typedef struct _charformat {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;  // twips
    LONG yOffset;  // twips above the base line
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[32];
} CHARFORMATA;
typedef CHARFORMATA CHARFORMAT;

#define CFM_BOLD 0x00000001
#define CFM_ITALIC 0x00000002
#define CFM_UNDERLINE 0x00000004
#define CFM_STRIKEOUT 0x00000008
#define CFM_PROTECTED 0x00000010
#define CFM_LINK 0x00000020
#define CFM_SIZE 0x80000000
#define CFM_COLOR 0x40000000
#define CFM_FACE 0x20000000
#define CFM_OFFSET 0x10000000
#define CFM_CHARSET 0x08000000
#define CFM_EFFECTS (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK)
#define CFM_ALL (CFM_EFFECTS | CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_CHARSET)

#define CFE_BOLD 0x0001
#define CFE_ITALIC 0x0002
#define CFE_UNDERLINE 0x0004
#define CFE_STRIKEOUT 0x0008
#define CFE_PROTECTED 0x0010
#define CFE_LINK 0x0020
#define CFE_AUTOCOLOR 0x40000000

// Which text EM_SETCHARFORMAT changes (wParam) and which EM_GETCHARFORMAT reads.
#define SCF_DEFAULT 0x0000
#define SCF_SELECTION 0x0001
#define SCF_WORD 0x0002
#define SCF_ALL 0x0004

// ---------------------------------------------------------------- paragraph format

#define MAX_TAB_STOPS 32

typedef struct _paraformat {
    UINT cbSize;
    DWORD dwMask;
    WORD wNumbering;
    WORD wReserved;
    LONG dxStartIndent;  // twips
    LONG dxRightIndent;
    LONG dxOffset;  // lines after the first, from the first
    WORD wAlignment;
    SHORT cTabCount;
    LONG rgxTabs[MAX_TAB_STOPS];
} PARAFORMAT;

#define PFM_STARTINDENT 0x00000001
#define PFM_RIGHTINDENT 0x00000002
#define PFM_OFFSET 0x00000004
#define PFM_ALIGNMENT 0x00000008
#define PFM_TABSTOPS 0x00000010
#define PFM_NUMBERING 0x00000020
#define PFM_OFFSETINDENT 0x80000000

#define PFN_BULLET 1

#define PFA_LEFT 1
#define PFA_RIGHT 2
#define PFA_CENTER 3

// ---------------------------------------------------------------- ranges, streams, printing

typedef struct _charrange {
    LONG cpMin;
    LONG cpMax;  // -1: to the end
} CHARRANGE;

typedef struct _textrange {
    CHARRANGE chrg;
    LPSTR lpstrText;
} TEXTRANGEA;
typedef TEXTRANGEA TEXTRANGE;

typedef DWORD(CALLBACK* EDITSTREAMCALLBACK)(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb);

typedef struct _editstream {
    DWORD_PTR dwCookie;
    DWORD dwError;  // the callback's last non-zero answer
    EDITSTREAMCALLBACK pfnCallback;
} EDITSTREAM;

#define SF_TEXT 0x0001
#define SF_RTF 0x0002
#define SFF_SELECTION 0x8000

typedef struct _formatrange {
    HDC hdc;
    HDC hdcTarget;
    RECT rc;      // twips, the area to fill
    RECT rcPage;  // twips, the whole page
    CHARRANGE chrg;
} FORMATRANGE;

#pragma pack(pop)

static_assert(sizeof(CHARFORMATA) == 60, "the character format keeps its size");
static_assert(sizeof(PARAFORMAT) == 156, "the paragraph format keeps its size");
