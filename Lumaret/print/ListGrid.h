// The look the program's list grids share: the colour table, the columns with the
// layout kept in the profile under the application key, the style bits, the row images
// and the face colour with lines a little darker.
#pragma once

#include "mfc.h"

class CVXGridCtrl;

struct ListGridColumn {
    const char* title;
    int width;
    UINT mask;  // 0x4000 a text title; | 2 centred
};

namespace ListGrid {

void Setup(CVXGridCtrl& grid, const ListGridColumn* columns, int count, const char* entry, DWORD style,
           CImageList* images);
// Writes the column layout under the application key.
void SaveLayout(CVXGridCtrl& grid, const char* entry);

}  // namespace ListGrid
