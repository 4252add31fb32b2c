// Area interface: what an HICON or HCURSOR stands for.
#pragma once

#include "win32/types.h"

#include <memory>

namespace mivo {

struct CursorObject {
    int stockId = 0;  // system cursor or icon id, 0 for made or loaded ones
    bool icon = true;
    bool shared = false;  // LR_SHARED and stock objects are never destroyed
    int width = 0;
    int height = 0;
    POINT hotspot = {0, 0};
    HBITMAP color = nullptr;  // owned
    HBITMAP mask = nullptr;   // owned
    bool alpha = false;       // colour carries premultiplied alpha
};

std::shared_ptr<CursorObject> FindCursorObject(HICON h);
HICON AddCursorObject(const std::shared_ptr<CursorObject>& obj);
void ReleaseCursorBitmaps(CursorObject& obj);
std::shared_ptr<CursorObject> CopyCursorObject(const CursorObject& src);
// Draws the picture of a system cursor or icon the first time it is needed.
void EnsureStockImageOf(CursorObject& obj);
HCURSOR StockCursor(int id);
HICON StockIcon(int id);
HCURSOR CursorForHitTest(LRESULT hit);
// Shows a cursor on the native window under the mouse.
void ShowCursorOnNativeWindow(HCURSOR cursor);

}  // namespace mivo
