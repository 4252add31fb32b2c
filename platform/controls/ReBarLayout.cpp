// Rebar layout: bands fill rows from the left; a row ends at a break or when
// the next band's minimum no longer fits; the last band of a row takes what
// is left, and bands give back width down to their minimum when space runs short.
#include "controls/ReBar.h"

#include <algorithm>

namespace mivo {

namespace {

bool HasGripper(const ReBarBand& band)
{
    if (band.style & RBBS_NOGRIPPER)
        return false;
    return (band.style & RBBS_GRIPPERALWAYS) || !(band.style & RBBS_FIXEDSIZE);
}

int MinWidth(const ReBarState& bar, HDC measure, const ReBarBand& band)
{
    return bar.HeaderWidth(measure, band) + band.cxMinChild + 2 * ReBarState::kChildMargin;
}

int BandHeight(const ReBarBand& band)
{
    int h = band.cyMinChild;
    if ((band.style & RBBS_VARIABLEHEIGHT) && band.cyChild > h)
        h = band.cyMaxChild > 0 ? std::min(band.cyChild, band.cyMaxChild) : band.cyChild;
    return std::max(h, 4) + 2 * ReBarState::kChildMargin;
}

}  // namespace

int ReBarState::HeaderWidth(HDC measure, const ReBarBand& band) const
{
    if (band.cxHeader >= 0)
        return band.cxHeader;
    int w = HasGripper(band) ? kGripperWidth : kChildMargin;
    int cx = 0, cy = 0;
    if (images && band.image >= 0 && ImageList_GetIconSize(images, &cx, &cy))
        w += cx + kImageGap;
    if (!band.text.empty() && !(band.style & RBBS_HIDETITLE))
        w += TextWidth(measure, band.text.c_str(), (int)band.text.size()) + 4;
    return w;
}

int ReBarState::Layout(HDC measure, DWORD style, int width)
{
    bool borders = (style & RBS_BANDBORDERS) != 0;
    int gap = borders ? kBandBorder : 0;
    // Rows: index ranges of the visible bands.
    std::vector<std::vector<size_t>> rows;
    int used = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
        ReBarBand& band = bands[i];
        if (band.Hidden())
            continue;
        int need = std::max(MinWidth(*this, measure, band), 1);
        bool newRow = rows.empty() || ((band.style & RBBS_BREAK) && !rows.back().empty()) ||
                      (!rows.back().empty() && used + gap + need > width);
        if (newRow) {
            rows.emplace_back();
            used = 0;
        } else {
            used += gap;
        }
        rows.back().push_back(i);
        used += need;
    }
    rowHeights.clear();
    int y = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        std::vector<size_t>& row = rows[r];
        int h = 0;
        for (size_t i : row)
            h = std::max(h, BandHeight(bands[i]));
        if (!(style & RBS_VARHEIGHT))
            for (auto& other : bands)
                if (!other.Hidden())
                    h = std::max(h, BandHeight(other));
        // Widths: wanted sizes, the last band stretching, shrinking from the right.
        std::vector<int> widths;
        int total = 0;
        for (size_t i : row) {
            int w = std::max(bands[i].cx, MinWidth(*this, measure, bands[i]));
            widths.push_back(w);
            total += w;
        }
        total += gap * (int)(row.size() - 1);
        if (total < width)
            widths.back() += width - total;
        for (size_t k = row.size(); k-- > 0 && total > width;) {
            int spare = widths[k] - MinWidth(*this, measure, bands[row[k]]);
            int take = std::min(spare, total - width);
            widths[k] -= take;
            total -= take;
        }
        int x = 0;
        for (size_t k = 0; k < row.size(); ++k) {
            ReBarBand& band = bands[row[k]];
            band.row = (int)r;
            band.rect = RECT{x, y, x + widths[k], y + h};
            int left = x + HeaderWidth(measure, band);
            int right = band.rect.right - kChildMargin;
            band.chevron = RECT{0, 0, 0, 0};
            if ((band.style & RBBS_USECHEVRON) && band.cxIdeal > right - left) {
                band.chevron = RECT{right - kChevronWidth, y + kChildMargin, right, y + h - kChildMargin};
                right -= kChevronWidth;
            }
            int ch = std::min(BandHeight(band) - 2 * kChildMargin, h - 2 * kChildMargin);
            int top = (band.style & RBBS_TOPALIGN) ? y + kChildMargin : y + (h - ch) / 2;
            band.childRect = RECT{left, top, std::max(left, right), top + ch};
            x += widths[k] + gap;
        }
        rowHeights.push_back(h);
        y += h + (r + 1 < rows.size() ? gap : 0);
    }
    return y;
}

int ReBarState::BarHeight(DWORD style) const
{
    int gap = (style & RBS_BANDBORDERS) ? kBandBorder : 0;
    int h = 0;
    for (size_t r = 0; r < rowHeights.size(); ++r)
        h += rowHeights[r] + (r ? gap : 0);
    return h;
}

}  // namespace mivo
