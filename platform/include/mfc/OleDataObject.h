// COleDataObject: the receiving side of a data transfer, reading the blocks of
// a drag source in this process or of the clipboard.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"

class COleDataSource;

class AFX_EXT_CLASS COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Reads what a source of this process offers; the source must outlive the attachment.
    void Attach(COleDataSource* pSource);
    BOOL AttachClipboard();
    void Release();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A copy of the block, which the caller frees; NULL when the format is not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    COleDataSource* m_pSource = nullptr;
    BOOL m_bClipboard = FALSE;
};
