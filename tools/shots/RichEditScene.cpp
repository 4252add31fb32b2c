// Shows the rich text field to be checked by eye: a centred blue bold title,
// a paragraph with bold, italic, underlined and red words, two bulleted
// paragraphs, a right-aligned line and Korean typed at the caret.
#include "ShotSupport.h"

#include "controls/VXRichEditCtrl.h"

#include <cstring>
#include <string>

namespace {

const int kRich = 100;

struct Piece {
    const char* text;
    void (*format)(CVXRichEditCtrl&);
};

void Plain(CVXRichEditCtrl&) {}
void Bold(CVXRichEditCtrl& e) { e.SetSelectionBold(); }
void Italic(CVXRichEditCtrl& e) { e.SetSelectionItalic(); }
void Underline(CVXRichEditCtrl& e) { e.SetSelectionUnderline(); }
void Red(CVXRichEditCtrl& e) { e.SetColor(RGB(200, 30, 30)); }
void Title(CVXRichEditCtrl& e)
{
    e.SetSelectionBold();
    e.SetFontSize(180);  // tenths of a point: 18 points
    e.SetColor(RGB(30, 70, 160));
}

// Appends the pieces as they come, each plain at first (typing would carry on
// the format before it), then formatted by its command over its own text.
void Write(CVXRichEditCtrl& e, const Piece* pieces, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        long at = e.GetTextLength();
        e.SetSel(at, at);
        e.ReplaceSel(pieces[i].text);
        e.SetSel(at, e.GetTextLength());
        CHARFORMAT plain = {};
        plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_SIZE;
        plain.dwEffects = CFE_AUTOCOLOR;
        plain.yHeight = 220;
        e.SetSelectionCharFormat(plain);
        pieces[i].format(e);
    }
}

void TypeAtEnd(HWND edit, const std::string& cp949)
{
    for (unsigned char c : cp949)
        SendMessage(edit, WM_CHAR, c, 1);
}

void ShowScene()
{
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                   "서식 있는 글 상자", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 440, 300, nullptr, nullptr);
    CVXRichEditCtrl edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | WS_VSCROLL, CRect(8, 8, 416, 256), &frame, kRich);
    edit.SendMessage(WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_FACE | CFM_SIZE;
    cf.yHeight = 220;
    std::strcpy(cf.szFaceName, "굴림");
    edit.SetDefaultCharFormat(cf);

    const Piece pieces[] = {
        {"사진 설명서", Title},
        {"\r이 사진은 ", Plain},
        {"굵은 글자", Bold},
        {", ", Plain},
        {"기울인 글자", Italic},
        {", ", Plain},
        {"밑줄 친 글자", Underline},
        {"와 ", Plain},
        {"빨간 글자", Red},
        {"를 함께 보여 줍니다. 긴 문장은 상자의 폭에서 다음 줄로 넘어갑니다.\r첫째: 바다 풍경\r둘째: 산과 하늘\r2026년 12월",
         Plain},
    };
    Write(edit, pieces, sizeof(pieces) / sizeof(pieces[0]));
    // The title centred, the two list lines bulleted, the date on the right.
    std::string all(edit.GetTextLength() + 1, '\0');
    ::GetWindowText(edit.m_hWnd, &all[0], (int)all.size());
    edit.SetSel(0, 0);
    edit.SetParagraphCenter();
    for (const char* line : {"첫째", "둘째"}) {
        long at = (long)all.find(line);
        edit.SetSel(at, at);
        edit.SetParagraphBulleted();
    }
    long date = (long)all.find("2026");
    edit.SetSel(date, date);
    edit.SetParagraphRight();

    long end = edit.GetTextLength();
    edit.SetSel(end, end);
    edit.SetFocus();
    TypeAtEnd(edit.m_hWnd, " 입력");
    frame.SetForegroundWindow();
    edit.SetFocus();
    Settle();
    Shoot("richedit-window");
    SaveSurface(frame.m_hWnd, "richedit-surface.ppm");
    edit.DestroyWindow();
    frame.DestroyWindow();
}

}  // namespace

int main()
{
    ShowScene();
    return 0;
}
