// CSplashScreen: a borderless pop-up centred on the screen at the size of a
// picture file, shown while a program starts.
#pragma once

#include "mfc.h"

#include <memory>

class CImageObject;

class AFX_EXT_CLASS CSplashScreen : public CWnd {
public:
    CSplashScreen();
    explicit CSplashScreen(const char* file);
    ~CSplashScreen() override;

    // Free for a derived splash; the class itself does not read them.
    int m_nValue;
    int m_nFlag;

    void SetSplashImage(const char* file);
    void SetSplashImage(CImageObject*) {}
    // 1 with the window made; 0 without a picture, and then no window.
    virtual BOOL Create();

protected:
    std::unique_ptr<CImageObject> m_pImage;
    int m_nWidth;
    int m_nHeight;
    std::unique_ptr<char[]> m_pszFileName;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void FreeImage();
};
