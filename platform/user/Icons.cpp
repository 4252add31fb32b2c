// Icon and cursor images: made from bitmaps, loaded from resources and files,
// drawn with their masks; the system's own icons and cursors are drawn here.
#include "user/UserState.h"
#include "user/CursorObject.h"
#include "win32/cursors.h"
#include "win32/fileapi.h"
#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/resources.h"
#include "win32/uidraw.h"
#include "win32/usersys.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <new>
#include <vector>

namespace mivo {

namespace {

int RowBytes(int width, int bits)
{
    return (int)((((int64_t)width * bits + 31) / 32) * 4);
}

// A 32-bit top-down DIB section; its pixels through `bits`.
HBITMAP NewColorBitmap(int w, int h, uint32_t** bits)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits)
        *bits = (uint32_t*)p;
    return bmp;
}

// A monochrome device bitmap from top-down rows where set bits are 1 (white).
HBITMAP NewMaskBitmap(int w, int h, const std::vector<bool>& white)
{
    int row = ((w + 15) / 16) * 2;  // device bitmaps keep WORD-aligned rows
    std::vector<BYTE> bits((size_t)row * (size_t)h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (white[(size_t)y * (size_t)w + (size_t)x])
                bits[(size_t)y * (size_t)row + (size_t)(x / 8)] |= (BYTE)(0x80 >> (x % 8));
    return CreateBitmap(w, h, 1, 1, bits.data());
}

bool BitmapSize(HBITMAP bmp, int* w, int* h)
{
    BITMAP bm = {};
    if (!bmp || !GetObject(bmp, sizeof(bm), &bm))
        return false;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return *w > 0 && *h > 0;
}

// Reads any bitmap as 32-bit top-down pixels (0x00RRGGBB, alpha kept when present).
bool ReadPixels(HBITMAP bmp, int w, int h, std::vector<uint32_t>& out)
{
    out.assign((size_t)w * (size_t)h, 0);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bmp, 0, (UINT)h, out.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == h;
}

HBITMAP CopyColor(HBITMAP src, int w, int h)
{
    std::vector<uint32_t> px;
    if (!ReadPixels(src, w, h, px))
        return nullptr;
    uint32_t* bits = nullptr;
    HBITMAP copy = NewColorBitmap(w, h, &bits);
    if (copy && bits)
        std::memcpy(bits, px.data(), px.size() * 4);
    return copy;
}

HBITMAP CopyMask(HBITMAP src, int w, int h)
{
    std::vector<uint32_t> px;
    if (!ReadPixels(src, w, h, px))
        return nullptr;
    std::vector<bool> white(px.size());
    for (size_t i = 0; i < px.size(); ++i)
        white[i] = (px[i] & 0xFFFFFF) != 0;
    return NewMaskBitmap(w, h, white);
}

bool HasAlpha(HBITMAP color, int w, int h)
{
    std::vector<uint32_t> px;
    if (!ReadPixels(color, w, h, px))
        return false;
    for (uint32_t p : px)
        if (p & 0xFF000000)
            return true;
    return false;
}

}  // namespace

void ReleaseCursorBitmaps(CursorObject& obj)
{
    if (obj.color)
        DeleteObject(obj.color);
    if (obj.mask)
        DeleteObject(obj.mask);
    obj.color = obj.mask = nullptr;
}

std::shared_ptr<CursorObject> CopyCursorObject(const CursorObject& src)
{
    auto copy = std::make_shared<CursorObject>(src);
    copy->shared = false;
    copy->stockId = 0;
    copy->color = src.color ? CopyColor(src.color, src.width, src.height) : nullptr;
    copy->mask = src.mask ? CopyMask(src.mask, src.width, src.height) : nullptr;
    return copy;
}

namespace {

// --- the system's own pictures, drawn once on a transparent key colour

const uint32_t kKey = 0x00FF00FF;

struct Canvas {
    int w, h;
    HBITMAP bmp = nullptr;
    uint32_t* bits = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;

    Canvas(int width, int height) : w(width), h(height)
    {
        bmp = NewColorBitmap(w, h, &bits);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bmp);
        for (int i = 0; i < w * h; ++i)
            bits[i] = kKey;
    }
    ~Canvas()
    {
        if (dc) {
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        if (bmp)
            DeleteObject(bmp);
    }
    void Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF edge)
    {
        HBRUSH br = CreateSolidBrush(fill);
        HPEN pen = CreatePen(PS_SOLID, 1, edge);
        HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
        ::Ellipse(dc, l, t, r, b);
        SelectObject(dc, ob);
        SelectObject(dc, op);
        DeleteObject(br);
        DeleteObject(pen);
    }
    void Poly(const std::vector<POINT>& pts, COLORREF fill, COLORREF edge)
    {
        HBRUSH br = CreateSolidBrush(fill);
        HPEN pen = CreatePen(PS_SOLID, 1, edge);
        HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
        Polygon(dc, pts.data(), (int)pts.size());
        SelectObject(dc, ob);
        SelectObject(dc, op);
        DeleteObject(br);
        DeleteObject(pen);
    }
    void Box(int l, int t, int r, int b, COLORREF c)
    {
        RECT rc{l, t, r, b};
        HBRUSH br = CreateSolidBrush(c);
        FillRect(dc, &rc, br);
        DeleteObject(br);
    }
    void Text(const char* s, COLORREF c, int height)
    {
        LOGFONTA lf = {};
        lf.lfHeight = -height;
        lf.lfWeight = FW_BOLD;
        std::strcpy(lf.lfFaceName, "Arial");
        HFONT f = CreateFontIndirect(&lf);
        HGDIOBJ of = SelectObject(dc, f);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, c);
        RECT rc{0, 0, w, h};
        DrawText(dc, s, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, of);
        DeleteObject(f);
    }
    // Key pixels become transparent: mask 1 and colour black.
    void Into(CursorObject& obj)
    {
        GdiFlush();
        std::vector<bool> white((size_t)w * (size_t)h);
        uint32_t* colorBits = nullptr;
        HBITMAP color = NewColorBitmap(w, h, &colorBits);
        for (int i = 0; i < w * h; ++i) {
            bool transparent = (bits[i] & 0xFFFFFF) == kKey;
            white[(size_t)i] = transparent;
            colorBits[i] = transparent ? 0 : (bits[i] & 0xFFFFFF);
        }
        obj.color = color;
        obj.mask = NewMaskBitmap(w, h, white);
        obj.width = w;
        obj.height = h;
    }
};

void DrawStockIcon(Canvas& c, int id)
{
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    switch (id) {
    case 32513:  // IDI_HAND: a red disc with a white cross
        c.Ellipse(1, 1, 31, 31, RGB(220, 20, 20), RGB(128, 0, 0));
        for (int d = -1; d <= 1; ++d) {
            for (int i = 9; i <= 22; ++i) {
                SetPixel(c.dc, i + d, i, white);
                SetPixel(c.dc, i + d, 31 - i, white);
            }
        }
        break;
    case 32514:  // IDI_QUESTION
        c.Ellipse(1, 1, 31, 31, white, RGB(0, 0, 160));
        c.Text("?", RGB(0, 0, 200), 20);
        break;
    case 32515:  // IDI_EXCLAMATION: a yellow triangle with a black mark
        c.Poly({{16, 1}, {31, 29}, {1, 29}}, RGB(255, 220, 0), black);
        c.Box(15, 9, 18, 21, black);
        c.Box(15, 23, 18, 26, black);
        break;
    case 32516:  // IDI_ASTERISK: information
        c.Ellipse(1, 1, 31, 31, white, RGB(0, 0, 160));
        c.Text("i", RGB(0, 0, 200), 20);
        break;
    case 32517:  // IDI_WINLOGO
        c.Box(4, 4, 15, 15, RGB(220, 40, 20));
        c.Box(17, 4, 28, 15, RGB(40, 170, 40));
        c.Box(4, 17, 15, 28, RGB(30, 90, 220));
        c.Box(17, 17, 28, 28, RGB(250, 200, 0));
        break;
    default:  // IDI_APPLICATION: a small window
        c.Box(2, 4, 30, 28, black);
        c.Box(3, 5, 29, 27, white);
        c.Box(3, 5, 29, 9, RGB(10, 36, 106));
        break;
    }
}

void DrawStockCursor(Canvas& c, int id)
{
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    switch (id) {
    case 32513:  // I-beam
        c.Box(11, 2, 16, 3, black);
        c.Box(13, 3, 14, 18, black);
        c.Box(11, 18, 16, 19, black);
        break;
    case 32515:  // cross
        c.Box(15, 4, 16, 27, black);
        c.Box(4, 15, 27, 16, black);
        break;
    case 32514:  // hourglass
        c.Poly({{6, 2}, {22, 2}, {14, 14}}, white, black);
        c.Poly({{14, 14}, {22, 26}, {6, 26}}, white, black);
        break;
    default:  // arrow
        c.Poly({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}}, white, black);
        break;
    }
}

void EnsureStockImage(CursorObject& obj)
{
    if (!obj.stockId || obj.color)
        return;
    int size = obj.icon ? GetSystemMetrics(SM_CXICON) : GetSystemMetrics(SM_CXCURSOR);
    Canvas c(size, size);
    if (obj.icon)
        DrawStockIcon(c, obj.stockId);
    else
        DrawStockCursor(c, obj.stockId);
    c.Into(obj);
    if (!obj.icon) {
        switch (obj.stockId) {
        case 32513: obj.hotspot = POINT{13, 10}; break;
        case 32515: obj.hotspot = POINT{15, 15}; break;
        case 32514: obj.hotspot = POINT{14, 14}; break;
        default: obj.hotspot = POINT{0, 0}; break;
        }
    }
}

}  // namespace

void EnsureStockImageOf(CursorObject& obj)
{
    EnsureStockImage(obj);
}

namespace {

// --- images in Windows' icon resource layout

// An icon image: BITMAPINFOHEADER (height doubled), palette, colour rows, mask rows.
std::shared_ptr<CursorObject> IconFromDib(const BYTE* data, size_t size, bool icon, POINT hotspot)
{
    if (size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER hdr;
    std::memcpy(&hdr, data, sizeof(hdr));
    if (hdr.biSize < sizeof(BITMAPINFOHEADER) || hdr.biSize > size)
        return nullptr;
    int w = hdr.biWidth;
    int h = hdr.biHeight / 2;
    int bits = hdr.biBitCount;
    if (w <= 0 || h <= 0 || w > 1024 || h > 1024 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return nullptr;
    size_t colors = bits <= 8 ? (hdr.biClrUsed ? hdr.biClrUsed : (1u << bits)) : 0;
    if (colors > 256)
        return nullptr;
    size_t headerAndPalette = hdr.biSize + colors * 4;
    size_t colorBytes = (size_t)RowBytes(w, bits) * (size_t)h;
    size_t maskBytes = (size_t)RowBytes(w, 1) * (size_t)h;
    if (headerAndPalette + colorBytes > size)
        return nullptr;
    // The colour part, as a DIB of the real height.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * 4, 0);
    auto* bi = (BITMAPINFO*)info.data();
    bi->bmiHeader = hdr;
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biHeight = h;
    bi->bmiHeader.biCompression = BI_RGB;
    bi->bmiHeader.biSizeImage = 0;
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), data + hdr.biSize, colors * 4);
    uint32_t* px = nullptr;
    HBITMAP color = NewColorBitmap(w, h, &px);
    if (!color)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, color, 0, (UINT)h, data + headerAndPalette, bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    GdiFlush();
    std::vector<bool> white((size_t)w * (size_t)h, false);
    bool alpha = false;
    if (bits == 32)
        for (int i = 0; i < w * h; ++i)
            alpha = alpha || (px[i] & 0xFF000000);
    if (headerAndPalette + colorBytes + maskBytes <= size) {
        const BYTE* mask = data + headerAndPalette + colorBytes;
        int row = RowBytes(w, 1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // The mask is bottom-up like the image.
                const BYTE* r = mask + (size_t)(h - 1 - y) * (size_t)row;
                white[(size_t)y * (size_t)w + (size_t)x] = (r[x / 8] & (0x80 >> (x % 8))) != 0;
            }
    }
    if (alpha) {
        // Alpha images draw by their alpha; premultiplied for AlphaBlend.
        for (int i = 0; i < w * h; ++i) {
            uint32_t p = px[i];
            uint32_t a = p >> 24;
            uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
            px[i] = (a << 24) | (r << 16) | (g << 8) | b;
            white[(size_t)i] = a == 0;
        }
    }
    auto obj = std::make_shared<CursorObject>();
    obj->icon = icon;
    obj->width = w;
    obj->height = h;
    obj->hotspot = hotspot;
    obj->color = color;
    obj->mask = NewMaskBitmap(w, h, white);
    obj->alpha = alpha;
    return obj;
}

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupCursorEntry {
    WORD width;
    WORD height;  // doubled
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct FileEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planesOrHotX;
    WORD bitsOrHotY;
    DWORD bytes;
    DWORD offset;
};
#pragma pack(pop)

// Picks the entry closest to the wanted size, the deepest colour among equals.
template <class Get>
int BestEntry(int count, int cx, int cy, Get get)
{
    int best = -1;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        int w, h, bits;
        get(i, w, h, bits);
        long score = (long)std::abs(w - cx) * 1000 + (long)std::abs(h - cy) * 1000 - bits;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

HANDLE IconFromResources(HINSTANCE inst, LPCSTR name, bool icon, int cx, int cy)
{
    HRSRC group = FindResource(inst, name, icon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
    if (!group)
        return nullptr;
    HMODULE module = inst;
    const BYTE* data = (const BYTE*)LockResource(LoadResource(module, group));
    DWORD size = SizeofResource(module, group);
    if (!data || size < sizeof(GroupHeader))
        return nullptr;
    GroupHeader gh;
    std::memcpy(&gh, data, sizeof(gh));
    size_t entrySize = icon ? sizeof(GroupIconEntry) : sizeof(GroupCursorEntry);
    int count = std::min<int>(gh.count, (int)((size - sizeof(GroupHeader)) / entrySize));
    if (count <= 0)
        return nullptr;
    auto entryAt = [&](int i, int& w, int& h, int& bits, WORD& id) {
        const BYTE* e = data + sizeof(GroupHeader) + (size_t)i * entrySize;
        if (icon) {
            GroupIconEntry g;
            std::memcpy(&g, e, sizeof(g));
            w = g.width ? g.width : 256;
            h = g.height ? g.height : 256;
            bits = g.bitCount;
            id = g.id;
        } else {
            GroupCursorEntry g;
            std::memcpy(&g, e, sizeof(g));
            w = g.width;
            h = g.height / 2;
            bits = g.bitCount;
            id = g.id;
        }
    };
    int best = BestEntry(count, cx, cy, [&](int i, int& w, int& h, int& bits) {
        WORD id;
        entryAt(i, w, h, bits, id);
    });
    int w, h, bits;
    WORD id;
    entryAt(best, w, h, bits, id);
    HRSRC image = FindResource(inst, MAKEINTRESOURCE(id), icon ? RT_ICON : RT_CURSOR);
    if (!image)
        return nullptr;
    BYTE* bitsData = (BYTE*)LockResource(LoadResource(module, image));
    DWORD bitsSize = SizeofResource(module, image);
    return CreateIconFromResourceEx(bitsData, bitsSize, icon, 0x00030000, cx, cy, 0);
}

bool ReadWholeFile(LPCSTR path, std::vector<BYTE>& out)
{
    HANDLE f = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    DWORD size = GetFileSize(f, &high);
    bool ok = high == 0 && size != INVALID_FILE_SIZE && size < (64u << 20);
    if (ok) {
        out.resize(size);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(f, out.data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(f);
    return ok;
}

HANDLE IconFromFile(LPCSTR path, bool icon, int cx, int cy)
{
    std::vector<BYTE> file;
    if (!ReadWholeFile(path, file) || file.size() < sizeof(GroupHeader))
        return nullptr;
    GroupHeader gh;
    std::memcpy(&gh, file.data(), sizeof(gh));
    if (gh.reserved != 0 || (gh.type != 1 && gh.type != 2))
        return nullptr;
    int count = std::min<int>(gh.count, (int)((file.size() - sizeof(GroupHeader)) / sizeof(FileEntry)));
    if (count <= 0)
        return nullptr;
    auto entry = [&](int i) {
        FileEntry e;
        std::memcpy(&e, file.data() + sizeof(GroupHeader) + (size_t)i * sizeof(FileEntry), sizeof(e));
        return e;
    };
    int best = BestEntry(count, cx, cy, [&](int i, int& w, int& h, int& bits) {
        FileEntry e = entry(i);
        w = e.width ? e.width : 256;
        h = e.height ? e.height : 256;
        bits = gh.type == 1 ? e.bitsOrHotY : 0;
    });
    FileEntry e = entry(best);
    if ((uint64_t)e.offset + e.bytes > file.size())
        return nullptr;
    POINT hot = gh.type == 2 ? POINT{e.planesOrHotX, e.bitsOrHotY} : POINT{0, 0};
    auto obj = IconFromDib(file.data() + e.offset, e.bytes, icon && gh.type == 1, hot);
    return obj ? (HANDLE)AddCursorObject(obj) : nullptr;
}

// Replaces the classic grays with the 3-D colours, and the first pixel's colour with the window colour.
void MapColors(uint32_t* px, size_t count, UINT flags)
{
    uint32_t first = count ? (px[0] & 0xFFFFFF) : 0;
    auto swap = [](COLORREF c) { return (uint32_t)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
    for (size_t i = 0; i < count; ++i) {
        uint32_t p = px[i] & 0xFFFFFF;
        if ((flags & LR_LOADTRANSPARENT) && p == first) {
            px[i] = swap(GetSysColor(COLOR_WINDOW));
            continue;
        }
        if (flags & LR_LOADMAP3DCOLORS) {
            if (p == 0x808080)
                px[i] = swap(GetSysColor(COLOR_3DSHADOW));
            else if (p == 0xC0C0C0)
                px[i] = swap(GetSysColor(COLOR_3DFACE));
            else if (p == 0xDFDFDF)
                px[i] = swap(GetSysColor(COLOR_3DLIGHT));
        }
    }
}

HBITMAP BitmapFromPackedDib(const BYTE* data, size_t size, UINT flags)
{
    if (size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER hdr;
    std::memcpy(&hdr, data, sizeof(hdr));
    if (hdr.biSize < sizeof(BITMAPINFOHEADER) || hdr.biSize > size || hdr.biWidth <= 0 || hdr.biHeight == 0 ||
        hdr.biWidth > 32768 || std::abs(hdr.biHeight) > 32768)
        return nullptr;
    int bits = hdr.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return nullptr;
    size_t colors = bits <= 8 ? (hdr.biClrUsed ? std::min<size_t>(hdr.biClrUsed, 256) : (1u << bits)) : 0;
    size_t masks = (hdr.biCompression == 3 /* BI_BITFIELDS */ && hdr.biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
    size_t offset = hdr.biSize + masks + colors * 4;
    int w = hdr.biWidth, h = std::abs(hdr.biHeight);
    uint64_t need = offset + (uint64_t)RowBytes(w, bits) * (uint64_t)h;
    if (hdr.biCompression == BI_RGB && need > size)
        return nullptr;
    // Read through a DIB section of 32 bits, then keep that or make a device bitmap.
    uint32_t* px = nullptr;
    HBITMAP dib = NewColorBitmap(w, h, &px);
    if (!dib)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, dib, 0, (UINT)h, data + offset, (const BITMAPINFO*)data, DIB_RGB_COLORS);
    DeleteDC(dc);
    GdiFlush();
    if (flags & (LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT))
        MapColors(px, (size_t)w * (size_t)h, flags);
    if (flags & LR_CREATEDIBSECTION)
        return dib;
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    if (!ddb)
        return dib;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, ddb, 0, (UINT)h, px, &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(dib);
    return ddb;
}

HBITMAP BitmapFromResources(HINSTANCE inst, LPCSTR name, UINT flags)
{
    HRSRC res = FindResource(inst, name, RT_BITMAP);
    if (!res)
        return nullptr;
    const BYTE* data = (const BYTE*)LockResource(LoadResource(inst, res));
    return data ? BitmapFromPackedDib(data, SizeofResource(inst, res), flags) : nullptr;
}

HBITMAP BitmapFromFile(LPCSTR path, UINT flags)
{
    std::vector<BYTE> file;
    if (!ReadWholeFile(path, file) || file.size() < 14 || file[0] != 'B' || file[1] != 'M')
        return nullptr;
    return BitmapFromPackedDib(file.data() + 14, file.size() - 14, flags);
}

// Images loaded with LR_SHARED, one handle per resource and size: every load gives it again.
struct SharedImageKey {
    HINSTANCE module;
    std::string name;  // "#<id>" or the upper-case name
    bool icon;
    int cx, cy;
    bool operator<(const SharedImageKey& o) const
    {
        return std::tie(module, name, icon, cx, cy) < std::tie(o.module, o.name, o.icon, o.cx, o.cy);
    }
};

std::map<SharedImageKey, HANDLE>& SharedImages()
{
    static std::map<SharedImageKey, HANDLE> images;
    return images;
}

SharedImageKey SharedKeyOf(HINSTANCE module, LPCSTR name, bool icon, int cx, int cy)
{
    std::string key;
    if (IS_INTRESOURCE(name)) {
        key = "#" + std::to_string((unsigned)(uintptr_t)name);
    } else {
        key = name;
        for (char& c : key)
            if (c >= 'a' && c <= 'z')
                c = (char)(c - 'a' + 'A');
    }
    return SharedImageKey{module, key, icon, cx, cy};
}

// A shared image loads once; later loads find it while it lives (it is never destroyed).
HANDLE LoadSharedImage(HINSTANCE module, LPCSTR name, bool icon, int cx, int cy)
{
    SharedImageKey key = SharedKeyOf(module, name, icon, cx, cy);
    {
        UserGuard guard(UserLock());
        auto it = SharedImages().find(key);
        if (it != SharedImages().end())
            return it->second;
    }
    HANDLE h = IconFromResources(module, name, icon, cx, cy);
    auto obj = h ? FindCursorObject((HICON)h) : nullptr;
    if (!obj)
        return h;
    UserGuard guard(UserLock());
    obj->shared = true;
    auto placed = SharedImages().emplace(key, h);
    if (!placed.second) {
        // Another thread loaded it meanwhile: theirs is the one handed out.
        obj->shared = false;
        guard.unlock();
        DestroyIcon((HICON)h);
        return placed.first->second;
    }
    return h;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

HICON CreateIconFromResourceEx(PBYTE presbits, DWORD dwResSize, BOOL fIcon, DWORD, int, int, UINT)
{
    if (!presbits)
        return nullptr;
    POINT hot{0, 0};
    if (!fIcon) {
        if (dwResSize < 4)
            return nullptr;
        WORD hx, hy;
        std::memcpy(&hx, presbits, 2);
        std::memcpy(&hy, presbits + 2, 2);
        hot = POINT{hx, hy};
        presbits += 4;
        dwResSize -= 4;
    }
    auto obj = IconFromDib(presbits, dwResSize, fIcon != FALSE, hot);
    return obj ? AddCursorObject(obj) : nullptr;
}

HANDLE LoadImage(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (!name)
        return nullptr;
    bool fromFile = (fuLoad & LR_LOADFROMFILE) != 0;
    if (type == IMAGE_BITMAP)
        return fromFile ? BitmapFromFile(name, fuLoad) : BitmapFromResources(hInst, name, fuLoad);
    if (type != IMAGE_ICON && type != IMAGE_CURSOR)
        return nullptr;
    bool icon = type == IMAGE_ICON;
    if (!fromFile && !hInst && IS_INTRESOURCE(name))
        return icon ? (HANDLE)LoadIcon(nullptr, name) : (HANDLE)LoadCursor(nullptr, name);
    if (cx == 0 && (fuLoad & LR_DEFAULTSIZE))
        cx = GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR);
    if (cy == 0 && (fuLoad & LR_DEFAULTSIZE))
        cy = GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR);
    if (!fromFile && (fuLoad & LR_SHARED))
        return LoadSharedImage(hInst, name, icon, cx ? cx : 32, cy ? cy : 32);
    HANDLE h = fromFile ? IconFromFile(name, icon, cx ? cx : 32, cy ? cy : 32)
                        : IconFromResources(hInst, name, icon, cx ? cx : 32, cy ? cy : 32);
    if (h && (fuLoad & LR_SHARED))
        if (auto obj = FindCursorObject((HICON)h))
            obj->shared = true;
    return h;
}

HCURSOR LoadCursorFromFile(LPCSTR lpFileName)
{
    return (HCURSOR)LoadImage(nullptr, lpFileName, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
}

HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName)
{
    return (HBITMAP)LoadImage(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0);
}

HICON CreateIconIndirect(PICONINFO info)
{
    if (!info || !info->hbmMask)
        return nullptr;
    int w, h;
    if (!BitmapSize(info->hbmMask, &w, &h))
        return nullptr;
    auto obj = std::make_shared<CursorObject>();
    obj->icon = info->fIcon != FALSE;
    obj->hotspot = POINT{(LONG)info->xHotspot, (LONG)info->yHotspot};
    if (info->hbmColor) {
        int cw, ch;
        if (!BitmapSize(info->hbmColor, &cw, &ch))
            return nullptr;
        obj->width = cw;
        obj->height = ch;
        obj->color = CopyColor(info->hbmColor, cw, ch);
        obj->mask = CopyMask(info->hbmMask, cw, std::min(ch, h));
        obj->alpha = HasAlpha(obj->color, cw, ch);
    } else {
        // A monochrome icon keeps AND and XOR masks one above the other.
        obj->width = w;
        obj->height = h / 2;
        std::vector<uint32_t> px;
        if (!ReadPixels(info->hbmMask, w, h, px))
            return nullptr;
        std::vector<bool> andMask((size_t)w * (size_t)(h / 2));
        uint32_t* colorBits = nullptr;
        obj->color = NewColorBitmap(w, h / 2, &colorBits);
        for (int i = 0; i < w * (h / 2); ++i) {
            andMask[(size_t)i] = (px[(size_t)i] & 0xFFFFFF) != 0;
            colorBits[i] = (px[(size_t)(i + w * (h / 2))] & 0xFFFFFF) ? 0xFFFFFF : 0;
        }
        obj->mask = NewMaskBitmap(w, h / 2, andMask);
    }
    return AddCursorObject(obj);
}

HICON CreateIcon(HINSTANCE, int nWidth, int nHeight, BYTE cPlanes, BYTE cBitsPixel, const BYTE* lpbANDbits,
                 const BYTE* lpbXORbits)
{
    if (nWidth <= 0 || nHeight <= 0 || !lpbANDbits || !lpbXORbits)
        return nullptr;
    ICONINFO info = {TRUE, 0, 0, nullptr, nullptr};
    info.hbmMask = CreateBitmap(nWidth, nHeight, 1, 1, lpbANDbits);
    info.hbmColor = CreateBitmap(nWidth, nHeight, cPlanes, cBitsPixel, lpbXORbits);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

HCURSOR CreateCursor(HINSTANCE, int xHotSpot, int yHotSpot, int nWidth, int nHeight, const void* pvANDPlane,
                     const void* pvXORPlane)
{
    if (nWidth <= 0 || nHeight <= 0 || !pvANDPlane || !pvXORPlane)
        return nullptr;
    int row = ((nWidth + 15) / 16) * 2;
    std::vector<BYTE> both((size_t)row * (size_t)nHeight * 2);
    std::memcpy(both.data(), pvANDPlane, (size_t)row * (size_t)nHeight);
    std::memcpy(both.data() + (size_t)row * (size_t)nHeight, pvXORPlane, (size_t)row * (size_t)nHeight);
    ICONINFO info = {FALSE, (DWORD)xHotSpot, (DWORD)yHotSpot, nullptr, nullptr};
    info.hbmMask = CreateBitmap(nWidth, nHeight * 2, 1, 1, both.data());
    HCURSOR c = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    return c;
}

BOOL GetIconInfo(HICON hIcon, PICONINFO info)
{
    auto obj = FindCursorObject(hIcon);
    if (!obj || !info)
        return FALSE;
    EnsureStockImage(*obj);
    info->fIcon = obj->icon;
    // An icon's hot spot is always its centre, whatever it was made with.
    info->xHotspot = (DWORD)(obj->icon ? obj->width / 2 : obj->hotspot.x);
    info->yHotspot = (DWORD)(obj->icon ? obj->height / 2 : obj->hotspot.y);
    // The caller owns and deletes the copies.
    info->hbmColor = obj->color ? CopyColor(obj->color, obj->width, obj->height) : nullptr;
    info->hbmMask = obj->mask ? CopyMask(obj->mask, obj->width, obj->height) : nullptr;
    return TRUE;
}

HANDLE CopyImage(HANDLE h, UINT type, int, int, UINT flags)
{
    HANDLE copy = nullptr;
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        copy = CopyIcon((HICON)h);
        if (copy && (flags & LR_COPYDELETEORG))
            DestroyIcon((HICON)h);
        return copy;
    }
    if (type == IMAGE_BITMAP) {
        int w, hgt;
        if (!BitmapSize((HBITMAP)h, &w, &hgt))
            return nullptr;
        copy = CopyColor((HBITMAP)h, w, hgt);
        if (copy && (flags & LR_COPYDELETEORG))
            DeleteObject(h);
    }
    return copy;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT, HBRUSH hbrFlickerFreeDraw,
                UINT diFlags)
{
    auto obj = FindCursorObject(hIcon);
    if (!obj || !hdc)
        return FALSE;
    EnsureStockImage(*obj);
    if (!obj->color && !obj->mask)
        return FALSE;
    if (cxWidth == 0)
        cxWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(obj->icon ? SM_CXICON : SM_CXCURSOR) : obj->width;
    if (cyWidth == 0)
        cyWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(obj->icon ? SM_CYICON : SM_CYCURSOR) : obj->height;
    if (hbrFlickerFreeDraw) {
        RECT r{xLeft, yTop, xLeft + cxWidth, yTop + cyWidth};
        FillRect(hdc, &r, hbrFlickerFreeDraw);
    }
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = nullptr;
    bool mask = (diFlags & DI_MASK) != 0, image = (diFlags & DI_IMAGE) != 0;
    if (mask && image && obj->alpha && obj->color) {
        old = SelectObject(mem, obj->color);
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(hdc, xLeft, yTop, cxWidth, cyWidth, mem, 0, 0, obj->width, obj->height, bf);
    } else {
        COLORREF text = SetTextColor(hdc, RGB(0, 0, 0));
        COLORREF back = SetBkColor(hdc, RGB(255, 255, 255));
        if (mask && obj->mask) {
            old = SelectObject(mem, obj->mask);
            StretchBlt(hdc, xLeft, yTop, cxWidth, cyWidth, mem, 0, 0, obj->width, obj->height,
                       image ? SRCAND : SRCCOPY);
        }
        if (image && obj->color) {
            HGDIOBJ prev = SelectObject(mem, obj->color);
            if (!old)
                old = prev;
            StretchBlt(hdc, xLeft, yTop, cxWidth, cyWidth, mem, 0, 0, obj->width, obj->height,
                       mask ? SRCINVERT : SRCCOPY);
        }
        SetTextColor(hdc, text);
        SetBkColor(hdc, back);
    }
    if (old)
        SelectObject(mem, old);
    DeleteDC(mem);
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}
