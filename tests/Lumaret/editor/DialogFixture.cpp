#include "DialogFixture.h"

#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace editortest {

void DialogTest::SetUp()
{
    m_app = dynamic_cast<CVXApp*>(AfxGetApp());
    ASSERT_NE(nullptr, m_app);
    m_savedDataDir = m_app->m_strDataDir;
    m_savedRunDir = m_app->m_strRunDir;
    m_savedDSN = m_app->m_strTmplDSN;
    m_savedUID = m_app->m_strTmplUID;
    m_savedPWD = m_app->m_strTmplPWD;
    m_app->m_strDataDir = m_data.windowsPath().c_str();
    ::mkdir(m_data.file("Temp").c_str(), 0700);
}

void DialogTest::TearDown()
{
    mivo::test::PumpUntilIdle();
    if (!m_app)
        return;
    m_app->m_strDataDir = m_savedDataDir;
    m_app->m_strRunDir = m_savedRunDir;
    m_app->m_strTmplDSN = m_savedDSN;
    m_app->m_strTmplUID = m_savedUID;
    m_app->m_strTmplPWD = m_savedPWD;
}

INT_PTR DialogTest::Run(CDialog& dialog, const std::vector<Step>& steps)
{
    mivo::test::ModalScript script;
    for (const Step& step : steps)
        script.Then(step);
    CWnd owner;
    owner.Attach(script.Owner());
    AfxGetApp()->m_pMainWnd = &owner;
    INT_PTR result = dialog.DoModal();
    AfxGetApp()->m_pMainWnd = nullptr;
    owner.Detach();
    mivo::test::PumpUntilIdle();
    return result;
}

void DialogTest::Press(HWND dialog, int id)
{
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

std::string DialogTest::Text(HWND dialog, int id)
{
    char text[256] = "";
    ::GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

COLORREF DialogTest::ShownPixel(HWND dialog, int x, int y)
{
    ::UpdateWindow(dialog);
    HDC dc = ::GetDC(dialog);
    COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(dialog, dc);
    return colour;
}

CImageObject* MakeSolid(int width, int height, COLORREF colour)
{
    CImageObject maker;
    return maker.MakeBlankImageObject(colour, width, height);
}

std::string PictureBytes(const mivotest::TempFolder& folder, const std::string& name, CImageObject* picture)
{
    std::unique_ptr<CImageObject> owned(picture);
    if (!picture || !picture->Save((folder.windowsPath() + name).c_str()))
        return std::string();
    std::ifstream in(folder.file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string BlobLiteral(const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "x'";
    for (unsigned char c : bytes) {
        text += kHex[c >> 4];
        text += kHex[c & 15];
    }
    return text + "'";
}

}  // namespace editortest
