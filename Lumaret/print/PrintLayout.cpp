#include "print/PrintLayout.h"

#include "print/PrintForm.h"

#include <climits>

namespace PrintLayout {

FitMode ModeOf(int crop, int stretch)
{
    if (crop)
        return CROP;
    return stretch ? STRETCH : FIT;
}

int PictureIndex(int page, int perPage, int counter, int pictures)
{
    if (pictures <= 0)
        return 0;
    long long k = (long long)page * perPage + counter;
    if (k >= pictures)
        k %= pictures;
    return (int)k;
}

CRect CentralCrop(UINT width, UINT height, int slotWidth, int slotHeight)
{
    if (width == 0 || height == 0 || slotWidth <= 0 || slotHeight <= 0)
        return CRect();
    UINT a = width * 100u / height;
    int s = slotWidth * 100 / slotHeight;
    if ((long long)s < (long long)a) {
        UINT kept = (UINT)((unsigned long long)height * (unsigned)slotWidth / (unsigned)slotHeight);
        UINT m = (width - kept) / 2;
        return CRect((int)m, 0, (int)(width - m - 1), (int)height - 1);
    }
    if ((long long)s > (long long)a) {
        UINT kept = (UINT)((unsigned long long)width * (unsigned)slotHeight / (unsigned)slotWidth);
        if (kept >= height)
            return CRect();
        UINT m = (height - kept) / 2;
        return CRect(0, (int)m, (int)width - 1, (int)(height - m - 1));
    }
    return CRect();
}

CRect PreviewSlot(const PrintFormItem& item)
{
    auto half = [](UINT v) { return (long long)(v / 2u); };
    long long l = half(item.nNum[0]), t = half(item.nNum[1]), r = half(item.nNum[2]), b = half(item.nNum[3]);
    // Edges beyond any sheet stay beyond it (INT_MAX), so the slot is skipped.
    auto clip = [](long long v) { return (int)(v > INT_MAX ? INT_MAX : v); };
    return CRect(clip(l), clip(t), clip(r), clip(b));
}

bool ItemOnSheet(const PrintFormItem& item, int sheetWidth, int sheetHeight)
{
    int l = (int)item.nNum[0], t = (int)item.nNum[1], r = (int)item.nNum[2], b = (int)item.nNum[3];
    return l >= 0 && t >= 0 && r > l && b > t && l < sheetWidth && t < sheetHeight;
}

CPoint CentredIn(const CRect& slot, int width, int height)
{
    return CPoint(slot.left + (slot.right - width - slot.left) / 2, slot.top + (slot.bottom - height - slot.top) / 2);
}

int CentringOffset(int printableMm, int sheet)
{
    return (printableMm * 10 - sheet) / 2;
}

}  // namespace PrintLayout
