// PrintLayout: the arithmetic of placing pictures on a print form, shared by the
// page preview and the print job. Integer arithmetic that truncates; ratios in
// thousandths.
#pragma once

#include "mfc.h"

struct PrintFormItem;

namespace PrintLayout {

enum FitMode { FIT = 0, CROP = 1, STRETCH = 2 };

// Crop wins over stretch; with both off pictures are fitted whole.
FitMode ModeOf(int crop, int stretch);

// The picture for slot `counter` of `page`: the last page fills up from the first pictures.
int PictureIndex(int page, int perPage, int counter, int pictures);

// The part of a W x H picture with the slot's proportions, centred, as an inclusive
// rectangle (rows from the top). Empty when nothing is cut, or when a size is not positive.
CRect CentralCrop(UINT width, UINT height, int slotWidth, int slotHeight);

// A slot of the preview page (0.2 mm per pixel): the item's edges halved as unsigned numbers.
CRect PreviewSlot(const PrintFormItem& item);
// Whether an item's slot has a positive size and starts on the sheet (0.1 mm). Negative
// edges, which the unsigned halving would make huge, fail.
bool ItemOnSheet(const PrintFormItem& item, int sheetWidth, int sheetHeight);

// Top-left corner of a picture of w x h fitted centred in the slot.
CPoint CentredIn(const CRect& slot, int width, int height);

// Shift that centres a sheet (0.1 mm) on a printable extent given in millimetres.
int CentringOffset(int printableMm, int sheet);

}  // namespace PrintLayout
