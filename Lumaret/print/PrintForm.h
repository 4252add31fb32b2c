// PrintForm: one print form of the template database in memory (the sheet and
// its items), with the statements that read the forms.
#pragma once

#include "mfc.h"

#include <vector>

// One PrFormDetail row. Slot edges are 0.1 mm from the sheet's top-left corner.
struct PrintFormItem {
    CString strDrawType;
    UINT nNum[6] = {0, 0, 0, 0, 0, 0};
    CString strStr1;
    UINT nPrintFlag = 1;

    // Only "img" items hold pictures.
    bool IsSlot() const { return strDrawType == "img"; }
};

struct PrintForm {
    int nFormNo = -1;
    int nPaperWidth = 0;   // 0.1 mm
    int nPaperHeight = 0;  // 0.1 mm
    CString strSizeName;
    CString strPaperDir;
    int nNumOfPics = 1;
    int nPageCount = 0;
    std::vector<PrintFormItem> items;

    // Pictures per page; a stored count below 1 counts as 1.
    int PicturesPerPage() const { return nNumOfPics < 1 ? 1 : nNumOfPics; }
    bool IsLandscape() const { return strPaperDir == "가로"; }
    bool IsA4() const { return strSizeName == "A4"; }
    // Pictures divided by the pictures per page, rounded up.
    void CountPages(int pictures);
    void ResetPrintFlags();

    // The master row and the items (in the order the database returns them) of one form
    // of the template database. The number is kept even when the form is missing; then
    // the rest stays as it was and the result is 0.
    int Load(int formNo, int pictures);
};

// A number column read as text: leading digits only, anything else 0.
int PrintFormNumber(const char* text);
