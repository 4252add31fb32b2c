#include "browser/SlideTransition.h"

#include "image/ImageObject.h"
#include "mivo/random.h"

#include <vector>

namespace {

const int kBandPause = 10;
const int kSweepBand = 20;
const int kDownBand = 15;
const int kCurtainBand = 10;

// One band of a horizontal sweep (vertical strips) or a vertical one (horizontal strips).
CRect Column(int x, int width, int height) { return CRect(x, 0, x + width, height); }
CRect Row(int y, int height, int width) { return CRect(0, y, width, y + height); }

BOOL Dissolve(int W, int H, const std::atomic<int>& stop, CSlideTransition::Sink& sink)
{
    const int cols = CSlideTransition::kDissolveCols, rows = CSlideTransition::kDissolveRows;
    std::vector<unsigned char> marked((size_t)cols * rows, 0);
    const int bw = W / cols + 1, bh = H / rows + 1;
    // Cells are only ever marked, so the first unmarked one never moves back.
    size_t firstClear = 0;
    while (firstClear < marked.size()) {
        if (stop)
            return FALSE;
        int c, r;
        do {
            c = mivo::Rand15() % cols;
            r = mivo::Rand15() % rows;
        } while (marked[(size_t)r * cols + c]);
        marked[(size_t)r * cols + c] = 1;
        const int x = (int)((long long)W * c / cols), y = (int)((long long)H * r / rows);
        sink.Copy(CRect(x, y, x + bw, y + bh));
        if (c % 40 == 1 && r % 30 == 1)
            sink.Pause(1);
        while (firstClear < marked.size() && marked[firstClear])
            firstClear++;
    }
    return TRUE;
}

// Steps k = 0 .. n, or n .. 0 when reversed; each copies what `band` gives for k.
template <class Band>
BOOL Steps(int n, bool reversed, const std::atomic<int>& stop, CSlideTransition::Sink& sink, Band band)
{
    for (int i = 0; i <= n; i++) {
        if (stop)
            return FALSE;
        band(reversed ? n - i : i);
        sink.Pause(kBandPause);
    }
    return TRUE;
}

}  // namespace

BOOL CSlideTransition::Run(int effect, int W, int H, const std::atomic<int>& stop, Sink& sink)
{
    if (W <= 0 || H <= 0)
        return !stop;
    const int t = kCurtainBand;
    switch (((effect % kEffects) + kEffects) % kEffects) {
    case 0: return Dissolve(W, H, stop, sink);
    case 1:
    case 2:
        return Steps(W / kSweepBand, effect % kEffects == 2, stop, sink,
                     [&](int k) { sink.Copy(Column(kSweepBand * k, kSweepBand, H)); });
    case 3:
        return Steps(W / 20, false, stop, sink, [&](int k) {
            const int c = W / 2;
            sink.Copy(Column(c - t * k - t, t, H));
            sink.Copy(Column(c + t * k, t, H));
        });
    case 4:
        return Steps(W / 20, false, stop, sink, [&](int k) {
            const int c = W / 2, n = W / 20;
            sink.Copy(Column(c - t * n + t * k - t, t, H));
            sink.Copy(Column(c + t * n - t * k, t, H));
        });
    case 5:
    case 6:
        return Steps(H / kDownBand, effect % kEffects == 6, stop, sink,
                     [&](int k) { sink.Copy(Row(kDownBand * k, kDownBand, W)); });
    case 7:
        return Steps(H / 20, false, stop, sink, [&](int k) {
            const int c = H / 2;
            sink.Copy(Row(c - t * k - t, t, W));
            sink.Copy(Row(c + t * k, t, W));
        });
    default:
        return Steps(H / 20, false, stop, sink, [&](int k) {
            const int c = H / 2, n = H / 20;
            sink.Copy(Row(c - t * n + t * k - t, t, W));
            sink.Copy(Row(c + t * n - t * k, t, W));
        });
    }
}

CSlideTransition::CSlideTransition(CDC* target, int width, int height, COLORREF back, CImageObject* image)
    : m_nWidth(width), m_nHeight(height)
{
    if (!target || width <= 0 || height <= 0 || !m_dc.CreateCompatibleDC(target) ||
        !m_bitmap.CreateCompatibleBitmap(target, width, height))
        return;
    m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
    m_dc.SetStretchBltMode(HALFTONE);
    m_dc.SetBrushOrg(0, 0);
    m_dc.FillSolidRect(0, 0, width, height, back);
    if (image && image->IsLoaded()) {
        const int w = image->GetWidth(), h = image->GetHeight();
        image->DrawStretchDirect(&m_dc, 0, 0, w, h, (width - w) / 2, (height - h) / 2, w, h);
    }
    m_bReady = TRUE;
}

CSlideTransition::~CSlideTransition()
{
    if (m_pOldBitmap)
        m_dc.SelectObject(m_pOldBitmap);
}

BOOL CSlideTransition::RevealOn(CDC* target, CPoint origin, int effect, const std::atomic<int>& stop)
{
    class WindowSink : public Sink {
    public:
        WindowSink(CDC* to, CDC* from, CPoint at, CRect bounds) : m_to(to), m_from(from), m_at(at), m_bounds(bounds) {}
        void Copy(const CRect& rect) override
        {
            // Bands past the picture have nothing to show.
            CRect part;
            if (!part.IntersectRect(&rect, &m_bounds))
                return;
            m_to->BitBlt(m_at.x + part.left, m_at.y + part.top, part.Width(), part.Height(), m_from, part.left,
                         part.top, SRCCOPY);
        }
        void Pause(int ms) override { ::Sleep(ms); }

    private:
        CDC* m_to;
        CDC* m_from;
        CPoint m_at;
        CRect m_bounds;
    };
    if (!m_bReady || !target)
        return FALSE;
    WindowSink sink(target, &m_dc, origin, CRect(0, 0, m_nWidth, m_nHeight));
    return Run(effect, m_nWidth, m_nHeight, stop, sink);
}
