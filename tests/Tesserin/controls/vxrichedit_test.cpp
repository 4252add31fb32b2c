// The rich text field: its toggles, bullets, face, size and colour commands,
// loading a file and printing whole inches of the page.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/VXRichEditCtrl.h"
#include "support/DialogDriver.h"
#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"
#include "mivo/testing/printdlg.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using controlstest::ControlHost;
using mivotest::TempFolder;

namespace {

const int kId = 420;

// Records the ranges it is asked to print; with `stuck` every page takes nothing.
class RecordingRichEdit : public CVXRichEditCtrl {
public:
    bool stuck = false;
    std::vector<FORMATRANGE> ranges;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == EM_FORMATRANGE && lParam) {
            ranges.push_back(*(const FORMATRANGE*)lParam);
            if (stuck)
                // Give up after a few pages so that a print loop that never ends fails instead of hanging.
                return ranges.size() < 5 ? ranges.back().chrg.cpMin : GetTextLength();
        }
        return CVXRichEditCtrl::WindowProc(message, wParam, lParam);
    }
};

struct Field {
    ControlHost host{400, 200};
    RecordingRichEdit edit;

    Field()
    {
        edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 380, 180), host.wnd(), kId);
        mivo::test::PumpUntilIdle();
    }

    CHARFORMAT FormatOf(long from, long to)
    {
        edit.SetSel(from, to);
        CHARFORMAT cf = {};
        edit.GetSelectionCharFormat(cf);
        return cf;
    }
};

// Answers the print dialog for as long as it lives.
struct PrintAnswer {
    explicit PrintAnswer(mivo::PrintDialogAnswer answer)
    {
        mivo::SetPrintDialogHook([answer](const PRINTDLGA&, mivo::PrintDialogAnswer& out) { out = answer; });
    }
    ~PrintAnswer() { mivo::SetPrintDialogHook(nullptr); }
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(VXRichEditCtrl, ItalicTogglesWhateverTheSelectionWas)
{
    Field f;
    f.edit.SetWindowText("가나다라");
    // The second selection starts italic: the toggle, not the text, decides.
    f.edit.SetSel(4, 8);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_ITALIC;
    cf.dwEffects = CFE_ITALIC;
    f.edit.SetSelectionCharFormat(cf);

    f.edit.SetSel(0, 4);
    f.edit.SetSelectionItalic();
    f.edit.SetSel(4, 8);
    f.edit.SetSelectionItalic();
    EXPECT_EQ((DWORD)CFE_ITALIC, f.FormatOf(0, 4).dwEffects & CFE_ITALIC);
    EXPECT_EQ(0u, f.FormatOf(4, 8).dwEffects & CFE_ITALIC);
    f.edit.SetSel(0, 4);
    EXPECT_TRUE(f.edit.SelectionIsItalic());
    f.edit.SetSel(4, 8);
    EXPECT_FALSE(f.edit.SelectionIsItalic());
}

TEST(VXRichEditCtrl, UnderlineTogglesAndBoldReadsTheSelection)
{
    Field f;
    f.edit.SetWindowText("abcd");
    f.edit.SetSel(0, 2);
    f.edit.SetSelectionUnderline();
    EXPECT_TRUE(f.edit.SelectionIsUnderlined());
    f.edit.SetSelectionUnderline();
    EXPECT_FALSE(f.edit.SelectionIsUnderlined());

    f.edit.SetSelectionBold();
    EXPECT_TRUE(f.edit.SelectionIsBold());
    f.edit.SetSelectionBold();
    EXPECT_FALSE(f.edit.SelectionIsBold());
    EXPECT_FALSE(f.FormatOf(2, 4).dwEffects & CFE_BOLD) << "outside the selection nothing changed";
}

TEST(VXRichEditCtrl, BulletTwiceAddsAndRemovesIt)
{
    Field f;
    f.edit.SetWindowText("첫째\r둘째");
    f.edit.SetSel(1, 1);
    f.edit.SetParagraphBulleted();
    EXPECT_TRUE(f.edit.ParagraphIsBulleted());
    PARAFORMAT pf = {};
    f.edit.GetParaFormat(pf);
    EXPECT_EQ(4, pf.dxOffset);
    f.edit.SetSel(6, 6);
    EXPECT_FALSE(f.edit.ParagraphIsBulleted()) << "only the first paragraph";

    f.edit.SetSel(1, 1);
    f.edit.SetParagraphBulleted();
    EXPECT_FALSE(f.edit.ParagraphIsBulleted());
    f.edit.GetParaFormat(pf);
    EXPECT_EQ(0, pf.dxOffset);
    EXPECT_EQ(0, pf.dxStartIndent);
}

TEST(VXRichEditCtrl, AlignmentCommandsAndTheirQuestions)
{
    Field f;
    f.edit.SetWindowText("x");
    struct Case {
        void (CVXRichEditCtrl::*set)();
        bool left, right, centred;
    } cases[] = {
        {&CVXRichEditCtrl::SetParagraphRight, false, true, false},
        {&CVXRichEditCtrl::SetParagraphCenter, false, false, true},
        {&CVXRichEditCtrl::SetParagraphLeft, true, false, false},
    };
    for (const Case& c : cases) {
        (f.edit.*c.set)();
        EXPECT_EQ(c.left, (bool)f.edit.ParagraphIsLeft());
        EXPECT_EQ(c.right, (bool)f.edit.ParagraphIsRight());
        EXPECT_EQ(c.centred, (bool)f.edit.ParagraphIsCentered());
    }
}

TEST(VXRichEditCtrl, FaceSizeAndColour)
{
    Field f;
    f.edit.SetWindowText("abc");
    f.edit.SetSel(0, 3);
    f.edit.SetFontName("An extremely long face name that goes on");
    f.edit.SetFontSize(120);  // tenths of a point, doubled into twips
    f.edit.SetColor(RGB(0, 128, 0));
    CHARFORMAT cf = f.FormatOf(0, 3);
    EXPECT_STREQ("An extremely long face name tha", cf.szFaceName);
    EXPECT_EQ(240, cf.yHeight);
    EXPECT_EQ(0u, cf.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(RGB(0, 128, 0), cf.crTextColor);
}

TEST(VXRichEditCtrl, ColourDialogGivesTheColourOrKeepsThePreviousOne)
{
    struct Case {
        bool ok;
        COLORREF expected;
    } cases[] = {{false, RGB(10, 20, 30)}, {true, RGB(255, 20, 30)}};
    for (const Case& c : cases) {
        mivo::test::ModalScript script;
        CWnd owner;
        owner.Attach(script.Owner());
        {
            CVXRichEditCtrl edit;
            edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 200, 100), &owner, kId);
            edit.SetWindowText("abc");
            edit.SetSel(0, 3);
            edit.SetColor(RGB(10, 20, 30));
            script.Then([&c](HWND d) {
                SetDlgItemInt(d, 0x2C2, 255, FALSE);  // red
                SendMessage(d, WM_COMMAND, c.ok ? IDOK : IDCANCEL, 0);
            });
            edit.SetColour();
            CHARFORMAT cf = {};
            edit.GetSelectionCharFormat(cf);
            EXPECT_EQ(c.expected, cf.crTextColor) << c.ok;
        }
        owner.Detach();
    }
}

TEST(VXRichEditCtrl, LoadsRichTextFromAFile)
{
    Field f;
    TempFolder temp;
    std::string path = temp.file("note.rtf");
    std::ofstream(path, std::ios::binary) << "{\\rtf1\\ansi\\ansicpg949 \\b \\'b1\\'bd\\b0 \\'b0\\'d4}";
    CFile file;
    ASSERT_TRUE(file.Open(CString(temp.windowsPath().c_str()) + "note.rtf", CFile::modeRead));
    f.edit.SetRtf(&file);
    file.Close();
    CString text;
    f.edit.GetWindowText(text);
    EXPECT_STREQ("굵게", (LPCSTR)text);
    EXPECT_TRUE(f.FormatOf(0, 2).dwEffects & CFE_BOLD);
    EXPECT_FALSE(f.FormatOf(2, 4).dwEffects & CFE_BOLD);
}

TEST(VXRichEditCtrl, PrintsWholeInchesOfTheLetterPage)
{
    Field f;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "인쇄할 줄 " + std::to_string(i) + "\r";
    f.edit.SetWindowText(text.c_str());
    TempFolder temp;
    mivo::PrintDialogAnswer answer;
    answer.paperSize = DMPAPER_LETTER;  // 8.5 by 11 inches
    answer.printQuality = DMRES_DRAFT;   // fewer dots: a quicker test
    answer.outputFile = temp.windowsPath() + "out.pdf";
    PrintAnswer hook(answer);

    f.edit.Print(TRUE);
    ASSERT_GE(f.edit.ranges.size(), 2u) << "100 lines take more than one page";
    EXPECT_EQ(CRect(0, 0, 8 * 1440, 11 * 1440), CRect(f.edit.ranges[0].rc));
    EXPECT_EQ(CRect(f.edit.ranges[0].rc), CRect(f.edit.ranges[0].rcPage));
    EXPECT_EQ(0, f.edit.ranges[0].chrg.cpMin);
    EXPECT_EQ(-1, f.edit.ranges[0].chrg.cpMax);
    for (size_t i = 1; i < f.edit.ranges.size(); ++i)
        EXPECT_GT(f.edit.ranges[i].chrg.cpMin, f.edit.ranges[i - 1].chrg.cpMin) << "each page goes on";
    std::string pdf = ReadAll(temp.file("out.pdf"));
    ASSERT_FALSE(pdf.empty());
    EXPECT_TRUE(pdf.find("MyRtf") != std::string::npos ||
                pdf.find(std::string("\0M\0y\0R\0t\0f", 10)) != std::string::npos)
        << "the document's name";
}

TEST(VXRichEditCtrl, PrintEndsWhenAPageTakesNothing)
{
    Field f;
    f.edit.SetWindowText("긴 줄");
    f.edit.stuck = true;
    TempFolder temp;
    mivo::PrintDialogAnswer answer;
    answer.outputFile = temp.windowsPath() + "stuck.pdf";
    answer.printQuality = DMRES_DRAFT;
    PrintAnswer hook(answer);
    f.edit.Print(TRUE);
    EXPECT_EQ(1u, f.edit.ranges.size()) << "a page that does not advance ends the printing";
}

TEST(VXRichEditCtrl, CancelledPrintDialogPrintsNothing)
{
    Field f;
    f.edit.SetWindowText("x");
    mivo::PrintDialogAnswer answer;
    answer.ok = false;
    PrintAnswer hook(answer);
    f.edit.Print(TRUE);
    EXPECT_TRUE(f.edit.ranges.empty());
}
