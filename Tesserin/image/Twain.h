// TWAIN acquisition: a base class for the window that scans. It loads the
// source manager, lets the user pick a source, opens and enables it, filters
// the window's messages for the source's events and hands each natively
// transferred picture (a packed DIB in a global handle) to CopyImage.
#pragma once

#include "mfc.h"
#include "win32/twain.h"

class AFX_EXT_CLASS CTwain {
public:
    CTwain(HWND hWnd = NULL);
    virtual ~CTwain();

    virtual void GetIdentity();
    virtual BOOL SelectSource();
    virtual BOOL OpenSource(TW_IDENTITY* pSource = NULL);
    // 0 transfers the picture, 1 skips it, 2 cancels the rest.
    virtual int ShouldTransfer(TW_IMAGEINFO& info);

    BOOL InitTwain(HWND hWnd);
    void ReleaseTwain();
    BOOL SelectDefaultSource();
    BOOL Acquire(int numImages = 1);
    // TRUE when the source took the message: the window must not dispatch it.
    BOOL ProcessMessage(MSG msg);
    BOOL SetImageCount(TW_INT16 nCount = 1);

    BOOL SourceSelected() const { return m_bSourceSelected; }
    BOOL SourceEnabled() const { return m_bSourceEnabled; }
    BOOL ModalUI() const { return m_bModalUI; }
    TW_INT16 GetRC() const { return (TW_INT16)m_returnCode; }
    TW_STATUS GetStatus() const { return m_Status; }
    BOOL IsValidDriver() const { return m_hTwainDLL && m_pDSMProc; }
    BOOL DSMOpen() const { return IsValidDriver() && m_bDSMOpen; }
    BOOL DSOpen() const { return DSMOpen() && m_bSourceOpen; }

protected:
    virtual BOOL DisableSource();
    virtual BOOL CanClose();
    // The handle stays this class's: it is freed as soon as this returns.
    virtual void CopyImage(HANDLE hBitmap, TW_IMAGEINFO& info) = 0;

    TW_UINT16 CallDSMEntry(pTW_IDENTITY pApp, pTW_IDENTITY pSrc, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                           TW_MEMREF pData);
    BOOL CallTwainProc(pTW_IDENTITY pApp, pTW_IDENTITY pSrc, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                       TW_MEMREF pData);
    BOOL GetCapability(TW_CAPABILITY& twCap, TW_UINT16 cap, TW_UINT16 conType = TWON_DONTCARE16);
    BOOL GetCapability(TW_UINT16 cap, DWORD& value);
    BOOL SetCapability(TW_CAPABILITY& twCap);
    BOOL SetCapability(TW_UINT16 cap, TW_UINT16 value, BOOL sign = FALSE);
    BOOL EnableSource(BOOL showUI = TRUE);
    BOOL GetImageInfo(TW_IMAGEINFO& info);
    BOOL GetImage(TW_IMAGEINFO& info);
    BOOL EndTransfer();
    BOOL CancelTransfer();
    void TransferImage();
    void TranslateMessage(TW_EVENT& twEvent);
    void CloseDS();
    void CloseDSM();

    HMODULE m_hTwainDLL;
    DSMENTRYPROC m_pDSMProc;
    TW_IDENTITY m_AppId;
    TW_IDENTITY m_Source;
    TW_STATUS m_Status;
    TW_UINT16 m_returnCode;
    HWND m_hMessageWnd;
    BOOL m_bSourceSelected;
    BOOL m_bDSMOpen;
    BOOL m_bSourceOpen;
    BOOL m_bSourceEnabled;
    BOOL m_bModalUI;
    TW_INT16 m_nImageCount;

private:
    void FetchStatus(pTW_IDENTITY pSrc);
};
