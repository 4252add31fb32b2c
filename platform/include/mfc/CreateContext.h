// CCreateContext: what a frame needs to make its view for a document.
#pragma once

#include "win32.h"

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
