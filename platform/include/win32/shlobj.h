// The shell namespace: item identifier lists, shell folders and their enumerators, special
// folders and file information.
#pragma once

#include "win32/types.h"
#include "win32/objbase.h"

#pragma pack(push, 1)
typedef struct _SHITEMID {
    USHORT cb;  // size of this identifier, cb included
    BYTE abID[1];
} SHITEMID, *LPSHITEMID;
typedef const SHITEMID* LPCSHITEMID;

// A list of identifiers ended by a zero cb.
typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCUITEMID_CHILD;
#pragma pack(pop)

#define STRRET_WSTR 0x0000
#define STRRET_OFFSET 0x0001
#define STRRET_CSTR 0x0002

typedef struct _STRRET {
    UINT uType;
    union {
        LPWSTR pOleStr;  // from the shell allocator; the receiver frees it
        UINT uOffset;    // into the identifier list
        char cStr[260];
    };
} STRRET, *LPSTRRET;

typedef DWORD SHGDNF;
#define SHGDN_NORMAL 0x0000
#define SHGDN_INFOLDER 0x0001
#define SHGDN_FOREDITING 0x1000
#define SHGDN_FORADDRESSBAR 0x4000
#define SHGDN_FORPARSING 0x8000

typedef DWORD SHCONTF;
#define SHCONTF_FOLDERS 0x0020
#define SHCONTF_NONFOLDERS 0x0040
#define SHCONTF_INCLUDEHIDDEN 0x0080

typedef ULONG SFGAOF;
#define SFGAO_CANCOPY 0x00000001L
#define SFGAO_CANMOVE 0x00000002L
#define SFGAO_CANRENAME 0x00000010L
#define SFGAO_CANDELETE 0x00000020L
#define SFGAO_LINK 0x00010000L
#define SFGAO_SHARE 0x00020000L
#define SFGAO_READONLY 0x00040000L
#define SFGAO_HIDDEN 0x00080000L
#define SFGAO_FILESYSANCESTOR 0x10000000L
#define SFGAO_FOLDER 0x20000000L
#define SFGAO_FILESYSTEM 0x40000000L
#define SFGAO_HASSUBFOLDER 0x80000000L
#define SFGAO_CONTENTSMASK 0x80000000L

#define GIL_OPENICON 0x0001
#define GIL_FORSHELL 0x0002

extern const IID IID_IShellFolder;
extern const IID IID_IEnumIDList;
extern const IID IID_IShellIcon;

typedef void* LPBC;  // bind contexts are not used

struct IEnumIDList : IUnknown {
    // S_FALSE when fewer than celt were left.
    STDMETHOD(Next)(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched) = 0;
    STDMETHOD(Skip)(ULONG celt) = 0;
    STDMETHOD(Reset)() = 0;
    STDMETHOD(Clone)(IEnumIDList** ppenum) = 0;

protected:
    ~IEnumIDList() = default;
};
typedef IEnumIDList* LPENUMIDLIST;

struct IShellFolder : IUnknown {
    STDMETHOD(ParseDisplayName)(HWND hwnd, LPBC pbc, LPOLESTR pszDisplayName, ULONG* pchEaten,
                                LPITEMIDLIST* ppidl, ULONG* pdwAttributes) = 0;
    STDMETHOD(EnumObjects)(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenumIDList) = 0;
    STDMETHOD(BindToObject)(LPCITEMIDLIST pidl, LPBC pbc, REFIID riid, void** ppv) = 0;
    STDMETHOD(BindToStorage)(LPCITEMIDLIST pidl, LPBC pbc, REFIID riid, void** ppv) = 0;
    // The order of two items in the low 16 bits (negative, 0, positive): folders first, then
    // names ignoring case.
    STDMETHOD(CompareIDs)(LPARAM lParam, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) = 0;
    STDMETHOD(CreateViewObject)(HWND hwndOwner, REFIID riid, void** ppv) = 0;
    STDMETHOD(GetAttributesOf)(UINT cidl, LPCITEMIDLIST* apidl, SFGAOF* rgfInOut) = 0;
    STDMETHOD(GetUIObjectOf)(HWND hwndOwner, UINT cidl, LPCITEMIDLIST* apidl, REFIID riid, UINT* rgfReserved,
                             void** ppv) = 0;
    STDMETHOD(GetDisplayNameOf)(LPCITEMIDLIST pidl, SHGDNF uFlags, STRRET* pName) = 0;
    STDMETHOD(SetNameOf)(HWND hwnd, LPCITEMIDLIST pidl, LPCOLESTR pszName, SHGDNF uFlags, LPITEMIDLIST* ppidlOut) = 0;

protected:
    ~IShellFolder() = default;
};
typedef IShellFolder* LPSHELLFOLDER;

struct IShellIcon : IUnknown {
    // The item's index in the system image list.
    STDMETHOD(GetIconOf)(LPCITEMIDLIST pidl, UINT flags, int* pIconIndex) = 0;

protected:
    ~IShellIcon() = default;
};

// Special folders.
#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_DRIVES 0x0011
#define CSIDL_NETWORK 0x0012

HRESULT SHGetMalloc(IMalloc** ppMalloc);
HRESULT SHGetDesktopFolder(IShellFolder** ppshf);
// The desktop is the empty list; "My Computer" (CSIDL_DRIVES) and "Network" (CSIDL_NETWORK) are
// virtual folders; CSIDL_DESKTOPDIRECTORY and CSIDL_PERSONAL are the home folder.
HRESULT SHGetSpecialFolderLocation(HWND hwndOwner, int nFolder, LPITEMIDLIST* ppidl);
// FALSE (and an empty path) for virtual items.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath);
inline BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) { return SHGetPathFromIDList(pidl, pszPath); }
void ILFree(LPITEMIDLIST pidl);

// File information.
typedef struct _SHFILEINFOA {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    char szDisplayName[260];
    char szTypeName[80];
} SHFILEINFOA, SHFILEINFO;

#define SHGFI_LARGEICON 0x000000000
#define SHGFI_SMALLICON 0x000000001
#define SHGFI_OPENICON 0x000000002
#define SHGFI_SHELLICONSIZE 0x000000004
#define SHGFI_PIDL 0x000000008
#define SHGFI_USEFILEATTRIBUTES 0x000000010
#define SHGFI_ICON 0x000000100
#define SHGFI_DISPLAYNAME 0x000000200
#define SHGFI_TYPENAME 0x000000400
#define SHGFI_ATTRIBUTES 0x000000800
#define SHGFI_SYSICONINDEX 0x000004000

// Of a path or (SHGFI_PIDL) an identifier list: the icon (the caller destroys it), the index in
// the system image list, names ("파일 폴더", "JPEG 이미지", else the extension and " 파일") and
// attributes. With SHGFI_SYSICONINDEX the answer is the system image list, never destroyed by
// callers; otherwise nonzero on success.
DWORD_PTR SHGetFileInfo(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFOA* psfi, UINT cbFileInfo, UINT uFlags);
inline DWORD_PTR SHGetFileInfoA(LPCSTR p, DWORD a, SHFILEINFOA* s, UINT cb, UINT f) { return SHGetFileInfo(p, a, s, cb, f); }

// The folder browser.
typedef int(CALLBACK* BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;  // null: the desktop
    LPSTR pszDisplayName;    // MAX_PATH characters, receives the chosen item's name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;  // receives the chosen item's index in the system image list
} BROWSEINFOA, *PBROWSEINFOA, *LPBROWSEINFOA, BROWSEINFO, *PBROWSEINFO, *LPBROWSEINFO;

#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_DONTGOBELOWDOMAIN 0x0002
#define BIF_STATUSTEXT 0x0004
#define BIF_RETURNFSANCESTORS 0x0008
#define BIF_BROWSEINCLUDEFILES 0x4000

// Told to the callback.
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2  // lParam: the selected item's absolute list
// Sent by the callback to the browser.
#define BFFM_SETSTATUSTEXTA (WM_USER + 100)
#define BFFM_ENABLEOK (WM_USER + 101)       // lParam nonzero enables OK
#define BFFM_SETSELECTIONA (WM_USER + 102)  // wParam TRUE: lParam is a path, else a list
#define BFFM_SETSTATUSTEXT BFFM_SETSTATUSTEXTA
#define BFFM_SETSELECTION BFFM_SETSELECTIONA

// The chosen item's absolute list (the caller frees it with the shell allocator), or null when
// cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFOA lpbi);
inline LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA lpbi) { return SHBrowseForFolder(lpbi); }
