// Drag images (ImageList_BeginDrag and friends).
#include "controls/DragImage.h"
#include "controls/ImageList.h"
#include "win32/paint.h"

#include <vector>

namespace mivo {

namespace {

const char kDragImageClass[] = "MivoDragImage";

LRESULT CALLBACK DragImageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = wParam ? (HDC)wParam : BeginPaint(hwnd, &ps);
        POINT pt, hot;
        HIMAGELIST image = ImageList_GetDragImage(&pt, &hot);
        if (image && hdc)
            ImageList_Draw(image, 0, hdc, 0, 0, ILD_NORMAL);
        if (!wParam)
            EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterDragImageClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS;
    wc.lpfnWndProc = DragImageProc;
    wc.lpszClassName = kDragImageClass;
    done = RegisterClassEx(&wc) != 0;
}

// The opaque pixels of the image as a region, so the drag shows its shape.
HRGN ShapeOf(const ImageList& list)
{
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < list.Height(); ++y) {
        int x = 0;
        while (x < list.Width()) {
            while (x < list.Width() && list.Clear(0, x, y))
                ++x;
            int start = x;
            while (x < list.Width() && !list.Clear(0, x, y))
                ++x;
            if (x > start) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(shape, shape, run, RGN_OR);
                DeleteObject(run);
            }
        }
    }
    return shape;
}

}  // namespace

DragImage& DragImage::Instance()
{
    static DragImage* drag = new DragImage;
    return *drag;
}

bool DragImage::Begin(HIMAGELIST source, int index, int dxHotspot, int dyHotspot)
{
    ImageList* src = ImageList::From(source);
    if (!src || index < 0 || index >= src->Count())
        return false;
    End();
    image_ = ImageList::Create(src->Width(), src->Height(), src->Flags() | ILC_MASK, 1, 0);
    ImageList* copy = ImageList::From(image_);
    if (!copy)
        return false;
    copy->SetCount(1);
    copy->CopyImage(0, *src, index, false);
    hotspot_ = {dxHotspot, dyHotspot};
    return true;
}

void DragImage::End()
{
    DropWindow();
    if (image_)
        ImageList::Destroy(image_);
    image_ = nullptr;
    lock_ = nullptr;
    entered_ = shown_ = false;
}

bool DragImage::Enter(HWND lock, int x, int y)
{
    if (!image_)
        return false;
    lock_ = lock;
    entered_ = true;
    position_ = {x, y};
    return Show(true);
}

bool DragImage::Leave(HWND lock)
{
    if (!entered_ || lock != lock_)
        return false;
    Show(false);
    entered_ = false;
    lock_ = nullptr;
    return true;
}

bool DragImage::Move(int x, int y)
{
    if (!image_)
        return false;
    position_ = {x, y};
    if (shown_)
        Place();
    return true;
}

bool DragImage::Show(bool show)
{
    if (!image_)
        return false;
    shown_ = show && entered_;
    if (shown_) {
        MakeWindow();
        Place();
    } else if (window_) {
        ShowWindow(window_, SW_HIDE);
    }
    return true;
}

HIMAGELIST DragImage::Image(POINT* position, POINT* hotspot) const
{
    if (position)
        *position = position_;
    if (hotspot)
        *hotspot = hotspot_;
    return image_;
}

void DragImage::Place()
{
    if (!window_)
        return;
    POINT origin = {0, 0};
    RECT rc;
    if (lock_ && GetWindowRect(lock_, &rc))
        origin = {rc.left, rc.top};
    ImageList* list = ImageList::From(image_);
    SetWindowPos(window_, HWND_TOPMOST, origin.x + position_.x - hotspot_.x, origin.y + position_.y - hotspot_.y,
                 list ? list->Width() : 0, list ? list->Height() : 0, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
}

void DragImage::MakeWindow()
{
    if (window_ && IsWindow(window_))
        return;
    RegisterDragImageClass();
    ImageList* list = ImageList::From(image_);
    if (!list)
        return;
    window_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, kDragImageClass,
                             "", WS_POPUP, 0, 0, list->Width(), list->Height(), nullptr, nullptr, nullptr, nullptr);
    if (window_ && list->Masked())
        SetWindowRgn(window_, ShapeOf(*list), FALSE);
}

void DragImage::DropWindow()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace mivo
