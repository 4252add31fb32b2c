// The framework's GDI classes.
#pragma once

#include "mfc/GdiObject.h"
#include "mfc/Pen.h"
#include "mfc/Brush.h"
#include "mfc/Font.h"
#include "mfc/Bitmap.h"
#include "mfc/Palette.h"
#include "mfc/Rgn.h"
#include "mfc/DC.h"
#include "mfc/PaintDC.h"
#include "mfc/ClientDC.h"
#include "mfc/WindowDC.h"
