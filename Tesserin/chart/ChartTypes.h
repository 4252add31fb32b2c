// Names shared by the chart control's classes: axis selectors, chart kinds,
// window positions, the control style and the messages it exchanges.
#pragma once

#include "mfc.h"

enum AXIS : DWORD {
    AXIS_X = 0x10000000,
    AXIS_Y = 0x20000000,
    AXIS_CHART = 0x80000000,  // the chart-wide style word
};

enum CHART_TYPE {
    CHART_LINE = 1,
    CHART_BAR = 2,
    CHART_XY = 3,
    CHART_XY_LINE = 4,
    CHART_PIE = 5,
    CHART_ROTATED_PIE = 6,
    CHART_STRIP_LINE = 256,
    CHART_STRIP_AREA = 512,
    CHART_AREA = 513,
};

enum CHART_WINDOW_POSITION {
    CHART_TOP = 0,
    CHART_BOTTOM = 1,
    CHART_LEFT = 2,
    CHART_MIDDLE = 3,
    CHART_RIGHT = 4,
};

typedef DWORD STYLES;
typedef int DATA_TYPE;

// Chart style bits: the axes are drawn; the X axis counts seconds.
const DWORD CHART_STYLE_AXES = 0x1;
const DWORD CHART_STYLE_TIME_AXIS = 0x300;

// Axis style bits.
const DWORD AXIS_MAJOR_TICKS = 0x1;
const DWORD AXIS_MINOR_TICKS = 0x2;
const DWORD AXIS_TICKS_INSIDE = 0x4;
const DWORD AXIS_TICKS_OUTSIDE = 0x8;
const DWORD AXIS_LABELS = 0x10;
const DWORD AXIS_MAJOR_GRID = 0x20;
const DWORD AXIS_MINOR_GRID = 0x40;
const DWORD AXIS_NEAR_SIDE = 0x80;
const DWORD AXIS_AUTO_SCALE = 0x100;
const DWORD AXIS_ZERO_BASED = 0x200;
const DWORD AXIS_ZERO_LINE = 0x400;

// Control style bits.
const DWORD CHART_POPUPS = 0x100;
const DWORD CHART_POPUP_PLACEMENT = 0x11F;
const DWORD CHART_SUNKEN = 0x001;

// The double epsilon the chart's comparisons allow for.
const double CHART_EPSILON = 2.220446049250313e-16;

// Messages the chart exchanges with its parent.
#define WM_CHART_GET_POPUP_TEXT (WM_USER + 1010)
#define WM_CHART_POINT_DBLCLK (WM_USER + 1011)
#define WM_CHART_UPDATE (WM_USER + 2000)
