#include "backend/QtKeys.h"

#include <QImage>
#include <QPixmap>

#include "user/CursorObject.h"
#include "win32/gdi.h"
#include "win32/input.h"

namespace mivo {

UINT VirtualKeyOfQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return (UINT)key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (modifiers & Qt::KeypadModifier) ? (UINT)(VK_NUMPAD0 + (key - Qt::Key_0)) : (UINT)key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16)
        return (UINT)(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Hangul: return VK_HANGUL;
    case Qt::Key_Hangul_Hanja: return VK_HANJA;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal: case Qt::Key_Plus: return (modifiers & Qt::KeypadModifier) ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Comma: case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus: case Qt::Key_Underscore: return (modifiers & Qt::KeypadModifier) ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period: case Qt::Key_Greater: return (modifiers & Qt::KeypadModifier) ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: case Qt::Key_Question: return (modifiers & Qt::KeypadModifier) ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    }
    return 0;
}

namespace {

// Pixels of a bitmap as 32-bit top-down rows, or empty.
QImage ImageOfBitmap(HBITMAP bitmap, int width, int height)
{
    if (!bitmap || width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, (UINT)height, image.bits(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height ? image : QImage();
}

}  // namespace

QCursor CursorForNative(HCURSOR cursor, Qt::CursorShape (*stockShape)(int id))
{
    auto obj = FindCursorObject((HICON)cursor);
    if (!obj)
        return QCursor(Qt::ArrowCursor);
    if (obj->stockId)
        return QCursor(stockShape(obj->stockId));
    QImage color = ImageOfBitmap(obj->color, obj->width, obj->height);
    QImage mask = ImageOfBitmap(obj->mask, obj->width, obj->height);
    if (color.isNull())
        return QCursor(Qt::ArrowCursor);
    QImage argb(obj->width, obj->height, QImage::Format_ARGB32);
    for (int y = 0; y < obj->height; ++y)
        for (int x = 0; x < obj->width; ++x) {
            QRgb c = color.pixel(x, y);
            bool transparent = !mask.isNull() && (mask.pixel(x, y) & 0xFFFFFF) != 0;
            argb.setPixel(x, y, transparent ? 0 : (0xFF000000u | (c & 0xFFFFFF)));
        }
    return QCursor(QPixmap::fromImage(argb), obj->hotspot.x, obj->hotspot.y);
}

}  // namespace mivo
