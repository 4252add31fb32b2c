// COleDropTarget: a window's part in drag and drop. Registered windows (and
// the windows inside them) hear of drags passing over them.
#pragma once

#include "win32.h"
#include "mfc/CmdTarget.h"
#include "mfc/Point.h"

class CWnd;
class COleDataObject;

class AFX_EXT_CLASS COleDropTarget : public CCmdTarget {
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // Points are in the client coordinates of pWnd.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop run.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Views scroll when the point nears their edge; other windows do not.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // How close to a view's edge the drag scrolls it.
    static int nScrollInset;

protected:
    HWND m_hWnd = nullptr;
};
