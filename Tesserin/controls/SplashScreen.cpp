#include "controls/SplashScreen.h"

#include "image/ImageObject.h"

#include <cstring>
#include <new>

BEGIN_MESSAGE_MAP(CSplashScreen, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSplashScreen::CSplashScreen()
    : m_nValue(1500), m_nFlag(1), m_nWidth(0), m_nHeight(0)
{
}

CSplashScreen::CSplashScreen(const char* file) : CSplashScreen()
{
    SetSplashImage(file);
}

CSplashScreen::~CSplashScreen() = default;

void CSplashScreen::FreeImage()
{
    m_pImage.reset();
}

void CSplashScreen::SetSplashImage(const char* file)
{
    m_pszFileName.reset();
    FreeImage();
    if (!file)
        return;
    m_pszFileName.reset(new (std::nothrow) char[std::strlen(file) + 1]);
    if (m_pszFileName)
        std::strcpy(m_pszFileName.get(), file);
    m_pImage.reset(new (std::nothrow) CImageObject);
    // A picture that does not load is no picture: Create then refuses.
    if (m_pImage && !m_pImage->LoadImageFromFile(file))
        FreeImage();
}

BOOL CSplashScreen::Create()
{
    if (!m_pImage)
        return 0;
    m_nWidth = m_pImage->GetWidth();
    m_nHeight = m_pImage->GetHeight();
    WNDCLASS wc = {};
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "AfxWnd";
    AfxRegisterClass(&wc);  // the framework may hold the name already
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - m_nWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - m_nHeight) / 2;
    CreateEx(WS_EX_TOOLWINDOW, "AfxWnd", "", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, m_nWidth, m_nHeight,
             nullptr, nullptr);
    return 1;
}

void CSplashScreen::OnPaint()
{
    CPaintDC dc(this);
    if (m_pImage)
        m_pImage->DrawStretch(&dc);
}
