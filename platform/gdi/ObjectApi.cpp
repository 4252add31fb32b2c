// Stock objects, pens, brushes, fonts, selection, deletion and GetObject.
#include "gdi/Dib.h"
#include "mivo/Trace.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/TextCodec.h"

#include <cstring>
#include <mutex>

using namespace mivo;
using namespace mivo::gdi;

namespace mivo {
namespace gdi {

namespace {

struct StockTable {
    HGDIOBJ handles[20] = {};
    std::shared_ptr<BitmapObject> bitmap;
    std::shared_ptr<PaletteObject> palette;
};

template <class T>
HGDIOBJ MakeStock(std::shared_ptr<T> obj)
{
    obj->stock = true;
    return RegisterObject(obj);
}

std::shared_ptr<PenObject> StockPen(int style, COLORREF color)
{
    auto pen = std::make_shared<PenObject>();
    pen->style = (DWORD)style;
    pen->width = 1;
    pen->color = color;
    return pen;
}

std::shared_ptr<BrushObject> StockBrush(UINT style, COLORREF color)
{
    auto brush = std::make_shared<BrushObject>();
    brush->style = style;
    brush->color = color;
    return brush;
}

std::shared_ptr<FontObject> StockFont(const char* face, int height, int weight, int charset, int pitch)
{
    auto font = std::make_shared<FontObject>();
    font->lf.lfHeight = height;
    font->lf.lfWeight = weight;
    font->lf.lfCharSet = (BYTE)charset;
    font->lf.lfPitchAndFamily = (BYTE)pitch;
    std::strncpy(font->lf.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

const StockTable& Stock()
{
    static StockTable* table = [] {
        auto* t = new StockTable;
        t->handles[WHITE_BRUSH] = MakeStock(StockBrush(BS_SOLID, RGB(255, 255, 255)));
        t->handles[LTGRAY_BRUSH] = MakeStock(StockBrush(BS_SOLID, RGB(192, 192, 192)));
        t->handles[GRAY_BRUSH] = MakeStock(StockBrush(BS_SOLID, RGB(128, 128, 128)));
        t->handles[DKGRAY_BRUSH] = MakeStock(StockBrush(BS_SOLID, RGB(64, 64, 64)));
        t->handles[BLACK_BRUSH] = MakeStock(StockBrush(BS_SOLID, RGB(0, 0, 0)));
        t->handles[NULL_BRUSH] = MakeStock(StockBrush(BS_NULL, 0));
        t->handles[WHITE_PEN] = MakeStock(StockPen(PS_SOLID, RGB(255, 255, 255)));
        t->handles[BLACK_PEN] = MakeStock(StockPen(PS_SOLID, RGB(0, 0, 0)));
        t->handles[NULL_PEN] = MakeStock(StockPen(PS_NULL, 0));
        t->handles[OEM_FIXED_FONT] = MakeStock(StockFont("Terminal", 12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN));
        t->handles[ANSI_FIXED_FONT] = MakeStock(StockFont("Courier", 13, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN));
        t->handles[ANSI_VAR_FONT] =
            MakeStock(StockFont("MS Sans Serif", 13, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS));
        t->handles[SYSTEM_FONT] = MakeStock(StockFont("System", 16, FW_NORMAL, HANGEUL_CHARSET, VARIABLE_PITCH | FF_SWISS));
        t->handles[DEVICE_DEFAULT_FONT] =
            MakeStock(StockFont("System", 16, FW_NORMAL, HANGEUL_CHARSET, VARIABLE_PITCH | FF_SWISS));
        t->handles[SYSTEM_FIXED_FONT] =
            MakeStock(StockFont("Fixedsys", 16, FW_NORMAL, HANGEUL_CHARSET, FIXED_PITCH | FF_MODERN));
        t->handles[DEFAULT_GUI_FONT] =
            MakeStock(StockFont("굴림", -12, FW_NORMAL, HANGEUL_CHARSET, VARIABLE_PITCH | FF_SWISS));

        auto palette = std::make_shared<PaletteObject>();
        static const uint32_t colors[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                            0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
                                            0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        for (uint32_t c : colors) {
            PALETTEENTRY e = {(BYTE)(c >> 16), (BYTE)(c >> 8), (BYTE)c, 0};
            palette->entries.push_back(e);
        }
        t->palette = palette;
        t->handles[DEFAULT_PALETTE] = MakeStock(palette);

        auto dcBrush = StockBrush(BS_SOLID, RGB(255, 255, 255));
        dcBrush->dcBrush = true;
        t->handles[DC_BRUSH] = MakeStock(dcBrush);
        auto dcPen = StockPen(PS_SOLID, 0);
        dcPen->dcPen = true;
        t->handles[DC_PEN] = MakeStock(dcPen);

        t->bitmap = NewDeviceBitmap(1, 1, 1);
        MakeStock(t->bitmap);
        return t;
    }();
    return *table;
}

}  // namespace

HGDIOBJ StockObject(int index)
{
    if (index < 0 || index >= 20 || index == 9)
        return nullptr;
    return Stock().handles[index];
}

std::shared_ptr<BitmapObject> DefaultBitmap()
{
    return Stock().bitmap;
}

std::shared_ptr<PaletteObject> DefaultPalette()
{
    return Stock().palette;
}

}  // namespace gdi
}  // namespace mivo

HGDIOBJ GetStockObject(int i)
{
    return StockObject(i);
}

// ---------------------------------------------------------------- pens

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    MIVO_TRACE(kTraceGdi, "CreatePen(%d, %d, %06lx)", iStyle, cWidth, (unsigned long)color);
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME)
        iStyle = PS_SOLID;
    auto pen = MakeObject<PenObject>();
    if (!pen)
        return nullptr;
    if (cWidth < 0)
        cWidth = 0;
    // Styled lines exist only one pixel wide; wider ones are solid.
    if (cWidth > 1 && iStyle >= PS_DASH && iStyle <= PS_DASHDOTDOT)
        iStyle = PS_SOLID;
    pen->style = (DWORD)iStyle | (cWidth > 1 ? PS_GEOMETRIC : PS_COSMETIC);
    pen->width = cWidth;
    pen->color = color;
    return Publish<HPEN>(pen);
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (plpen == nullptr)
        return nullptr;
    return CreatePen((int)plpen->lopnStyle, plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle)
{
    if (plbrush == nullptr)
        return nullptr;
    DWORD type = iPenStyle & PS_TYPE_MASK;
    DWORD style = iPenStyle & PS_STYLE_MASK;
    if (type == PS_COSMETIC && cWidth != 1)
        return nullptr;
    if (style == PS_USERSTYLE && (cStyle == 0 || cStyle > 16 || pstyle == nullptr))
        return nullptr;
    if (style > PS_ALTERNATE || (style == PS_ALTERNATE && type != PS_COSMETIC))
        return nullptr;
    if (cWidth > 0x7FFFFFF)
        return nullptr;
    auto pen = MakeObject<PenObject>();
    if (!pen)
        return nullptr;
    pen->style = iPenStyle;
    pen->width = (int)cWidth;
    pen->color = plbrush->lbStyle == BS_NULL ? 0 : plbrush->lbColor;
    if (plbrush->lbStyle == BS_NULL)
        pen->style = (iPenStyle & ~PS_STYLE_MASK) | PS_NULL;
    pen->extended = true;
    if (style == PS_USERSTYLE)
        pen->userStyle.assign(pstyle, pstyle + cStyle);
    return Publish<HPEN>(pen);
}

// ---------------------------------------------------------------- brushes

HBRUSH CreateSolidBrush(COLORREF color)
{
    MIVO_TRACE(kTraceGdi, "CreateSolidBrush(%06lx)", (unsigned long)color);
    auto brush = MakeObject<BrushObject>();
    if (!brush)
        return nullptr;
    brush->style = BS_SOLID;
    brush->color = color;
    return Publish<HBRUSH>(brush);
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
        return nullptr;
    auto brush = MakeObject<BrushObject>();
    if (!brush)
        return nullptr;
    brush->style = BS_HATCHED;
    brush->color = color;
    brush->hatch = iHatch;
    return Publish<HBRUSH>(brush);
}

namespace {

// Copies a bitmap's pixels for a pattern brush.
std::shared_ptr<const PatternPixels> CopyPattern(BitmapObject& bm)
{
    std::lock_guard<std::recursive_mutex> guard(bm.lock);
    auto pp = std::make_shared<PatternPixels>();
    Raster r = bm.View();
    pp->width = bm.width;
    pp->height = bm.height;
    pp->mono = bm.monoDevice;
    pp->pixels.resize((size_t)bm.width * (size_t)bm.height);
    std::vector<uint32_t> row((size_t)bm.width);
    for (int y = 0; y < bm.height; ++y) {
        r.Read(0, y, bm.width, row.data());
        for (int x = 0; x < bm.width; ++x)
            pp->pixels[(size_t)y * (size_t)bm.width + (size_t)x] = pp->mono ? row[(size_t)x] : r.ToRgb(row[(size_t)x]);
    }
    return pp;
}

std::shared_ptr<const PatternPixels> PatternFromPackedDib(const void* packed, UINT usage)
{
    DibInfo info;
    if (!ParseDibHeader(static_cast<const BITMAPINFO*>(packed), usage, nullptr, info))
        return nullptr;
    if ((int64_t)info.width * info.height > (int64_t)1 << 24)
        return nullptr;
    const uint8_t* bits = static_cast<const uint8_t*>(packed) + info.headerBytes;
    Raster r = DibRaster(info, bits);
    auto pp = std::make_shared<PatternPixels>();
    pp->width = info.width;
    pp->height = info.height;
    pp->pixels.resize((size_t)info.width * (size_t)info.height);
    std::vector<uint32_t> row((size_t)info.width);
    for (int y = 0; y < info.height; ++y) {
        r.Read(0, y, info.width, row.data());
        for (int x = 0; x < info.width; ++x)
            pp->pixels[(size_t)y * (size_t)info.width + (size_t)x] = r.ToRgb(row[(size_t)x]);
    }
    return pp;
}

}  // namespace

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    auto bm = Lookup<BitmapObject>((HANDLE)hbm);
    if (!bm)
        return nullptr;
    auto brush = MakeObject<BrushObject>();
    if (!brush)
        return nullptr;
    brush->style = BS_PATTERN;
    brush->pattern = CopyPattern(*bm);
    brush->patternHandle = (ULONG_PTR)hbm;
    return Publish<HBRUSH>(brush);
}

HBRUSH CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage)
{
    if (lpPackedDIB == nullptr)
        return nullptr;
    auto pattern = PatternFromPackedDib(lpPackedDIB, iUsage);
    if (!pattern)
        return nullptr;
    auto brush = MakeObject<BrushObject>();
    if (!brush)
        return nullptr;
    brush->style = BS_DIBPATTERNPT;
    brush->pattern = pattern;
    brush->patternHandle = (ULONG_PTR)lpPackedDIB;
    return Publish<HBRUSH>(brush);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (plbrush == nullptr)
        return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: {
        auto brush = MakeObject<BrushObject>();
        if (!brush)
            return nullptr;
        brush->style = BS_NULL;
        return Publish<HBRUSH>(brush);
    }
    case BS_HATCHED:
        return CreateHatchBrush((int)plbrush->lbHatch, plbrush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8:
        return CreatePatternBrush((HBITMAP)plbrush->lbHatch);
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
        return CreateDIBPatternBrushPt((const void*)plbrush->lbHatch, LOWORD(plbrush->lbColor));
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------- fonts

HFONT CreateFontIndirectA(const LOGFONTA* lplf)
{
    MIVO_TRACE(kTraceGdi, "CreateFontIndirect(%ld)", lplf ? (long)lplf->lfHeight : 0L);
    if (lplf == nullptr)
        return nullptr;
    auto font = MakeObject<FontObject>();
    if (!font)
        return nullptr;
    font->lf = *lplf;
    font->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return Publish<HFONT>(font);
}

HFONT CreateFontIndirect(const LOGFONTA* lplf)
{
    return CreateFontIndirectA(lplf);
}

HFONT CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (lplf == nullptr)
        return nullptr;
    LOGFONTA a;
    std::memcpy(&a, lplf, offsetof(LOGFONTA, lfFaceName));
    std::u16string face;
    for (int i = 0; i < LF_FACESIZE && lplf->lfFaceName[i] != 0; ++i)
        face.push_back(lplf->lfFaceName[i]);
    std::string ansi = WideToAnsi(face);
    std::memset(a.lfFaceName, 0, sizeof(a.lfFaceName));
    std::strncpy(a.lfFaceName, ansi.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectA(&a);
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = (BYTE)bItalic;
    lf.lfUnderline = (BYTE)bUnderline;
    lf.lfStrikeOut = (BYTE)bStrikeOut;
    lf.lfCharSet = (BYTE)iCharSet;
    lf.lfOutPrecision = (BYTE)iOutPrecision;
    lf.lfClipPrecision = (BYTE)iClipPrecision;
    lf.lfQuality = (BYTE)iQuality;
    lf.lfPitchAndFamily = (BYTE)iPitchAndFamily;
    if (pszFaceName != nullptr)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                 DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    return CreateFontA(cHeight, cWidth, cEscapement, cOrientation, cWeight, bItalic, bUnderline, bStrikeOut, iCharSet,
                       iOutPrecision, iClipPrecision, iQuality, iPitchAndFamily, pszFaceName);
}

// ---------------------------------------------------------------- selection

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    MIVO_TRACE(kTraceGdi, "SelectObject(%p, %p)", (void*)hdc, (void*)h);
    auto dc = LookupDC(hdc);
    if (!dc)
        return nullptr;
    std::shared_ptr<GdiObject> obj = LookupObject(h);
    if (!obj)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    HGDIOBJ old = nullptr;
    switch (obj->kind) {
    case Kind::Pen:
        old = dc->st.pen.handle();
        dc->st.pen = Selected<PenObject>(std::static_pointer_cast<PenObject>(obj), dc.get());
        return old;
    case Kind::Brush:
        old = dc->st.brush.handle();
        dc->st.brush = Selected<BrushObject>(std::static_pointer_cast<BrushObject>(obj), dc.get());
        return old;
    case Kind::Font:
        old = dc->st.font.handle();
        dc->st.font = Selected<FontObject>(std::static_pointer_cast<FontObject>(obj), dc.get());
        return old;
    case Kind::Bitmap: {
        if (dc->dcKind != DcKind::Memory)
            return nullptr;
        auto bm = std::static_pointer_cast<BitmapObject>(obj);
        if (bm.get() == dc->st.bitmap.get())
            return (HGDIOBJ)bm->handle;
        // A bitmap lives in one memory DC at a time (the shared default excepted).
        if (!bm->stock && bm->selectedBy != nullptr && bm->selectedBy != dc.get())
            return nullptr;
        old = dc->st.bitmap.handle();
        dc->st.bitmap = Selected<BitmapObject>(bm, dc.get());
        return old;
    }
    case Kind::Region: {
        int type = SelectClipRgn(hdc, (HRGN)h);
        return type == ERROR ? HGDI_ERROR : (HGDIOBJ)(intptr_t)type;
    }
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    switch (type) {
    case OBJ_PEN:
        return dc->st.pen.handle();
    case OBJ_BRUSH:
        return dc->st.brush.handle();
    case OBJ_FONT:
        return dc->st.font.handle();
    case OBJ_PAL:
        return dc->st.palette.handle();
    case OBJ_BITMAP:
        return dc->dcKind == DcKind::Memory ? dc->st.bitmap.handle() : nullptr;
    default:
        return nullptr;
    }
}

HBITMAP GetCurrentBitmapOfDC(HDC hdc)
{
    return (HBITMAP)GetCurrentObject(hdc, OBJ_BITMAP);
}

BOOL DeleteObject(HGDIOBJ ho)
{
    MIVO_TRACE(kTraceGdi, "DeleteObject(%p)", (void*)ho);
    if (ho == nullptr)
        return FALSE;
    return DeleteGdiObject(ho);
}

DWORD GetObjectType(HGDIOBJ h)
{
    std::shared_ptr<GdiObject> obj = LookupObject(h);
    if (!obj)
        return 0;
    switch (obj->kind) {
    case Kind::Pen:
        return static_cast<PenObject*>(obj.get())->extended ? OBJ_EXTPEN : OBJ_PEN;
    case Kind::Brush:
        return OBJ_BRUSH;
    case Kind::Font:
        return OBJ_FONT;
    case Kind::Bitmap:
        return OBJ_BITMAP;
    case Kind::Region:
        return OBJ_REGION;
    case Kind::Palette:
        return OBJ_PAL;
    case Kind::DC:
        return static_cast<DeviceContext*>(obj.get())->dcKind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    default:
        return 0;
    }
}

BOOL UnrealizeObject(HGDIOBJ h)
{
    return LookupObject(h) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- GetObject

namespace {

int CopyOut(const void* data, int size, int c, LPVOID pv)
{
    if (pv == nullptr)
        return size;
    if (c <= 0)
        return 0;
    int n = c < size ? c : size;
    std::memcpy(pv, data, (size_t)n);
    return n;
}

void FillBitmap(BitmapObject& bm, BITMAP& out)
{
    out.bmType = 0;
    out.bmWidth = bm.width;
    out.bmHeight = bm.height;
    out.bmPlanes = 1;
    out.bmBitsPixel = (WORD)bm.bpp;
    if (bm.dibSection) {
        out.bmWidthBytes = (LONG)DibStride(bm.width, bm.bpp);
        out.bmBits = bm.bits;
    } else {
        out.bmWidthBytes = (LONG)DdbStride(bm.width, bm.bpp);
        out.bmBits = nullptr;
    }
}

}  // namespace

int GetObjectA(HANDLE h, int c, LPVOID pv)
{
    std::shared_ptr<GdiObject> obj = LookupObject(h);
    if (!obj)
        return 0;
    switch (obj->kind) {
    case Kind::Pen: {
        auto* pen = static_cast<PenObject*>(obj.get());
        if (pen->extended) {
            size_t entries = pen->userStyle.size();
            size_t size = sizeof(EXTLOGPEN) + (entries > 1 ? (entries - 1) * sizeof(DWORD) : 0);
            std::vector<uint8_t> buf(size, 0);
            auto* e = reinterpret_cast<EXTLOGPEN*>(buf.data());
            e->elpPenStyle = pen->style;
            e->elpWidth = (DWORD)pen->width;
            e->elpBrushStyle = BS_SOLID;
            e->elpColor = pen->color;
            e->elpNumEntries = (DWORD)entries;
            for (size_t i = 0; i < entries; ++i)
                e->elpStyleEntry[i] = pen->userStyle[i];
            return CopyOut(buf.data(), (int)size, c, pv);
        }
        LOGPEN lp;
        lp.lopnStyle = pen->style & PS_STYLE_MASK;
        lp.lopnWidth = POINT{pen->width, 0};
        lp.lopnColor = pen->color;
        return CopyOut(&lp, (int)sizeof(lp), c, pv);
    }
    case Kind::Brush: {
        auto* brush = static_cast<BrushObject*>(obj.get());
        LOGBRUSH lb;
        lb.lbStyle = brush->style;
        lb.lbColor = brush->color;
        lb.lbHatch = brush->style == BS_HATCHED ? (ULONG_PTR)brush->hatch : brush->patternHandle;
        return CopyOut(&lb, (int)sizeof(lb), c, pv);
    }
    case Kind::Font: {
        auto* font = static_cast<FontObject*>(obj.get());
        return CopyOut(&font->lf, (int)sizeof(LOGFONTA), c, pv);
    }
    case Kind::Palette: {
        auto* pal = static_cast<PaletteObject*>(obj.get());
        std::lock_guard<std::mutex> guard(pal->lock);
        WORD count = (WORD)pal->entries.size();
        return CopyOut(&count, (int)sizeof(count), c, pv);
    }
    case Kind::Bitmap: {
        auto* bm = static_cast<BitmapObject*>(obj.get());
        std::lock_guard<std::recursive_mutex> guard(bm->lock);
        if (bm->dibSection && (pv == nullptr || c >= (int)sizeof(DIBSECTION))) {
            DIBSECTION ds;
            std::memset(&ds, 0, sizeof(ds));
            FillBitmap(*bm, ds.dsBm);
            ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
            ds.dsBmih.biWidth = bm->width;
            ds.dsBmih.biHeight = bm->bottomUp ? bm->height : -bm->height;
            ds.dsBmih.biPlanes = 1;
            ds.dsBmih.biBitCount = (WORD)bm->bpp;
            ds.dsBmih.biCompression = bm->compression;
            ds.dsBmih.biSizeImage = (DWORD)(bm->stride * bm->height);
            ds.dsBmih.biClrUsed = bm->bpp <= 8 ? (DWORD)bm->colors.size() : 0;
            ds.dsBitfields[0] = bm->masks[0];
            ds.dsBitfields[1] = bm->masks[1];
            ds.dsBitfields[2] = bm->masks[2];
            ds.dshSection = bm->section;
            ds.dsOffset = bm->sectionOffset;
            return CopyOut(&ds, (int)sizeof(ds), c, pv);
        }
        BITMAP b;
        std::memset(&b, 0, sizeof(b));
        FillBitmap(*bm, b);
        return CopyOut(&b, (int)sizeof(b), c, pv);
    }
    default:
        return 0;
    }
}

int GetObject(HANDLE h, int c, LPVOID pv)
{
    return GetObjectA(h, c, pv);
}
