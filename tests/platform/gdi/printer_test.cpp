// Printer DCs: device capabilities and pages recorded into PDF files.
#include "GdiTestUtil.h"
#include "mivo/paths.h"

#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace gditest;
using mivotest::TempFolder;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int CountPages(const std::string& pdf)
{
    int n = 0;
    for (const char* key : {"/Type /Page", "/Type/Page"}) {
        size_t len = std::strlen(key);
        for (size_t at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + len))
            if (at + len >= pdf.size() || pdf[at + len] != 's')
                ++n;
    }
    return n;
}

DEVMODE LowResolution(bool landscape = false)
{
    DEVMODE dm = {};
    dm.dmSize = sizeof(dm);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmFields = DM_PRINTQUALITY | DM_PAPERSIZE | DM_ORIENTATION;
    dm.dmPrintQuality = 72;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    return dm;
}

// A decoded PPM picture from pdftoppm.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    COLORREF At(int x, int y) const
    {
        const uint8_t* p = &rgb[((size_t)y * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

bool RenderPage(const std::string& pdf, int page, const std::string& prefix, Picture& out)
{
    std::string cmd = "pdftoppm -r 72 -f " + std::to_string(page) + " -l " + std::to_string(page) +
                      " -singlefile '" + pdf + "' '" + prefix + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        return false;
    std::string data = ReadFile(prefix + ".ppm");
    std::istringstream in(data);
    std::string magic;
    int maxval;
    in >> magic >> out.width >> out.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255)
        return false;
    size_t offset = (size_t)in.tellg();
    out.rgb.assign(data.begin() + (std::ptrdiff_t)offset, data.end());
    return out.rgb.size() >= (size_t)out.width * out.height * 3;
}

bool HavePdftoppm()
{
    return std::system("command -v pdftoppm >/dev/null 2>&1") == 0;
}

}  // namespace

TEST(GdiPrinter, DeviceCapabilities)
{
    HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 2480);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 3508);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 210);
    EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), 297);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 2480);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3508);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 0);
    EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHDIB, 0);
    // Printing in 0.1 mm: the page is 2100 x 2970 units.
    SetMapMode(dc, MM_LOMETRIC);
    POINT corner = {2100, -2970};
    LPtoDP(dc, &corner, 1);
    EXPECT_NEAR(corner.x, 2480, 1);
    EXPECT_NEAR(corner.y, 3508, 1);
    DeleteDC(dc);

    DEVMODE dm = LowResolution(true);
    dc = CreateDC("WINSPOOL", "Mivo PDF", nullptr, &dm);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 72);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 297);
    EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), 210);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    DeleteDC(dc);
}

// A custom width x length is the sheet; landscape puts its longer side across,
// whichever way round the two were given.
TEST(GdiPrinter, CustomSheetsTurnByOrientation)
{
    struct Case {
        short width, length, orientation;
        int horz, vert;
    } cases[] = {
        {2100, 2970, DMORIENT_PORTRAIT, 210, 297},  {2100, 2970, DMORIENT_LANDSCAPE, 297, 210},
        {2970, 2100, DMORIENT_LANDSCAPE, 297, 210}, {2970, 2100, DMORIENT_PORTRAIT, 297, 210},
        {1000, 1500, DMORIENT_LANDSCAPE, 150, 100}, {1500, 1500, DMORIENT_LANDSCAPE, 150, 150},
    };
    for (const Case& c : cases) {
        DEVMODE dm = LowResolution(c.orientation == DMORIENT_LANDSCAPE);
        dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        dm.dmPaperWidth = c.width;
        dm.dmPaperLength = c.length;
        HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, &dm);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(c.horz, GetDeviceCaps(dc, HORZSIZE)) << c.width << "x" << c.length << " " << c.orientation;
        EXPECT_EQ(c.vert, GetDeviceCaps(dc, VERTSIZE)) << c.width << "x" << c.length << " " << c.orientation;
        DeleteDC(dc);
    }
}

TEST(GdiPrinter, DocumentWithPagesBecomesAPdf)
{
    TempFolder tmp;
    std::string file = tmp.path() + "/out.pdf";
    DEVMODE dm = LowResolution();
    HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, &dm);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(StartPage(dc), SP_ERROR);  // no document yet

    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = "사진 인쇄";
    di.lpszOutput = file.c_str();
    ASSERT_GT(StartDoc(dc, &di), 0);
    EXPECT_EQ(StartDoc(dc, &di), SP_ERROR);

    LOGFONT lf = {};
    lf.lfHeight = -24;
    std::strcpy(lf.lfFaceName, "굴림");
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    // A 2 x 2 red picture for StretchDIBits.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    uint8_t red[16] = {0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};

    for (int page = 0; page < 3; ++page) {
        ASSERT_GT(StartPage(dc), 0);
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, 100, 100, 300, 200);
        RECT text = {100, 300, 500, 360};
        DrawText(dc, "한글 인쇄 시험", -1, &text, DT_LEFT | DT_SINGLELINE);
        StretchDIBits(dc, 400, 100, 100, 100, 0, 0, 2, 2, red, &bmi, DIB_RGB_COLORS, SRCCOPY);
        ASSERT_GT(EndPage(dc), 0);
    }
    EXPECT_EQ(EndPage(dc), SP_ERROR);  // no page open
    ASSERT_GT(EndDoc(dc), 0);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    DeleteDC(dc);

    std::string pdf = ReadFile(file);
    ASSERT_GT(pdf.size(), 100u);
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(CountPages(pdf), 3);
    EXPECT_EQ(tmp.names(), std::vector<std::string>{"out.pdf"});  // no temporary left

    if (!HavePdftoppm())
        GTEST_SKIP() << "pdftoppm is not installed; the PDF is not rendered back";
    Picture pic;
    ASSERT_TRUE(RenderPage(file, 2, tmp.path() + "/page", pic));
    EXPECT_NEAR(pic.width, 595, 1);
    EXPECT_NEAR(pic.height, 842, 1);
    EXPECT_TRUE(IsDark(pic.At(200, 150)));
    EXPECT_EQ(pic.At(50, 50), kWhite);
    COLORREF r = pic.At(450, 150);
    EXPECT_GT(GetRValue(r), 200);
    EXPECT_LT(GetGValue(r), 60);
    int ink = 0;
    for (int y = 300; y < 360; ++y)
        for (int x = 100; x < 500; ++x)
            if (IsDark(pic.At(x, y)))
                ++ink;
    EXPECT_GT(ink, 100);  // the Korean text is there
}

TEST(GdiPrinter, AbortedDocumentLeavesNoFile)
{
    TempFolder tmp;
    std::string file = tmp.path() + "/aborted.pdf";
    DEVMODE dm = LowResolution();
    HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, &dm);
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszOutput = file.c_str();
    ASSERT_GT(StartDoc(dc, &di), 0);
    StartPage(dc);
    Rectangle(dc, 0, 0, 10, 10);
    EndPage(dc);
    EXPECT_GT(AbortDoc(dc), 0);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_TRUE(tmp.names().empty());
    // A document without pages writes nothing either.
    ASSERT_GT(StartDoc(dc, &di), 0);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_TRUE(tmp.names().empty());
    DeleteDC(dc);
    EXPECT_EQ(StartDoc(nullptr, &di), SP_ERROR);
}

TEST(GdiPrinter, WindowsFormOutputPath)
{
    TempFolder tmp;
    std::string winPath = mivo::FromPosixPath(tmp.path()) + "\\인쇄.pdf";
    DEVMODE dm = LowResolution();
    HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, &dm);
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszOutput = winPath.c_str();
    ASSERT_GT(StartDoc(dc, &di), 0);
    StartPage(dc);
    EndPage(dc);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    EXPECT_EQ(tmp.names(), std::vector<std::string>{u8"인쇄.pdf"});
}

TEST(GdiPrinter, OutputFolderFromTheEnvironment)
{
    TempFolder tmp;
    setenv("MIVO_PRINT_OUTPUT", tmp.path().c_str(), 1);
    DEVMODE dm = LowResolution();
    HDC dc = CreateDC(nullptr, "Mivo PDF", nullptr, &dm);
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = "달력";
    ASSERT_GT(StartDoc(dc, &di), 0);
    StartPage(dc);
    EndPage(dc);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    unsetenv("MIVO_PRINT_OUTPUT");
    std::vector<std::string> files = tmp.names();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].find(u8"달력"), 0u);  // named after the document, UTF-8 on disk
    EXPECT_EQ(files[0].substr(files[0].size() - 4), ".pdf");
}
