// Qt key codes as Windows virtual keys, and cursors for native windows.
#pragma once

#include <QCursor>

#include "win32/types.h"

namespace mivo {

// The virtual-key code of a Qt key; 0 when it has none.
UINT VirtualKeyOfQtKey(int key, Qt::KeyboardModifiers modifiers);

// The native cursor for one of ours: stock cursors by shape, made ones from their bitmaps.
QCursor CursorForNative(HCURSOR cursor, Qt::CursorShape (*stockShape)(int id));

}  // namespace mivo
