// CToolPaletteBar: a tool bar for floating palettes, its buttons laid out in
// a fixed number of columns. Create it CBRS_SIZE_FIXED so that docking keeps
// the rows.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CToolPaletteBar : public CToolBar {
    DECLARE_DYNAMIC(CToolPaletteBar)
public:
    CToolPaletteBar();

    // Wraps after every `columns`-th button and has the frame lay the bar out
    // again; 0 is refused and changes nothing.
    void SetColumns(UINT columns);
    UINT GetColumns() const { return m_nColumns; }

protected:
    UINT m_nColumns;
};
