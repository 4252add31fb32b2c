// The one drag image of the process: a copy of an image list image shown in a
// top-most, click-through pop-up that follows the pointer.
#pragma once

#include "win32/commctrl.h"

namespace mivo {

class DragImage {
public:
    static DragImage& Instance();

    bool Begin(HIMAGELIST source, int index, int dxHotspot, int dyHotspot);
    void End();
    // Positions are relative to the lock window's upper-left corner, the screen without one.
    bool Enter(HWND lock, int x, int y);
    bool Leave(HWND lock);
    bool Move(int x, int y);
    bool Show(bool show);
    HIMAGELIST Image(POINT* position, POINT* hotspot) const;

private:
    DragImage() = default;
    void Place();
    void MakeWindow();
    void DropWindow();

    HIMAGELIST image_ = nullptr;
    POINT hotspot_ = {0, 0};
    HWND lock_ = nullptr;
    POINT position_ = {0, 0};
    bool entered_ = false;
    bool shown_ = false;
    HWND window_ = nullptr;
};

}  // namespace mivo
