#include "image/ImageComposer.h"

#include "image/ImageAccess.h"
#include "image/ImageNotifier.h"
#include "image/ImageObject.h"

#include <cstdint>
#include <memory>

using namespace mivo::image;

namespace {

typedef std::unique_ptr<CImageObject> ImagePtr;

// Tiles of an edge along one side: n tiles of width t, the first -overlap
// joints overlapping by one pixel so the tiles end exactly at the side's end.
struct Tiling {
    int count;
    int width;
    int overlap;
};

Tiling TileSide(int side, int border)
{
    Tiling tiling{side / border, 0, 0};
    if (tiling.count < 1)
        tiling.count = 1;  // a side shorter than the border still gets one tile
    tiling.width = side / tiling.count;
    int rest = side % tiling.count;
    if (rest != 0) {
        if (rest < tiling.width / 2)
            ++tiling.width;
        else
            ++tiling.count;
        rest = side - tiling.count * tiling.width;
    }
    tiling.overlap = rest < 0 ? -rest : 0;
    return tiling;
}

// Calls place(offset) for each tile, starting at `start`.
template <typename Place>
void PlaceTiles(const Tiling& tiling, int start, Place place)
{
    int pos = start, overlap = tiling.overlap;
    for (int k = 0; k < tiling.count; ++k) {
        place(pos);
        pos += tiling.width;
        if (overlap > 0) {
            --pos;
            --overlap;
        }
    }
}

ImagePtr Mirrored(CImageObject* img, bool leftRight, bool topBottom)
{
    ImagePtr copy(img ? img->DuplicateImgObj() : nullptr);
    if (copy && leftRight)
        copy->ReverseHorz();
    if (copy && topBottom)
        copy->InvertVert();
    return copy;
}

}  // namespace

CImageComposer::CImageComposer(CImageObject* image) : m_pImage(image) {}

CImageComposer::~CImageComposer() {}

void CImageComposer::Progress(int percent) const
{
    SendProgress(ProgressWindowOf(m_pImage), InterruptOf(m_pImage), percent);
}

void CImageComposer::Done() const { SendDone(ProgressWindowOf(m_pImage), InterruptOf(m_pImage), 0); }

int CImageComposer::Mask(CRect rc, CImageObject* mask, COLORREF colour, int offset, BOOL invert)
{
    if (!HasPixels(m_pImage) || !HasPixels(mask))
        return 0;
    CImageObject& img = *m_pImage;
    const int64_t mw = int64_t(rc.right) - rc.left, mh = int64_t(rc.bottom) - rc.top;
    if (mw <= 0 || mh <= 0)
        return 0;
    ImagePtr m(mask->Resample(long(mw), long(mh), 3));
    if (!m)
        return 0;
    const BYTE tint[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    const int64_t r1 = max(int64_t(0), int64_t(img.m_nHeight) - rc.bottom - 1);
    const int64_t r2 = min(int64_t(img.m_nHeight) - 1, int64_t(img.m_nHeight) - rc.top - 1);
    const int64_t x1 = max(int64_t(0), int64_t(rc.left)), x2 = min(int64_t(img.m_nWidth) - 1, int64_t(rc.right));
    for (int64_t r = r1; r <= r2; ++r) {
        SendRowProgress(img.m_pProgressWnd, img.m_pInterrupt, uint64_t(r - r1), uint64_t(r2 - r1 + 1));
        // The mask is one pixel narrower and lower than the inclusive
        // rectangle: its last column and row serve the rectangle's edge.
        const int64_t my = min(max(int64_t(img.m_nHeight) - 1 - r - rc.top, int64_t(0)), mh - 1);
        const BYTE* maskRow = m->m_pImageBuf + (mh - 1 - my) * int64_t(m->m_nRowBytes);
        BYTE* p = img.m_pImageBuf + r * int64_t(img.m_nRowBytes) + 3 * x1;
        for (int64_t x = x1; x <= x2; ++x, p += 3) {
            const int64_t mx = min(max(x - rc.left, int64_t(0)), mw - 1);
            const int g = maskRow[3 * mx];
            int a = invert ? offset - g + 255 : g + offset;
            a = a < 0 ? 0 : a > 255 ? 255 : a;
            for (int k = 0; k < 3; ++k)
                p[k] = BYTE(p[k] * a / 255 + tint[k] * (255 - a) / 255);
        }
    }
    Done();
    return 1;
}

CImageObject* CImageComposer::MakeFrame(CImageObject* corner, CImageObject* edge, CSize size, int border)
{
    if (!HasPixels(corner) || !HasPixels(edge) || border < 0 || size.cx < 0 || size.cy < 0)
        return nullptr;
    const int b = border ? border : corner->m_nWidth;
    const int64_t W = int64_t(size.cx) + 2 * int64_t(b), H = int64_t(size.cy) + 2 * int64_t(b);
    if (W > INT_MAX || H > INT_MAX)
        return nullptr;
    CImageObject owner(ProgressWindowOf(m_pImage), nullptr);
    ImagePtr frame((m_pImage ? m_pImage : &owner)->MakeBlankImageObject(RGB(255, 255, 255), int(W), int(H)));
    if (!frame)
        return nullptr;
    Progress(10);

    ImagePtr c(border ? corner->Resample(b, b, 3) : corner->DuplicateImgObj());
    ImagePtr right(Mirrored(c.get(), true, false)), low(Mirrored(c.get(), false, true));
    ImagePtr lowRight(Mirrored(low.get(), true, false));
    if (!c || !right || !low || !lowRight)
        return nullptr;
    const int w = int(W), h = int(H);
    frame->ImageProjection(CRect(0, 0, b - 1, b - 1), c.get(), 100, -1);
    frame->ImageProjection(CRect(w - b, 0, w - 1, b - 1), right.get(), 100, -1);
    frame->ImageProjection(CRect(0, h - b, b - 1, h - 1), low.get(), 100, -1);
    frame->ImageProjection(CRect(w - b, h - b, w - 1, h - 1), lowRight.get(), 100, -1);
    Progress(30);

    const Tiling across = TileSide(size.cx, b);
    ImagePtr top(across.width > 0 ? edge->Resample(across.width, b, 3) : nullptr);
    ImagePtr bottom(Mirrored(top.get(), false, true));
    Progress(50);
    if (top && bottom) {
        PlaceTiles(across, b, [&](int x) {
            frame->ImageProjection(CRect(x, 0, x + across.width - 1, b - 1), top.get(), 100, -1);
            frame->ImageProjection(CRect(x, h - b, x + across.width - 1, h - 1), bottom.get(), 100, -1);
        });
    }
    Progress(80);

    const Tiling down = TileSide(size.cy, b);
    ImagePtr leftSide(down.width > 0 ? edge->Resample(down.width, b, 3) : nullptr);
    if (leftSide)
        leftSide->Rotate(270);
    ImagePtr rightSide(Mirrored(leftSide.get(), true, false));
    if (leftSide && rightSide) {
        PlaceTiles(down, b, [&](int y) {
            frame->ImageProjection(CRect(0, y, b - 1, y + down.width - 1), leftSide.get(), 100, -1);
            frame->ImageProjection(CRect(w - b, y, w - 1, y + down.width - 1), rightSide.get(), 100, -1);
        });
    }
    Progress(100);
    Done();
    return frame.release();
}

CImageObject* CImageComposer::MakeFrame(CImageObject* corner, CImageObject* edge, int border)
{
    if (!HasPixels(m_pImage) || !HasPixels(corner))
        return nullptr;
    const int width = m_pImage->m_nWidth, height = m_pImage->m_nHeight;
    CImageObject* frame = MakeFrame(corner, edge, CSize(width, height), border);
    if (!frame)
        return nullptr;
    frame->SetParent(m_pImage->m_pProgressWnd);
    // The picture sits inside the border actually used, also when the
    // corner's own width stands for it.
    const int b = border ? border : corner->m_nWidth;
    frame->ImageProjection(CRect(b, b, b + width - 1, b + height - 1), m_pImage, 100, -1);
    return frame;
}
