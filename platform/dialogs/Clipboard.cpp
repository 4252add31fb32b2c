// The clipboard: one per process, opened by one thread at a time. Text and
// pictures are shared with the desktop's clipboard when it is closed after a
// change; everything else stays here.
#include "dialogs/ClipboardInternal.h"
#include "win32/clipboard.h"
#include "win32/codepage.h"
#include "win32/globalmem.h"
#include "win32/sync.h"
#include "win32/user.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace mivo {

namespace {

struct Entry {
    UINT format = 0;
    HANDLE handle = nullptr;  // null: promised, rendered on request (WM_RENDERFORMAT)
};

struct ClipboardState {
    std::mutex lock;
    bool open = false;
    DWORD openThread = 0;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    bool changed = false;
    DWORD renderThread = 0;  // the owner's thread while it answers WM_RENDERFORMAT
    DWORD sequence = 1;
    std::vector<Entry> entries;
    std::map<std::string, UINT> names;  // upper-cased
    std::map<UINT, std::string> nameOf;
    UINT nextFormat = 0xC000;
};

ClipboardState& Clip()
{
    static auto* state = new ClipboardState;
    return *state;
}

bool IsGdiFormat(UINT format)
{
    return format == CF_BITMAP || format == CF_DSPBITMAP || format == CF_PALETTE ||
           (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

void FreeHandle(UINT format, HANDLE handle)
{
    if (!handle)
        return;
    if (IsGdiFormat(format))
        DeleteObject((HGDIOBJ)handle);
    else if (format == CF_ENHMETAFILE || format == CF_DSPENHMETAFILE || format == CF_OWNERDISPLAY ||
             (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST))
        return;  // the owner frees these itself when it hears WM_DESTROYCLIPBOARD
    else
        GlobalFree((HGLOBAL)handle);
}

Entry* FindLocked(ClipboardState& c, UINT format)
{
    for (Entry& e : c.entries)
        if (e.format == format)
            return &e;
    return nullptr;
}

void ClearLocked(ClipboardState& c)
{
    for (Entry& e : c.entries)
        FreeHandle(e.format, e.handle);
    c.entries.clear();
}

bool OpenedByMeLocked(const ClipboardState& c)
{
    return c.open && c.openThread == GetCurrentThreadId();
}

// Formats the clipboard can make from what it holds.
std::vector<UINT> SynthesizableLocked(ClipboardState& c)
{
    std::vector<UINT> out;
    bool text = FindLocked(c, CF_TEXT) || FindLocked(c, CF_UNICODETEXT) || FindLocked(c, CF_OEMTEXT);
    if (text)
        for (UINT f : {(UINT)CF_TEXT, (UINT)CF_UNICODETEXT, (UINT)CF_OEMTEXT})
            if (!FindLocked(c, f))
                out.push_back(f);
    bool picture = FindLocked(c, CF_DIB) || FindLocked(c, CF_BITMAP);
    if (picture)
        for (UINT f : {(UINT)CF_DIB, (UINT)CF_BITMAP})
            if (!FindLocked(c, f))
                out.push_back(f);
    return out;
}

// Takes what another program put on the desktop's clipboard.
void ImportFromSystemLocked(ClipboardState& c)
{
    if (!SystemClipboardChangedElsewhere())
        return;
    SystemClipboardData data = ReadSystemClipboard();
    ClearLocked(c);
    c.owner = nullptr;
    ++c.sequence;
    if (data.hasText) {
        std::string ansi;
        Utf8ToAnsi(data.utf8, ansi);
        if (HGLOBAL block = GlobalFromBytes(ansi.c_str(), ansi.size() + 1))
            c.entries.push_back(Entry{CF_TEXT, block});
    }
    if (data.hasImage) {
        std::vector<BYTE> dib = PackedDibFromPixels(data.width, data.height, data.pixels);
        if (!dib.empty())
            if (HGLOBAL block = GlobalFromBytes(dib.data(), dib.size()))
                c.entries.push_back(Entry{CF_DIB, block});
    }
}

void PublishToSystemLocked(ClipboardState& c)
{
    if (!SystemClipboardReachable())
        return;
    SystemClipboardData data;
    if (Entry* e = FindLocked(c, CF_TEXT); e && e->handle) {
        AnsiToUtf8(TextOfGlobal(e->handle), data.utf8);
        data.hasText = true;
    } else if (Entry* u = FindLocked(c, CF_UNICODETEXT); u && u->handle) {
        std::vector<BYTE> bytes = BytesOfGlobal(u->handle);
        std::u16string wide;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            char16_t ch = (char16_t)(bytes[i] | (bytes[i + 1] << 8));
            if (!ch)
                break;
            wide += ch;
        }
        AnsiToUtf8(Utf16ToAnsi(wide), data.utf8);
        data.hasText = true;
    }
    std::vector<BYTE> dib;
    if (Entry* d = FindLocked(c, CF_DIB); d && d->handle) {
        dib = BytesOfGlobal(d->handle);
    } else if (Entry* b = FindLocked(c, CF_BITMAP); b && b->handle) {
        if (HGLOBAL made = DibFromBitmap((HBITMAP)b->handle)) {
            dib = BytesOfGlobal(made);
            GlobalFree(made);
        }
    }
    if (!dib.empty())
        data.hasImage = PixelsFromPackedDib(dib, data.width, data.height, data.pixels);
    WriteSystemClipboard(data);
}

HANDLE SynthesizeLocked(ClipboardState& c, UINT format)
{
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT: {
        Entry* other = FindLocked(c, format == CF_TEXT ? CF_OEMTEXT : CF_TEXT);
        if (other && other->handle) {
            std::string text = TextOfGlobal(other->handle);
            return GlobalFromBytes(text.c_str(), text.size() + 1);
        }
        Entry* wide = FindLocked(c, CF_UNICODETEXT);
        if (!wide || !wide->handle)
            return nullptr;
        std::vector<BYTE> bytes = BytesOfGlobal(wide->handle);
        std::u16string w;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            char16_t ch = (char16_t)(bytes[i] | (bytes[i + 1] << 8));
            if (!ch)
                break;
            w += ch;
        }
        std::string ansi = Utf16ToAnsi(w);
        return GlobalFromBytes(ansi.c_str(), ansi.size() + 1);
    }
    case CF_UNICODETEXT: {
        Entry* text = FindLocked(c, CF_TEXT);
        if (!text)
            text = FindLocked(c, CF_OEMTEXT);
        if (!text || !text->handle)
            return nullptr;
        std::u16string wide = AnsiToUtf16(TextOfGlobal(text->handle));
        wide += u'\0';
        return GlobalFromBytes(wide.data(), wide.size() * sizeof(char16_t));
    }
    case CF_DIB: {
        Entry* bitmap = FindLocked(c, CF_BITMAP);
        return bitmap && bitmap->handle ? DibFromBitmap((HBITMAP)bitmap->handle) : nullptr;
    }
    case CF_BITMAP: {
        Entry* dib = FindLocked(c, CF_DIB);
        return dib && dib->handle ? (HANDLE)BitmapFromDib(dib->handle) : nullptr;
    }
    }
    return nullptr;
}

std::string UpperName(LPCSTR name)
{
    std::string s = name;
    AnsiUpper(&s[0], s.size());
    return s;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

BOOL OpenClipboard(HWND hWndNewOwner)
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.open && c.openThread != GetCurrentThreadId())
        return FALSE;
    if (!c.open)
        ImportFromSystemLocked(c);
    c.open = true;
    c.openThread = GetCurrentThreadId();
    c.openWindow = hWndNewOwner;
    return TRUE;
}

BOOL CloseClipboard()
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!OpenedByMeLocked(c))
        return FALSE;
    if (c.changed)
        PublishToSystemLocked(c);
    c.changed = false;
    c.open = false;
    c.openThread = 0;
    c.openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard()
{
    ClipboardState& c = Clip();
    HWND previousOwner;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        if (!OpenedByMeLocked(c))
            return FALSE;
        previousOwner = c.owner;
    }
    if (previousOwner && IsWindow(previousOwner))
        SendMessage(previousOwner, WM_DESTROYCLIPBOARD, 0, 0);
    std::lock_guard<std::mutex> guard(c.lock);
    ClearLocked(c);
    c.owner = c.openWindow;
    c.changed = true;
    ++c.sequence;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    // The owner answering WM_RENDERFORMAT sets data without having opened the clipboard.
    bool rendering = c.renderThread && c.renderThread == GetCurrentThreadId();
    if (!OpenedByMeLocked(c) && !rendering) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    if (uFormat == 0)
        return nullptr;
    if (Entry* e = FindLocked(c, uFormat)) {
        if (e->handle != hMem)
            FreeHandle(e->format, e->handle);
        e->handle = hMem;
    } else {
        c.entries.push_back(Entry{uFormat, hMem});
    }
    c.changed = true;
    ++c.sequence;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat)
{
    ClipboardState& c = Clip();
    HWND owner;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        if (!OpenedByMeLocked(c)) {
            SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
            return nullptr;
        }
        Entry* e = FindLocked(c, uFormat);
        if (e && e->handle)
            return e->handle;
        if (!e) {
            auto made = SynthesizableLocked(c);
            if (std::find(made.begin(), made.end(), uFormat) == made.end())
                return nullptr;
            HANDLE h = SynthesizeLocked(c, uFormat);
            if (h)
                c.entries.push_back(Entry{uFormat, h});
            return h;
        }
        owner = c.owner;
        if (!owner || !IsWindow(owner))
            return nullptr;
        c.renderThread = GetWindowThreadProcessId(owner, nullptr);
    }
    // A promised format: its owner renders it now.
    SendMessage(owner, WM_RENDERFORMAT, uFormat, 0);
    std::lock_guard<std::mutex> guard(c.lock);
    c.renderThread = 0;
    Entry* e = FindLocked(c, uFormat);
    return e ? e->handle : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!c.open)
        ImportFromSystemLocked(c);
    if (FindLocked(c, format))
        return TRUE;
    auto made = SynthesizableLocked(c);
    return std::find(made.begin(), made.end(), format) != made.end();
}

UINT EnumClipboardFormats(UINT format)
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!OpenedByMeLocked(c)) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return 0;
    }
    std::vector<UINT> all;
    for (const Entry& e : c.entries)
        all.push_back(e.format);
    for (UINT f : SynthesizableLocked(c))
        all.push_back(f);
    SetLastError(ERROR_SUCCESS);
    if (format == 0)
        return all.empty() ? 0 : all.front();
    auto it = std::find(all.begin(), all.end(), format);
    if (it == all.end() || ++it == all.end())
        return 0;
    return *it;
}

int CountClipboardFormats()
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!c.open)
        ImportFromSystemLocked(c);
    return (int)(c.entries.size() + SynthesizableLocked(c).size());
}

UINT RegisterClipboardFormat(LPCSTR lpszFormat)
{
    if (!lpszFormat || !*lpszFormat)
        return 0;
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    std::string key = UpperName(lpszFormat);
    auto it = c.names.find(key);
    if (it != c.names.end())
        return it->second;
    if (c.nextFormat == 0xFFFF)
        return 0;
    UINT id = c.nextFormat++;
    c.names[key] = id;
    c.nameOf[id] = lpszFormat;
    return id;
}

int GetClipboardFormatName(UINT format, LPSTR lpszFormatName, int cchMaxCount)
{
    if (!lpszFormatName || cchMaxCount <= 0)
        return 0;
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    auto it = c.nameOf.find(format);
    if (it == c.nameOf.end()) {
        lpszFormatName[0] = 0;
        return 0;
    }
    size_t n = CutToCharBoundary(it->second.data(), it->second.size(), (size_t)cchMaxCount - 1);
    it->second.copy(lpszFormatName, n);
    lpszFormatName[n] = 0;
    return (int)n;
}

HWND GetClipboardOwner()
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    return IsWindow(c.owner) ? c.owner : nullptr;
}

HWND GetOpenClipboardWindow()
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    return c.open ? c.openWindow : nullptr;
}

DWORD GetClipboardSequenceNumber()
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    return c.sequence;
}

int GetPriorityClipboardFormat(UINT* paFormatPriorityList, int cFormats)
{
    ClipboardState& c = Clip();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.entries.empty())
        return 0;
    auto made = SynthesizableLocked(c);
    for (int i = 0; paFormatPriorityList && i < cFormats; ++i) {
        UINT f = paFormatPriorityList[i];
        if (FindLocked(c, f) || std::find(made.begin(), made.end(), f) != made.end())
            return (int)f;
    }
    return -1;
}
