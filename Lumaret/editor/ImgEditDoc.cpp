#include "editor/ImgEditDoc.h"

IMPLEMENT_DYNCREATE(CImgEditDoc, CDocument)

CImgEditDoc::CImgEditDoc() = default;

CImgEditDoc::~CImgEditDoc() = default;

BOOL CImgEditDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
