#include "calendar/CalendarComposer.h"

#include "calendar/CalendarPainter.h"
#include "calendar/MonthLayout.h"
#include "image/ImageObject.h"

#include <cstdlib>
#include <memory>

namespace {

const int kResampleMode = 3;

bool Stopped(const volatile int* stop)
{
    return stop && *stop != 0;
}

// Middle part of a picture whose shape differs from the box's (w x h, one pixel short as the
// box corners are inclusive); the picture itself (null) when the shapes agree.
std::unique_ptr<CImageObject> CropToShape(CImageObject& picture, int w, int h)
{
    const long long W = picture.GetWidth(), H = picture.GetHeight();
    const long long a = W * 100 / H, b = (long long)w * 100 / h;
    if (b < a) {
        int left = (int)((W - H * w / h) / 2);
        return std::unique_ptr<CImageObject>(picture.CropToNewImgObj(left, 0, (int)W - left - 1, (int)H - 1));
    }
    if (b > a) {
        int top = (int)((H - W * h / w) / 2);
        return std::unique_ptr<CImageObject>(picture.CropToNewImgObj(0, top, (int)W - 1, (int)H - top - 1));
    }
    return nullptr;
}

}  // namespace

int CCalendarComposer::DigitHeight(const CalendarForm& form)
{
    return 2 * CCalendarPainter::CellHeight(form) / 5;
}

void CCalendarComposer::PlacePicture(CImageObject& page, CImageObject& picture, const CalendarForm& form,
                                     int transparency, BOOL stretch, BOOL crop)
{
    const int boxW = form[CAL_USER_WIDTH], boxH = form[CAL_USER_HEIGHT];
    if (boxW < 2 || boxH < 2 || picture.GetWidth() <= 0 || picture.GetHeight() <= 0)
        return;
    const int x0 = form[CAL_USER_X], y0 = form[CAL_USER_Y];
    const int x1 = x0 + boxW - 1, y1 = y0 + boxH - 1;
    const int w = x1 - x0, h = y1 - y0;
    const int opacity = 100 - transparency;
    const CRect box(x0, y0, x1, y1);

    if (stretch) {
        std::unique_ptr<CImageObject> placed(picture.Resample(boxW, boxH, kResampleMode));
        if (placed)
            page.ImageProjection(box, placed.get(), opacity, -1);
        return;
    }
    if (crop) {
        std::unique_ptr<CImageObject> cropped = CropToShape(picture, w, h);
        CImageObject* shaped = cropped ? cropped.get() : &picture;
        if (shaped->GetWidth() <= 0)
            return;
        std::unique_ptr<CImageObject> resampled;
        if (shaped->GetThumbRatio(box, nullptr, FALSE) != 1000)
            resampled.reset(shaped->Resample(boxW, boxH, kResampleMode));
        CImageObject* placed = resampled ? resampled.get() : shaped;
        page.ImageProjection(box, placed, opacity, -1);
        return;
    }
    const long long ratio = picture.GetThumbRatio(box, nullptr, FALSE);
    const int newW = (int)(picture.GetWidth() * ratio / 1000), newH = (int)(picture.GetHeight() * ratio / 1000);
    if (newW <= 0 || newH <= 0)
        return;
    std::unique_ptr<CImageObject> placed(picture.Resample(newW, newH, kResampleMode));
    if (!placed)
        return;
    const int left = x0 + (w - newW) / 2, top = y0 + (h - newH) / 2;
    page.ImageProjection(CRect(left, top, left + newW - 1, top + newH - 1), placed.get(), opacity, -1);
}

CImageObject* CCalendarComposer::Compose(CImageObject& back, CImageObject* picture, const CalendarComposeInput& in,
                                         CWnd* wnd, const volatile int* stop)
{
    std::unique_ptr<CImageObject> page(back.DuplicateImgObj());
    if (!page || Stopped(stop))
        return nullptr;
    const CalendarForm& form = in.form;
    if (picture && picture->IsLoaded())
        PlacePicture(*page, *picture, form, in.nTransparency, in.bStretch, in.bCrop);
    if (Stopped(stop))
        return nullptr;
    CCalendarPainter::DrawText(*page, in.strYear, form[CAL_YEAR_X], form[CAL_YEAR_Y], in.strYearFace, in.nYearSize,
                               (COLORREF)form[CAL_YEAR_COLOR], 100, wnd);
    CCalendarPainter::DrawText(*page, in.strMonth, form[CAL_MONTH_X], form[CAL_MONTH_Y], in.strMonthFace,
                               in.nMonthSize, (COLORREF)form[CAL_MONTH_COLOR], 100, wnd);
    CCalendarPainter::DrawText(*page, in.strDescText, form[CAL_DESC_X], form[CAL_DESC_Y], in.strDescFace,
                               in.nDescSize, (COLORREF)form[CAL_DESC_COLOR], 100, wnd);
    if (Stopped(stop))
        return nullptr;
    CMonthLayout layout;
    layout.Make((int)std::atol(in.strYear), (int)std::atol(in.strMonth));
    CCalendarPainter::DrawDayGrid(*page, form, layout, in.strDayFace, DigitHeight(form), wnd);
    if (Stopped(stop))
        return nullptr;
    return page.release();
}
