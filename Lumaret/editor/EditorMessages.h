// Messages, operation codes and tool modes of the image editor.
#pragma once

#include "image/ImageMessages.h"

// Sent by the operation worker when it is done (wParam, lParam 0); the
// worker waits until the view has handled it.
#define WM_EDIT_OPERATION_DONE (WM_USER + 0x4B7)
// Sent by the loader once decoding has ended (wParam 1 loaded, 0 failed).
#define WM_EDIT_LOADER_FINISHED (WM_USER + 0x4B8)

// What the operation worker runs (the view's m_nOperation).
enum ImageOperationCode {
    IOC_NONE = -1,
    IOC_RESIZE = 11,
    IOC_CANVAS = 12,
    IOC_EDGE_ENHANCE = 16,
    IOC_HIGHPASS = 17,
    IOC_MEDIAN = 18,
    IOC_LOWPASS = 19,
    IOC_BLUR = 21,
    IOC_GAUSSIAN3 = 22,
    IOC_GAUSSIAN5 = 23,
    IOC_SOFTEN = 24,
    IOC_SHARPEN = 25,
    IOC_OUTLINE = 26,
    IOC_EMBOSS = 27,
    IOC_THRESHOLD = 28,
    IOC_COLOR_BALANCE = 31,
    IOC_GRAY = 32,
    IOC_NEGATIVE = 33,
    IOC_ROTATE = 41,
    IOC_ROTATE_ANGLE = 42,
    IOC_FLIP_VERT = 43,
    IOC_MIRROR = 44,
    IOC_MASK = 61,
    IOC_MARGIN_SHADOW = 62,
    IOC_FRAME = 63,
};

// The editor's tools (the view's m_nEditTool, written by the edit-tools pane).
enum EditToolMode {
    ETM_BRUSH = 1,
    ETM_SELECT = 2,
    ETM_PICKER = 3,
    ETM_PEN = 4,
    ETM_SPRAY = 5,
    ETM_ZOOM = 6,
    ETM_PAN = 7,
    ETM_TEXT = 8,
};
