// Rectangles, 3-D edges, frame controls, focus rectangles and state drawing.
#include "gdi/DeviceContext.h"
#include "gdi/RasterOps.h"
#include "mivo/Trace.h"
#include "gdi/Shapes.h"
#include "gdi/SysColorLink.h"

#include <algorithm>
#include <cstring>

using namespace mivo;
using namespace mivo::gdi;

namespace {

// Runs `body` with the DC locked, its target acquired and `r` in raster coordinates.
template <class F>
BOOL OnRect(HDC hdc, const RECT* lprc, F&& body)
{
    if (lprc == nullptr)
        return FALSE;
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    DrawTarget t;
    if (!dc->Acquire(t))
        return dc->dcKind == DcKind::Info ? FALSE : TRUE;
    RECT r = dc->ToDeviceRect(*lprc);
    r.left += t.origin.x;
    r.right += t.origin.x;
    r.top += t.origin.y;
    r.bottom += t.origin.y;
    return body(*dc, t, r);
}

// A brush handle or a system colour index + 1, as FillRect accepts.
Pattern BrushOrSysColor(const DeviceContext& dc, const DrawTarget& t, HBRUSH hbr, bool& ok)
{
    ok = true;
    uintptr_t v = (uintptr_t)hbr;
    if (v != 0 && v <= 64)
        return SolidPattern(NativeColor(dc, t.raster, SysColor((int)v - 1)));
    auto brush = Lookup<BrushObject>((HANDLE)hbr);
    if (!brush) {
        ok = false;
        return EmptyPattern();
    }
    return BrushPattern(dc, brush.get(), t);
}

void Fill(DrawTarget& t, const RECT& r, uint32_t native)
{
    PaintRect(t, r, 0xF0, SolidPattern(native));
}

}  // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    MIVO_TRACE(kTraceGdi, "FillRect(%p, %p)", (void*)hDC, (void*)hbr);
    return OnRect(hDC, lprc, [&](DeviceContext& dc, DrawTarget& t, RECT r) {
        bool ok;
        Pattern p = BrushOrSysColor(dc, t, hbr, ok);
        if (!ok)
            return FALSE;
        PaintRect(t, r, 0xF0, p);
        return TRUE;
    });
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    return OnRect(hDC, lprc, [&](DeviceContext& dc, DrawTarget& t, RECT r) {
        bool ok;
        Pattern p = BrushOrSysColor(dc, t, hbr, ok);
        if (!ok)
            return FALSE;
        if (r.right <= r.left || r.bottom <= r.top)
            return TRUE;
        PaintRect(t, RECT{r.left, r.top, r.right, r.top + 1}, 0xF0, p);
        if (r.bottom - 1 > r.top)
            PaintRect(t, RECT{r.left, r.bottom - 1, r.right, r.bottom}, 0xF0, p);
        PaintRect(t, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, 0xF0, p);
        if (r.right - 1 > r.left)
            PaintRect(t, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, 0xF0, p);
        return TRUE;
    });
}

BOOL InvertRect(HDC hDC, const RECT* lprc)
{
    return OnRect(hDC, lprc, [&](DeviceContext&, DrawTarget& t, RECT r) {
        PaintRect(t, r, 0x55, SolidPattern(0));
        return TRUE;
    });
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    return OnRect(hDC, lprc, [&](DeviceContext&, DrawTarget& t, RECT r) {
        if (r.right <= r.left || r.bottom <= r.top)
            return TRUE;
        // Every other pixel of the border is inverted; each pixel once, so a
        // second call puts everything back.
        Pattern dots;
        dots.solid = false;
        dots.width = dots.height = 2;
        uint32_t all = t.raster.NativeMask();
        dots.cells = {all, 0, 0, all};
        PaintRect(t, RECT{r.left, r.top, r.right, r.top + 1}, 0x5A, dots);
        if (r.bottom - 1 > r.top)
            PaintRect(t, RECT{r.left, r.bottom - 1, r.right, r.bottom}, 0x5A, dots);
        PaintRect(t, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, 0x5A, dots);
        if (r.right - 1 > r.left)
            PaintRect(t, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, 0x5A, dots);
        return TRUE;
    });
}

// ---------------------------------------------------------------- DrawEdge

namespace {

struct EdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// Draws one ring of a 3-D border and shrinks `r` on the flagged sides.
void DrawBorder(DrawTarget& t, const DeviceContext& dc, RECT& r, EdgeColors c, UINT flags)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    uint32_t tl = NativeColor(dc, t.raster, c.topLeft);
    uint32_t br = NativeColor(dc, t.raster, c.bottomRight);
    // Top and left first; bottom and right run the full length over the corners.
    if (flags & BF_TOP)
        Fill(t, RECT{r.left, r.top, (flags & BF_RIGHT) ? r.right - 1 : r.right, r.top + 1}, tl);
    if (flags & BF_LEFT)
        Fill(t, RECT{r.left, r.top, r.left + 1, (flags & BF_BOTTOM) ? r.bottom - 1 : r.bottom}, tl);
    if (flags & BF_BOTTOM)
        Fill(t, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (flags & BF_RIGHT)
        Fill(t, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}

void DrawDiagonal(DrawTarget& t, const DeviceContext& dc, const RECT& r, UINT edge, UINT flags)
{
    COLORREF color = (edge & BDR_SUNKENOUTER) ? SysColor(kColor3dShadow) : SysColor(kColor3dHighlight);
    uint32_t native = NativeColor(dc, t.raster, color);
    int w = r.right - r.left, h = r.bottom - r.top;
    int n = std::min(w, h);
    bool rising = (flags & (BF_TOP | BF_RIGHT)) == (BF_TOP | BF_RIGHT) || (flags & (BF_BOTTOM | BF_LEFT)) == (BF_BOTTOM | BF_LEFT);
    for (int i = 0; i < n; ++i) {
        int x = r.left + i;
        int y = rising ? r.bottom - 1 - i : r.top + i;
        PaintSpan(t, y, x, x + 1, 0xF0, SolidPattern(native));
    }
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    return OnRect(hdc, qrc, [&](DeviceContext& dc, DrawTarget& t, RECT r) {
        RECT start = r;
        if (grfFlags & BF_DIAGONAL) {
            DrawDiagonal(t, dc, r, edge, grfFlags);
            return TRUE;
        }
        EdgeColors outer = {0, 0}, inner = {0, 0};
        bool hasOuter = (edge & BDR_OUTER) != 0, hasInner = (edge & BDR_INNER) != 0;
        if (grfFlags & BF_MONO) {
            outer = {SysColor(kColorWindowFrame), SysColor(kColorWindowFrame)};
            inner = {SysColor(kColorWindow), SysColor(kColorWindow)};
        } else if (grfFlags & BF_FLAT) {
            outer = {SysColor(kColor3dShadow), SysColor(kColor3dShadow)};
            inner = {SysColor(kColor3dFace), SysColor(kColor3dFace)};
        } else {
            bool soft = (grfFlags & BF_SOFT) != 0;
            if (edge & BDR_RAISEDOUTER)
                outer = {soft ? SysColor(kColor3dHighlight) : SysColor(kColor3dLight), SysColor(kColor3dDkShadow)};
            else if (edge & BDR_SUNKENOUTER)
                outer = {soft ? SysColor(kColor3dDkShadow) : SysColor(kColor3dShadow), SysColor(kColor3dHighlight)};
            if (edge & BDR_RAISEDINNER)
                inner = {soft ? SysColor(kColor3dLight) : SysColor(kColor3dHighlight), SysColor(kColor3dShadow)};
            else if (edge & BDR_SUNKENINNER)
                inner = {soft ? SysColor(kColor3dShadow) : SysColor(kColor3dDkShadow), SysColor(kColor3dLight)};
        }
        if (hasOuter)
            DrawBorder(t, dc, r, outer, grfFlags);
        if (hasInner)
            DrawBorder(t, dc, r, inner, grfFlags);
        if (grfFlags & BF_MIDDLE) {
            COLORREF face = (grfFlags & BF_MONO) ? SysColor(kColorWindow) : SysColor(kColor3dFace);
            Fill(t, r, NativeColor(dc, t.raster, face));
        }
        if (grfFlags & BF_ADJUST) {
            qrc->left += r.left - start.left;
            qrc->top += r.top - start.top;
            qrc->right -= start.right - r.right;
            qrc->bottom -= start.bottom - r.bottom;
        }
        return TRUE;
    });
}

// ---------------------------------------------------------------- DrawFrameControl

namespace {

void PaintPoints(DrawTarget& t, const std::vector<POINT>& pts, uint32_t native)
{
    for (const POINT& p : pts)
        PaintSpan(t, p.y, p.x, p.x + 1, 0xF0, SolidPattern(native));
}

void ButtonFace(DrawTarget& t, const DeviceContext& dc, RECT& r, UINT state)
{
    UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
    if (state & DFCS_FLAT)
        flags = BF_RECT | BF_MIDDLE | BF_FLAT;
    if (state & DFCS_MONO)
        flags = BF_RECT | BF_MIDDLE | BF_MONO;
    RECT face = r;
    EdgeColors outer, inner;
    bool sunken = edge == EDGE_SUNKEN;
    if (flags & BF_MONO) {
        outer = {SysColor(kColorWindowFrame), SysColor(kColorWindowFrame)};
        inner = {SysColor(kColor3dFace), SysColor(kColor3dFace)};
    } else if (flags & BF_FLAT) {
        outer = {SysColor(kColor3dShadow), SysColor(kColor3dShadow)};
        inner = {SysColor(kColor3dFace), SysColor(kColor3dFace)};
    } else if (sunken) {
        outer = {SysColor(kColor3dDkShadow), SysColor(kColor3dHighlight)};
        inner = {SysColor(kColor3dShadow), SysColor(kColor3dLight)};
    } else {
        outer = {SysColor(kColor3dHighlight), SysColor(kColor3dDkShadow)};
        inner = {SysColor(kColor3dLight), SysColor(kColor3dShadow)};
    }
    DrawBorder(t, dc, face, outer, BF_RECT);
    DrawBorder(t, dc, face, inner, BF_RECT);
    Fill(t, face, NativeColor(dc, t.raster, SysColor(kColor3dFace)));
    r = face;
}

// A glyph drawn as rows of pixels ('#') centred in r, in the glyph colour;
// an inactive glyph is embossed (highlight one pixel down-right, then shadow).
void Glyph(DrawTarget& t, const DeviceContext& dc, const RECT& r, const std::vector<const char*>& rows, UINT state,
           COLORREF color)
{
    int gh = (int)rows.size(), gw = 0;
    for (const char* row : rows)
        gw = std::max(gw, (int)std::strlen(row));
    int x0 = r.left + (r.right - r.left - gw) / 2;
    int y0 = r.top + (r.bottom - r.top - gh) / 2;
    if (state & DFCS_PUSHED) {
        ++x0;
        ++y0;
    }
    auto points = [&](int dx, int dy) {
        std::vector<POINT> pts;
        for (int y = 0; y < gh; ++y)
            for (int x = 0; rows[(size_t)y][x] != 0; ++x)
                if (rows[(size_t)y][x] == '#')
                    pts.push_back(POINT{x0 + x + dx, y0 + y + dy});
        return pts;
    };
    if (state & DFCS_INACTIVE) {
        PaintPoints(t, points(1, 1), NativeColor(dc, t.raster, SysColor(kColor3dHighlight)));
        PaintPoints(t, points(0, 0), NativeColor(dc, t.raster, SysColor(kColor3dShadow)));
        return;
    }
    PaintPoints(t, points(0, 0), NativeColor(dc, t.raster, color));
}

const std::vector<const char*> kCheckMark = {"      #", "     ##", "#   ###", "## ### ", "#####  ", " ###   ", "  #    "};
const std::vector<const char*> kClose = {"##    ##", " ##  ## ", "  ####  ", "   ##   ", "  ####  ", " ##  ## ", "##    ##"};
const std::vector<const char*> kMin = {"      ", "      ", "      ", "      ", "      ", "######", "######"};
const std::vector<const char*> kMax = {"#########", "#########", "#       #", "#       #", "#       #", "#       #",
                                       "#       #", "#########"};
const std::vector<const char*> kRestore = {"  ######", "  ######", "  #    #", "###### #", "######## ", "#    ### ",
                                           "#    #  ", "#    #  ", "######  "};
const std::vector<const char*> kHelp = {" #### ", "##  ##", "    ##", "   ## ", "  ##  ", "  ##  ", "      ", "  ##  "};
const std::vector<const char*> kUp = {"   #   ", "  ###  ", " ##### ", "#######"};
const std::vector<const char*> kDown = {"#######", " ##### ", "  ###  ", "   #   "};
const std::vector<const char*> kLeft = {"   #", "  ##", " ###", "####", " ###", "  ##", "   #"};
const std::vector<const char*> kRight = {"#   ", "##  ", "### ", "####", "### ", "##  ", "#   "};
const std::vector<const char*> kBullet = {" ## ", "####", "####", " ## "};
const std::vector<const char*> kDot = {" ## ", "####", "####", " ## "};

// The classic 50% checker of two colours, anchored to the raster so neighbouring fills line up.
Pattern Checker(const DeviceContext& dc, const DrawTarget& t, COLORREF even, COLORREF odd)
{
    Pattern p;
    p.solid = false;
    p.width = p.height = 2;
    uint32_t a = NativeColor(dc, t.raster, even), b = NativeColor(dc, t.raster, odd);
    p.cells = {a, b, b, a};
    return p;
}

void CheckBox(DrawTarget& t, const DeviceContext& dc, RECT r, UINT state)
{
    int s = std::min<int>(std::min(r.right - r.left, r.bottom - r.top), 13);
    RECT box = {r.left, r.top + (r.bottom - r.top - s) / 2, r.left + s, r.top + (r.bottom - r.top - s) / 2 + s};
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        COLORREF frame = (state & DFCS_MONO) ? SysColor(kColorWindowFrame) : SysColor(kColor3dShadow);
        DrawBorder(t, dc, box, EdgeColors{frame, frame}, BF_RECT);
    } else {
        DrawBorder(t, dc, box, EdgeColors{SysColor(kColor3dShadow), SysColor(kColor3dHighlight)}, BF_RECT);
        DrawBorder(t, dc, box, EdgeColors{SysColor(kColor3dDkShadow), SysColor(kColor3dLight)}, BF_RECT);
    }
    bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    // Indeterminate: the greyed check on the dithered face and highlight.
    if ((state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED)) {
        if (grey)
            Fill(t, box, NativeColor(dc, t.raster, SysColor(kColor3dFace)));
        else
            PaintRect(t, box, 0xF0, Checker(dc, t, SysColor(kColor3dHighlight), SysColor(kColor3dFace)));
        Glyph(t, dc, box, kCheckMark, 0, SysColor(kColor3dShadow));
        return;
    }
    Fill(t, box, NativeColor(dc, t.raster, grey ? SysColor(kColor3dFace) : SysColor(kColorWindow)));
    if (state & DFCS_CHECKED)
        Glyph(t, dc, box, kCheckMark, state & ~DFCS_PUSHED & ~DFCS_INACTIVE,
              (state & DFCS_INACTIVE) ? SysColor(kColorGrayText) : SysColor(kColorWindowText));
}

void RadioButton(DrawTarget& t, const DeviceContext& dc, RECT r, UINT state)
{
    int s = std::min<int>(std::min(r.right - r.left, r.bottom - r.top), 12);
    int l = r.left, tp = r.top + (r.bottom - r.top - s) / 2;
    Region outer = EllipseRegion(l, tp, l + s, tp + s);
    Region ring1 = Outline(outer);
    Region inner = Region::Combine(outer, ring1, RGN_DIFF);
    Region ring2 = Outline(inner);
    Region face = Region::Combine(inner, ring2, RGN_DIFF);
    // Upper-left half of each ring takes the shadow colour, the rest the light one.
    auto split = [&](const Region& ring, COLORREF upper, COLORREF lower) {
        SpanBuilder up, down;
        for (const RECT& q : ring.Rects())
            for (int y = q.top; y < q.bottom; ++y)
                for (int x = q.left; x < q.right; ++x) {
                    if ((x - l) + (y - tp) < s - 1)
                        up.Add(y, x, x + 1);
                    else
                        down.Add(y, x, x + 1);
                }
        PaintRegion(t, up.Build(), 0xF0, SolidPattern(NativeColor(dc, t.raster, upper)));
        PaintRegion(t, down.Build(), 0xF0, SolidPattern(NativeColor(dc, t.raster, lower)));
    };
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        COLORREF frame = (state & DFCS_MONO) ? SysColor(kColorWindowFrame) : SysColor(kColor3dShadow);
        split(ring1, frame, frame);
        split(ring2, SysColor(kColorWindow), SysColor(kColorWindow));
    } else {
        split(ring1, SysColor(kColor3dShadow), SysColor(kColor3dHighlight));
        split(ring2, SysColor(kColor3dDkShadow), SysColor(kColor3dLight));
    }
    bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    PaintRegion(t, face, 0xF0,
                SolidPattern(NativeColor(dc, t.raster, grey ? SysColor(kColor3dFace) : SysColor(kColorWindow))));
    if (state & DFCS_CHECKED) {
        RECT box = {l, tp, l + s, tp + s};
        Glyph(t, dc, box, kDot, 0, (state & DFCS_INACTIVE) ? SysColor(kColorGrayText) : SysColor(kColorWindowText));
    }
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState)
{
    return OnRect(hdc, lprc, [&](DeviceContext& dc, DrawTarget& t, RECT r) {
        if (r.right <= r.left || r.bottom <= r.top)
            return TRUE;
        COLORREF text = SysColor(kColorBtnText);
        switch (uType) {
        case DFC_BUTTON: {
            UINT kind = uState & 0xFF;
            if (kind & DFCS_BUTTONPUSH) {
                RECT face = r;
                ButtonFace(t, dc, face, uState);
                if (uState & DFCS_ADJUSTRECT) {
                    POINT d0 = dc.ToLogical(face.left - t.origin.x, face.top - t.origin.y);
                    POINT d1 = dc.ToLogical(face.right - t.origin.x, face.bottom - t.origin.y);
                    *lprc = RECT{d0.x, d0.y, d1.x, d1.y};
                }
            } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
                if (kind & DFCS_BUTTONRADIOMASK) {
                    Fill(t, r, NativeColor(dc, t.raster, RGB(255, 255, 255)));
                    int s = std::min<int>(std::min(r.right - r.left, r.bottom - r.top), 12);
                    PaintRegion(t, EllipseRegion(r.left, r.top, r.left + s, r.top + s), 0xF0,
                                SolidPattern(NativeColor(dc, t.raster, RGB(0, 0, 0))));
                } else {
                    RadioButton(t, dc, r, uState);
                }
            } else {
                CheckBox(t, dc, r, uState);
            }
            return TRUE;
        }
        case DFC_CAPTION: {
            RECT face = r;
            ButtonFace(t, dc, face, uState);
            const std::vector<const char*>* g = &kClose;
            switch (uState & 0xFF) {
            case DFCS_CAPTIONMIN:
                g = &kMin;
                break;
            case DFCS_CAPTIONMAX:
                g = &kMax;
                break;
            case DFCS_CAPTIONRESTORE:
                g = &kRestore;
                break;
            case DFCS_CAPTIONHELP:
                g = &kHelp;
                break;
            default:
                break;
            }
            Glyph(t, dc, face, *g, uState, text);
            return TRUE;
        }
        case DFC_SCROLL: {
            UINT kind = uState & 0xFF;
            if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
                Fill(t, r, NativeColor(dc, t.raster, SysColor(kColor3dFace)));
                int n = std::min(r.right - r.left, r.bottom - r.top);
                for (int k = 2; k < n; k += 4) {
                    for (int i = 0; i < k && i < n; ++i) {
                        int x = r.right - 1 - i, y = r.bottom - 1 - (k - i);
                        PaintSpan(t, y, x, x + 1, 0xF0, SolidPattern(NativeColor(dc, t.raster, SysColor(kColor3dShadow))));
                        PaintSpan(t, y + 1, x, x + 1, 0xF0,
                                  SolidPattern(NativeColor(dc, t.raster, SysColor(kColor3dHighlight))));
                    }
                }
                return TRUE;
            }
            RECT face = r;
            ButtonFace(t, dc, face, uState);
            const std::vector<const char*>* g = &kUp;
            if (kind == DFCS_SCROLLDOWN || kind == DFCS_SCROLLCOMBOBOX)
                g = &kDown;
            else if (kind == DFCS_SCROLLLEFT)
                g = &kLeft;
            else if (kind == DFCS_SCROLLRIGHT)
                g = &kRight;
            Glyph(t, dc, face, *g, uState, text);
            return TRUE;
        }
        case DFC_MENU:
        case DFC_POPUPMENU: {
            // Menu glyphs are black on white, to be used as masks.
            Fill(t, r, NativeColor(dc, t.raster, RGB(255, 255, 255)));
            const std::vector<const char*>* g = &kRight;
            switch (uState & 0xFF) {
            case DFCS_MENUCHECK:
                g = &kCheckMark;
                break;
            case DFCS_MENUBULLET:
                g = &kBullet;
                break;
            default:
                break;
            }
            Glyph(t, dc, r, *g, 0, RGB(0, 0, 0));
            return TRUE;
        }
        default:
            return FALSE;
        }
    });
}

// ---------------------------------------------------------------- DrawState

// Drawing icons belongs to the window manager, which owns icons.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
#pragma weak DrawIconEx

namespace {

// Renders the state image on white into a 32-bit bitmap of cx x cy.
bool RenderStateImage(HDC target, HDC mem, DRAWSTATEPROC proc, LPARAM lData, WPARAM wData, int cx, int cy, UINT type)
{
    RECT all = {0, 0, cx, cy};
    FillRect(mem, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    switch (type) {
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        LPCSTR text = reinterpret_cast<LPCSTR>(lData);
        if (text == nullptr)
            return false;
        SelectObject(mem, GetCurrentObject(target, OBJ_FONT));
        SetTextColor(mem, RGB(0, 0, 0));
        SetBkMode(mem, TRANSPARENT);
        int len = wData == 0 ? -1 : (int)wData;
        DrawTextA(mem, text, len, &all, DT_LEFT | DT_TOP | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
        return true;
    }
    case DST_BITMAP: {
        HDC src = CreateCompatibleDC(target);
        HGDIOBJ old = SelectObject(src, (HBITMAP)lData);
        BOOL ok = old != nullptr && BitBlt(mem, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
        return ok != FALSE;
    }
    case DST_ICON:
        if (&DrawIconEx == nullptr)
            return false;
        return DrawIconEx(mem, 0, 0, (HICON)lData, cx, cy, 0, nullptr, 3 /* DI_NORMAL */) != FALSE;
    case DST_COMPLEX:
        return proc != nullptr && proc(mem, lData, wData, cx, cy) != FALSE;
    default:
        return false;
    }
}

// Paints `color` where the mask bitmap is 0 (the image's non-white pixels).
void PaintThroughMask(HDC hdc, int x, int y, int cx, int cy, HDC maskDc, HBRUSH brush)
{
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    BitBlt(hdc, x, y, cx, cy, maskDc, 0, 0, 0x00B8074A);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBk);
    SelectObject(hdc, oldBrush);
}

}  // namespace

BOOL DrawStateA(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y, int cx,
                int cy, UINT uFlags)
{
    if (!LookupDC(hdc))
        return FALSE;
    UINT type = uFlags & 0x000F;
    if (cx == 0 || cy == 0) {
        if (type == DST_TEXT || type == DST_PREFIXTEXT) {
            LPCSTR text = reinterpret_cast<LPCSTR>(lData);
            if (text == nullptr)
                return FALSE;
            RECT calc = {0, 0, 0, 0};
            DrawTextA(hdc, text, wData == 0 ? -1 : (int)wData, &calc,
                      DT_CALCRECT | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
            cx = cx ? cx : calc.right;
            cy = cy ? cy : calc.bottom;
        } else if (type == DST_BITMAP) {
            BITMAP bm;
            if (GetObjectA((HANDLE)lData, sizeof(bm), &bm) == 0)
                return FALSE;
            cx = cx ? cx : bm.bmWidth;
            cy = cy ? cy : bm.bmHeight;
        } else {
            cx = cx ? cx : 32;
            cy = cy ? cy : 32;
        }
    }
    if (cx <= 0 || cy <= 0 || cx > 16384 || cy > 16384)
        return FALSE;
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP image = CreateBitmap(cx, cy, 1, 32, nullptr);
    HGDIOBJ oldImage = SelectObject(mem, image);
    bool rendered = RenderStateImage(hdc, mem, qfnCallBack, lData, wData, cx, cy, type);
    UINT effect = uFlags & (DSS_DISABLED | DSS_MONO | DSS_UNION);
    if (rendered && effect == 0 && type != DST_TEXT && type != DST_PREFIXTEXT) {
        BitBlt(hdc, x, y, cx, cy, mem, 0, 0, SRCCOPY);
    } else if (rendered && effect == 0) {
        // Text keeps the caller's colour and goes on transparently.
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        RECT r = {x, y, x + cx, y + cy};
        DrawTextA(hdc, reinterpret_cast<LPCSTR>(lData), wData == 0 ? -1 : (int)wData, &r,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
        SetBkMode(hdc, oldMode);
    } else if (rendered) {
        HDC maskDc = CreateCompatibleDC(hdc);
        HBITMAP mask = CreateBitmap(cx, cy, 1, 1, nullptr);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        SetBkColor(mem, RGB(255, 255, 255));
        BitBlt(maskDc, 0, 0, cx, cy, mem, 0, 0, SRCCOPY);
        if (effect & DSS_DISABLED) {
            HBRUSH light = CreateSolidBrush(SysColor(kColor3dHighlight));
            HBRUSH dark = CreateSolidBrush(SysColor(kColor3dShadow));
            PaintThroughMask(hdc, x + 1, y + 1, cx, cy, maskDc, light);
            PaintThroughMask(hdc, x, y, cx, cy, maskDc, dark);
            DeleteObject(light);
            DeleteObject(dark);
        } else if (effect & DSS_MONO) {
            HBRUSH brush = hbrFore ? hbrFore : (HBRUSH)GetCurrentObject(hdc, OBJ_BRUSH);
            PaintThroughMask(hdc, x, y, cx, cy, maskDc, brush);
        } else {
            // Union: the image with every other pixel of it greyed.
            if (type == DST_TEXT || type == DST_PREFIXTEXT) {
                HBRUSH text = CreateSolidBrush(GetTextColor(hdc));
                PaintThroughMask(hdc, x, y, cx, cy, maskDc, text);
                DeleteObject(text);
            } else {
                HDC src = mem;
                BitBlt(hdc, x, y, cx, cy, maskDc, 0, 0, SRCAND);
                SetBkColor(src, RGB(255, 255, 255));
                BitBlt(hdc, x, y, cx, cy, src, 0, 0, SRCPAINT);
            }
            HBITMAP dotsBmp = CreateBitmap(2, 2, 1, 1, "\x40\x00\x80\x00");
            HBRUSH dots = CreatePatternBrush(dotsBmp);
            HGDIOBJ oldBrush = SelectObject(hdc, dots);
            COLORREF oldText = SetTextColor(hdc, SysColor(kColorHighlight));
            COLORREF oldBk = SetBkColor(hdc, RGB(0, 0, 0));
            BitBlt(hdc, x, y, cx, cy, maskDc, 0, 0, 0x00B8074A);
            SetTextColor(hdc, oldText);
            SetBkColor(hdc, oldBk);
            SelectObject(hdc, oldBrush);
            DeleteObject(dots);
            DeleteObject(dotsBmp);
        }
        SelectObject(maskDc, oldMask);
        DeleteObject(mask);
        DeleteDC(maskDc);
    }
    SelectObject(mem, oldImage);
    DeleteObject(image);
    DeleteDC(mem);
    return rendered ? TRUE : FALSE;
}

BOOL DrawState(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y, int cx,
               int cy, UINT uFlags)
{
    return DrawStateA(hdc, hbrFore, qfnCallBack, lData, wData, x, y, cx, cy, uFlags);
}

BOOL GrayStringA(HDC hDC, HBRUSH hBrush, GRAYSTRINGPROC lpOutputFunc, LPARAM lpData, int nCount, int X, int Y,
                 int nWidth, int nHeight)
{
    if (!LookupDC(hDC))
        return FALSE;
    if (lpOutputFunc == nullptr) {
        LPCSTR text = reinterpret_cast<LPCSTR>(lpData);
        if (text == nullptr)
            return FALSE;
        HBRUSH brush = hBrush ? hBrush : (HBRUSH)GetStockObject(GRAY_BRUSH);
        return DrawStateA(hDC, brush, nullptr, lpData, (WPARAM)(nCount > 0 ? nCount : 0), X, Y, nWidth, nHeight,
                          DST_TEXT | DSS_MONO);
    }
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    struct Call {
        GRAYSTRINGPROC proc;
        LPARAM data;
        int count;
    } call = {lpOutputFunc, lpData, nCount};
    auto complex = [](HDC dc, LPARAM l, WPARAM, int, int) -> BOOL {
        Call* c = reinterpret_cast<Call*>(l);
        return c->proc(dc, c->data, c->count);
    };
    HBRUSH brush = hBrush ? hBrush : (HBRUSH)GetStockObject(GRAY_BRUSH);
    return DrawStateA(hDC, brush, complex, reinterpret_cast<LPARAM>(&call), 0, X, Y, nWidth, nHeight,
                      DST_COMPLEX | DSS_MONO);
}

BOOL GrayString(HDC hDC, HBRUSH hBrush, GRAYSTRINGPROC lpOutputFunc, LPARAM lpData, int nCount, int X, int Y,
                int nWidth, int nHeight)
{
    return GrayStringA(hDC, hBrush, lpOutputFunc, lpData, nCount, X, Y, nWidth, nHeight);
}
