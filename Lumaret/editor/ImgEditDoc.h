// The image editor's document: it only carries the title and the path;
// the picture belongs to the view.
#pragma once

#include "mfc.h"

class CImgEditDoc : public CDocument {
    DECLARE_DYNCREATE(CImgEditDoc)
public:
    CImgEditDoc();
    ~CImgEditDoc() override;

    BOOL OnNewDocument() override;
};
