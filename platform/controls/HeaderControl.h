// The "SysHeader32" control: items, their order, layout, hit tests, divider
// tracking, column drags and painting. The window procedure is in Header.cpp.
#pragma once

#include "controls/ControlsInternal.h"
#include "win32/commctrl.h"

#include <string>
#include <vector>

namespace mivo {

struct HeaderItem {
    std::string text;
    bool callbackText = false;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    HBITMAP bitmap = nullptr;
    LPARAM data = 0;
    int image = -1;
};

class HeaderControl {
public:
    static const int kDividerSlop = 4;  // pixels either side of a divider that grab it
    static const int kMaxItems = 4096;

    explicit HeaderControl(HWND hwnd) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    DWORD Style() const { return (DWORD)GetWindowLong(hwnd_, GWL_STYLE); }
    int Count() const { return (int)items_.size(); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    int Insert(int index, const HDITEMA& item);
    bool Delete(int index);
    bool Get(int index, HDITEMA& item) const;
    // Notifies ITEMCHANGING (which may refuse) and ITEMCHANGED around the change.
    bool Set(int index, const HDITEMA& item);
    bool Layout(HDLAYOUT* layout) const;
    int Height() const;
    int HitTest(HDHITTESTINFO& info) const;
    bool ItemRect(int index, RECT& rc) const;
    int OrderToIndex(int order) const;
    int IndexToOrder(int index) const;
    bool GetOrder(int count, int* out) const;
    bool SetOrder(int count, const int* order);
    // Moves an item to a position in the display order.
    void MoveToOrder(int index, int order);
    int SetHotDivider(bool byPoint, DWORD value);
    HIMAGELIST SetImageList(HIMAGELIST list);
    HIMAGELIST ImageList() const { return images_; }
    void SetFont(HFONT font) { font_ = font; }
    HFONT Font() const { return font_; }

    void Paint(HDC hdc);

    void MouseDown(POINT pt, bool doubleClick);
    void MouseMove(POINT pt);
    void MouseUp(POINT pt);
    void CancelMode();
    void RightClick();
    bool SetCursorForPoint(POINT pt);

private:
    LRESULT Notify(UINT code, int index, int button = 0, HDITEMA* item = nullptr);
    bool Commit(int index, const HDITEMA& item);
    int DividerAt(int x) const;
    int DropDividerAt(int x) const;
    void Redraw() { InvalidateRect(hwnd_, nullptr, TRUE); }
    void DrawItem(HDC hdc, int index, const RECT& rc, bool pressed);
    void EndTrack(bool commit);

    HWND hwnd_;
    std::vector<HeaderItem> items_;
    std::vector<int> order_;  // display position -> item index
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
    int hotDivider_ = -1;

    enum class Mode { Idle, Pressed, Tracking, Dragging };
    Mode mode_ = Mode::Idle;
    int active_ = -1;       // pressed, tracked or dragged item
    POINT pressPoint_ = {0, 0};
    int trackStartWidth_ = 0;
    int trackOffset_ = 0;   // pointer x minus the divider's x at the press
    bool pressedInside_ = false;
};

}  // namespace mivo
