// The framework's dialogs: modal and modeless CDialog, OnInitDialog and
// DLGINIT, data exchange of every supported type, validation, control classes.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "mivo/resources.h"
#include "mivo/testing/input.h"

#include <atomic>
#include <memory>
#include <thread>

using namespace mivo::test;

namespace {

const UINT kTemplate = 800;
enum {
    kInt = 101, kUInt = 102, kLong = 103, kFloat = 104, kDouble = 105, kText = 106,
    kCheck = 110, kRadio1 = 120, kRadio2 = 121, kRadio3 = 122,
    kMonth = 130, kSize = 131, kList = 140, kListIndex = 141, kScroll = 150, kMemo = 160,
};

// Registers the exchange dialog (and its DLGINIT) while it lives.
class ExchangeResources {
public:
    ExchangeResources()
    {
        const DWORD v = WS_VISIBLE;
        DialogTemplateBuilder b(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 260, 200, u"자료 교환");
        b.Font(9, u"굴림")
            .Item(ItemClass::Edit, u"", kInt, 5, 5, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kUInt, 70, 5, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kLong, 135, 5, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kFloat, 5, 20, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kDouble, 70, 20, 120, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kText, 5, 35, 185, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"확인함", kCheck, 5, 50, 60, 10, BS_AUTO3STATE | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"작게", kRadio1, 5, 62, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"보통", kRadio2, 50, 62, 40, 10, BS_AUTORADIOBUTTON | v)
            .Item(ItemClass::Button, u"크게", kRadio3, 95, 62, 40, 10, BS_AUTORADIOBUTTON | v)
            .Item(ItemClass::ComboBox, u"", kMonth, 5, 75, 60, 80,
                  CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP | v)
            .Item(ItemClass::ComboBox, u"", kSize, 70, 75, 60, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | v)
            .Item(ItemClass::ListBox, u"", kList, 5, 95, 60, 40, LBS_NOTIFY | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::ListBox, u"", kListIndex, 70, 95, 60, 40, LBS_NOTIFY | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::ScrollBar, u"", kScroll, 5, 140, 120, 10, SBS_HORZ | WS_TABSTOP | v)
            .Item(ItemClass::Edit, u"", kMemo, 135, 95, 100, 40, ES_MULTILINE | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"확인", IDOK, 140, 175, 50, 14, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"취소", IDCANCEL, 200, 175, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | v);
        m_dialog = b.Bytes();
        m_init = DialogInitData({{kMonth, "1"}, {kMonth, "2"}, {kMonth, "11"}, {kMonth, "12"},
                                 {kSize, "소"}, {kSize, "중"}, {kSize, "대"},
                                 {kList, "봄"}, {kList, "여름"}, {kList, "가을"}, {kList, "겨울"},
                                 {kListIndex, "하나"}, {kListIndex, "둘"}});
        // The list box entries use the 16-bit list message; the rest the combo one.
        for (size_t pos = 0; pos + 8 <= m_init.size();) {
            WORD id = (WORD)(m_init[pos] | (m_init[pos + 1] << 8));
            if (id == kList || id == kListIndex) {
                m_init[pos + 2] = 0x01;
                m_init[pos + 3] = 0x04;
            }
            DWORD len = m_init[pos + 4] | (m_init[pos + 5] << 8);
            pos += 8 + len;
        }
        m_entries[0] = {5, nullptr, kTemplate, nullptr, m_dialog.data(), (DWORD)m_dialog.size()};
        m_entries[1] = {240, nullptr, kTemplate, nullptr, m_init.data(), (DWORD)m_init.size()};
        m_table = {m_entries, 2};
        mivo::RegisterModuleResources("cdialog_test", &m_table, false);
    }
    ~ExchangeResources() { mivo::UnregisterModuleResources(&m_table); }

private:
    std::vector<BYTE> m_dialog, m_init;
    mivo::ResourceEntry m_entries[2];
    mivo::ResourceTable m_table;
};

class CExchangeDialog : public CDialog {
public:
    explicit CExchangeDialog(CWnd* parent) : CDialog(kTemplate, parent) {}

    int m_nInt = -42;
    UINT m_nUInt = 4000000000u;
    long m_nLong = 1234567;
    float m_fFloat = 1.5f;
    double m_dDouble = 3.14159265358979;
    CString m_strText = "처음 글";
    int m_nCheck = 2;
    int m_nRadio = 1;
    CString m_strMonth = "1";
    int m_nSize = 2;
    CString m_strSeason = "가을";
    int m_nListIndex = 1;
    int m_nScroll = 30;
    CEdit m_memo;
    int m_nMin = -1000;
    int m_nMax = 1000;
    bool m_initialized = false;
    std::function<void(CExchangeDialog&)> onInit;

    BOOL OnInitDialog() override
    {
        // The scroll bar needs a range before the exchange puts its position.
        ::SendDlgItemMessage(m_hWnd, kScroll, SBM_SETRANGE, 0, 100);
        CDialog::OnInitDialog();
        m_initialized = true;
        if (onInit)
            onInit(*this);
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, kInt, m_nInt);
        DDV_MinMaxInt(pDX, m_nInt, m_nMin, m_nMax);
        DDX_Text(pDX, kUInt, m_nUInt);
        DDX_Text(pDX, kLong, m_nLong);
        DDX_Text(pDX, kFloat, m_fFloat);
        DDX_Text(pDX, kDouble, m_dDouble);
        DDX_Text(pDX, kText, m_strText);
        DDV_MaxChars(pDX, m_strText, 20);
        DDX_Check(pDX, kCheck, m_nCheck);
        DDX_Radio(pDX, kRadio1, m_nRadio);
        DDX_CBString(pDX, kMonth, m_strMonth);
        DDX_CBIndex(pDX, kSize, m_nSize);
        DDX_LBString(pDX, kList, m_strSeason);
        DDX_LBIndex(pDX, kListIndex, m_nListIndex);
        DDX_Scroll(pDX, kScroll, m_nScroll);
        DDX_Control(pDX, kMemo, m_memo);
    }
};

std::string Text(HWND dlg, int id)
{
    char buf[256] = {};
    GetDlgItemText(dlg, id, buf, sizeof(buf));
    return buf;
}

}  // namespace

TEST(CDialogExchange, EveryTypeGoesToTheControlsAndBack)
{
    ExchangeResources resources;
    ModalScript script;
    CExchangeDialog dlg(CWnd::FromHandle(script.Owner()));
    script
        .Then([&](HWND h) {
            EXPECT_EQ(Text(h, kInt), "-42");
            EXPECT_EQ(Text(h, kUInt), "4000000000");
            EXPECT_EQ(Text(h, kLong), "1234567");
            EXPECT_EQ(Text(h, kFloat), "1.5");
            EXPECT_EQ(Text(h, kDouble), "3.14159265358979");
            EXPECT_EQ(Text(h, kText), "처음 글");
            EXPECT_EQ(IsDlgButtonChecked(h, kCheck), (UINT)BST_INDETERMINATE);
            EXPECT_EQ(IsDlgButtonChecked(h, kRadio2), 1u);
            EXPECT_EQ(Text(h, kMonth), "1") << "DLGINIT filled the combo; the exchange selected the text";
            EXPECT_EQ(SendDlgItemMessage(h, kSize, CB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(SendDlgItemMessage(h, kList, LB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(SendDlgItemMessage(h, kListIndex, LB_GETCURSEL, 0, 0), 1);
            EXPECT_EQ(SendDlgItemMessage(h, kScroll, SBM_GETPOS, 0, 0), 30);
            EXPECT_EQ(dlg.m_memo.GetSafeHwnd(), GetDlgItem(h, kMemo)) << "DDX_Control attached the member";
            EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(h, kMemo)), &dlg.m_memo);

            SetDlgItemText(h, kInt, "77");
            SetDlgItemText(h, kUInt, "12");
            SetDlgItemText(h, kLong, "-9");
            SetDlgItemText(h, kFloat, "0.25");
            SetDlgItemText(h, kDouble, "2.5e10");
            SetDlgItemText(h, kText, "바뀐 글");
            CheckDlgButton(h, kCheck, BST_CHECKED);
            CheckRadioButton(h, kRadio1, kRadio3, kRadio3);
            SendDlgItemMessage(h, kMonth, CB_SETCURSEL, 2, 0);
            SendDlgItemMessage(h, kSize, CB_SETCURSEL, 0, 0);
            SendDlgItemMessage(h, kList, LB_SETCURSEL, 3, 0);
            SendDlgItemMessage(h, kListIndex, LB_SETCURSEL, 0, 0);
            SendDlgItemMessage(h, kScroll, SBM_SETPOS, 55, TRUE);
            QueueKey(VK_RETURN);
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_initialized);
    EXPECT_EQ(dlg.m_nInt, 77);
    EXPECT_EQ(dlg.m_nUInt, 12u);
    EXPECT_EQ(dlg.m_nLong, -9);
    EXPECT_FLOAT_EQ(dlg.m_fFloat, 0.25f);
    EXPECT_DOUBLE_EQ(dlg.m_dDouble, 2.5e10);
    EXPECT_STREQ(dlg.m_strText, "바뀐 글");
    EXPECT_EQ(dlg.m_nCheck, BST_CHECKED);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_STREQ(dlg.m_strMonth, "11");
    EXPECT_EQ(dlg.m_nSize, 0);
    EXPECT_STREQ(dlg.m_strSeason, "겨울");
    EXPECT_EQ(dlg.m_nListIndex, 0);
    EXPECT_EQ(dlg.m_nScroll, 55);
    EXPECT_EQ(dlg.m_memo.GetSafeHwnd(), nullptr) << "the member lets go when the dialog goes";
}

TEST(CDialogExchange, NumbersReadLenientlyAndNothingIsWrittenTwice)
{
    ExchangeResources resources;
    ModalScript script;
    CExchangeDialog dlg(CWnd::FromHandle(script.Owner()));
    int changes = -1;
    script.Then([&](HWND h) {
        SetDlgItemText(h, kInt, "열둘");
        SetDlgItemText(h, kUInt, "-5");
        SetDlgItemText(h, kLong, "99999999999999999999999");
        SetDlgItemText(h, kFloat, "1e99");
        SetDlgItemText(h, kDouble, "2.5x");
        // Reading and writing back what the controls show changes none of them.
        std::string before = Text(h, kText);
        dlg.UpdateData(TRUE);
        HWND text = GetDlgItem(h, kText);
        SendMessage(text, EM_SETMODIFY, TRUE, 0);
        dlg.UpdateData(FALSE);
        changes = SendMessage(text, EM_GETMODIFY, 0, 0) ? 0 : 1;
        EXPECT_EQ(Text(h, kText), before);
        QueueKey(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nInt, 0) << "text that is no number reads as 0";
    EXPECT_EQ(dlg.m_nUInt, 0u);
    EXPECT_EQ(dlg.m_nLong, 0);
    EXPECT_EQ(dlg.m_fFloat, 0.0f) << "out of a float's range";
    EXPECT_EQ(dlg.m_dDouble, 0.0);
    EXPECT_EQ(changes, 0) << "an unchanged text is not set again";
}

TEST(CDialogExchange, ValidationKeepsTheDialogOpenAndFocusesTheField)
{
    ExchangeResources resources;
    mivotest::MessageBoxCapture boxes(IDOK);
    ModalScript script;
    CExchangeDialog dlg(CWnd::FromHandle(script.Owner()));
    dlg.m_nMax = 100;
    script
        .Then([&](HWND h) {
            SetDlgItemText(h, kInt, "500");
            QueueKey(VK_RETURN);
        })
        .Then([&](HWND h) {
            EXPECT_TRUE(IsWindowVisible(h)) << "a failed validation leaves the dialog open";
            ASSERT_EQ(boxes.shown().size(), 1u);
            EXPECT_EQ(boxes.shown()[0].text, "-1000에서 100 사이의 정수를 입력하십시오.");
            EXPECT_EQ(GetFocus(), GetDlgItem(h, kInt));
            DWORD s = 0, e = 0;
            SendDlgItemMessage(h, kInt, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
            EXPECT_EQ(s, 0u);
            EXPECT_EQ(e, 3u) << "the wrong text is selected for typing over";
            SetDlgItemText(h, kInt, "50");
            SetDlgItemText(h, kText, "스물한 자를 넘는 아주 긴 글입니다");
            QueueKey(VK_RETURN);
        })
        .Then([&](HWND h) {
            ASSERT_EQ(boxes.shown().size(), 2u);
            EXPECT_EQ(GetFocus(), GetDlgItem(h, kText));
            EXPECT_EQ(SendDlgItemMessage(h, kText, EM_GETLIMITTEXT, 0, 0), 20) << "DDV_MaxChars limits the edit";
            SetDlgItemText(h, kText, "짧은 글");
            QueueKey(VK_RETURN);
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nInt, 50);
    EXPECT_STREQ(dlg.m_strText, "짧은 글");
}

namespace {

class CPlainDialog : public CDialog {
public:
    CPlainDialog(UINT id, CWnd* parent) : CDialog(id, parent) {}
    std::function<BOOL(CPlainDialog&)> init;
    int changes = 0;
    int commands = 0;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        return init ? init(*this) : TRUE;
    }
    void OnNameChange() { ++changes; }
    void OnApply() { ++commands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainDialog, CDialog)
    ON_EN_CHANGE(11, OnNameChange)
    ON_BN_CLICKED(12, OnApply)
END_MESSAGE_MAP()

class PlainResources {
public:
    explicit PlainResources(UINT id, short x = 0, short y = 0)
    {
        const DWORD v = WS_VISIBLE;
        DialogTemplateBuilder b(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, 160, 80, u"간단한 대화상자");
        b.Font(9, u"돋움")
            .Item(ItemClass::Edit, u"", 11, 5, 5, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"적용", 12, 5, 25, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"확인", IDOK, 50, 60, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | v)
            .Item(ItemClass::Button, u"취소", IDCANCEL, 105, 60, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | v);
        m_bytes = b.Bytes();
        m_entry = {5, nullptr, (WORD)id, nullptr, m_bytes.data(), (DWORD)m_bytes.size()};
        m_table = {&m_entry, 1};
        mivo::RegisterModuleResources("cdialog_plain_test", &m_table, false);
    }
    ~PlainResources() { mivo::UnregisterModuleResources(&m_table); }

private:
    std::vector<BYTE> m_bytes;
    mivo::ResourceEntry m_entry;
    mivo::ResourceTable m_table;
};

// An application object whose main window is `main` while it lives.
class TestApp {
public:
    explicit TestApp(HWND main) : m_app("대화상자 시험")
    {
        m_main.Attach(main);
        m_app.m_pMainWnd = &m_main;
    }
    ~TestApp()
    {
        m_app.m_pMainWnd = nullptr;
        m_main.Detach();
    }

private:
    CWinApp m_app;
    CWnd m_main;
};

}  // namespace

TEST(CDialogModal, RunsInTheApplicationLoopWithMessageMapAndCentring)
{
    PlainResources resources(810);
    ModalScript script;
    TestApp app(script.Owner());
    CPlainDialog dlg(810, CWnd::FromHandle(script.Owner()));
    RECT ownerRect;
    GetWindowRect(script.Owner(), &ownerRect);
    script
        .Then([&](HWND h) {
            RECT r;
            GetWindowRect(h, &r);
            EXPECT_NEAR((r.left + r.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1)
                << "a template at 0,0 is centred on its owner";
            EXPECT_NEAR((r.top + r.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);
            EXPECT_EQ(GetFocus(), GetDlgItem(h, 11));
            QueueText("이름");
        })
        .Then([&](HWND) {
            EXPECT_EQ(dlg.changes, 2) << "ON_EN_CHANGE: one change per typed character";
            QueueKey(VK_TAB);
        })
        .Then([&](HWND) { QueueKey(VK_SPACE); })
        .Then([&](HWND h) {
            EXPECT_EQ(dlg.commands, 1) << "Tab reached the button, Space clicked it";
            EXPECT_EQ(GetFocus(), GetDlgItem(h, 12));
            dlg.GotoDlgCtrl(dlg.GetDlgItem(11));
            EXPECT_EQ(GetFocus(), GetDlgItem(h, 11));
            dlg.SetDefID(12);
            EXPECT_EQ(LOWORD(dlg.GetDefID()), 12);
            dlg.NextDlgCtrl();
            EXPECT_EQ(GetFocus(), GetDlgItem(h, 12));
            dlg.PrevDlgCtrl();
            QueueKey(VK_ESCAPE);
        });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(IsWindow(dlg.GetSafeHwnd()));
    EXPECT_TRUE(IsWindowEnabled(script.Owner()));
}

TEST(CDialogModal, EndDialogDuringInitialisationReturnsAtOnce)
{
    PlainResources resources(811, 20, 20);
    ModalScript script;
    TestApp app(script.Owner());
    CPlainDialog dlg(811, CWnd::FromHandle(script.Owner()));
    dlg.init = [](CPlainDialog& d) {
        d.EndDialog(33);
        return TRUE;
    };
    EXPECT_EQ(dlg.DoModal(), 33);
    EXPECT_TRUE(IsWindowEnabled(script.Owner()));
}

namespace {

class CNameDialog : public CPlainDialog {
public:
    using CPlainDialog::CPlainDialog;
    CString m_name;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 11, m_name); }
};

}  // namespace

TEST(CDialogModal, DataExchangeSilencesControlNotifications)
{
    PlainResources resources(812);
    ModalScript script;
    CNameDialog dlg(812, CWnd::FromHandle(script.Owner()));
    script.Then([&](HWND h) {
        int before = dlg.changes;
        dlg.m_name = "새 값";
        dlg.UpdateData(FALSE);
        EXPECT_EQ(Text(h, 11), "새 값");
        EXPECT_EQ(dlg.changes, before) << "the change data exchange made is not handled";
        SetDlgItemText(h, 11, "사용자 입력");
        EXPECT_EQ(dlg.changes, before + 1) << "outside data exchange it is";
        EndDialog(h, IDOK);
    });
    dlg.DoModal();
}

TEST(CDialogModeless, CreateShowsAndTheApplicationPumpNavigates)
{
    PlainResources resources(813, 30, 30);
    HWND mainWindow = CreateWindow("Static", "주 창", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    TestApp app(mainWindow);
    CPlainDialog dlg(813, nullptr);
    ASSERT_TRUE(dlg.Create(813));
    dlg.ShowWindow(SW_SHOW);
    auto pump = [] {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
    };
    pump();
    EXPECT_EQ(GetFocus(), dlg.GetDlgItem(11)->GetSafeHwnd());
    QueueKey(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), dlg.GetDlgItem(12)->GetSafeHwnd()) << "PreTranslateMessage gives the dialog its keys";
    QueueKey(VK_ESCAPE);
    pump();
    EXPECT_FALSE(dlg.IsWindowVisible()) << "Cancel ends a modeless dialog by hiding it";
    EXPECT_TRUE(dlg.DestroyWindow());
    DestroyWindow(mainWindow);
}

namespace {

class COwnerDrawButton : public CButton {
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT dis) override { states.push_back(dis->itemState); }
};

class CDrawDialog : public CPlainDialog {
public:
    using CPlainDialog::CPlainDialog;
    COwnerDrawButton m_button;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 12, m_button); }
};

}  // namespace

TEST(CDialogControls, OwnerDrawnButtonDrawsItselfThroughReflection)
{
    PlainResources resources(814);
    ModalScript script;
    CDrawDialog dlg(814, CWnd::FromHandle(script.Owner()));
    script.Then([&](HWND h) {
        HWND b = GetDlgItem(h, 12);
        dlg.m_button.SetButtonStyle(BS_OWNERDRAW);
        InvalidateRect(b, nullptr, TRUE);
        UpdateWindow(b);
        ASSERT_FALSE(dlg.m_button.states.empty()) << "WM_DRAWITEM came back to the button's own class";
        SendMessage(b, BM_SETSTATE, TRUE, 0);
        EXPECT_TRUE(dlg.m_button.states.back() & ODS_SELECTED);
        EndDialog(h, IDOK);
    });
    dlg.DoModal();
}

TEST(CDialogControls, ControlClassesWrapTheirMessages)
{
    mivo::test::MessageRecorder recorder;
    HWND parentHwnd = CreateTestWindow("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300);
    CWnd* parent = CWnd::FromHandle(parentHwnd);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL | ES_MULTILINE, CRect(5, 5, 200, 60), parent, 1));
    edit.SetWindowText("첫 줄\r\n둘째");
    EXPECT_EQ(edit.GetLineCount(), 2);
    char line[16];
    EXPECT_EQ(edit.GetLine(1, line, sizeof(line)), 4);
    edit.SetSel(0, 2);
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 2);
    edit.ReplaceSel("새", TRUE);
    EXPECT_TRUE(edit.CanUndo());

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS, CRect(5, 70, 150, 200), parent, 2));
    combo.AddString("나");
    combo.AddString("가");
    CString item;
    combo.GetLBText(0, item);
    EXPECT_STREQ(item, "가");
    EXPECT_EQ(combo.SelectString(-1, "나"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);

    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY | LBS_EXTENDEDSEL, CRect(160, 5, 300, 100), parent, 3));
    for (const char* t : {"a", "b", "c"})
        list.AddString(t);
    list.SelItemRange(TRUE, 0, 1);
    EXPECT_EQ(list.GetSelCount(), 2);
    list.SetItemDataPtr(2, &item);
    EXPECT_EQ(list.GetItemDataPtr(2), &item);

    CButton check;
    ASSERT_TRUE(check.Create("선택", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 210, 100, 230), parent, 4));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_HORZ, CRect(160, 120, 300, 136), parent, 5));
    bar.SetScrollRange(0, 50, FALSE);
    bar.SetScrollPos(60);
    EXPECT_EQ(bar.GetScrollPos(), 50);
    EXPECT_EQ(bar.GetScrollLimit(), 50);

    CStatic label;
    ASSERT_TRUE(label.Create("라벨", WS_VISIBLE | SS_LEFT, CRect(160, 140, 300, 160), parent));
    EXPECT_EQ(label.GetDlgCtrlID(), 0xffff);
    DestroyWindow(parentHwnd);
}

TEST(CDialogControls, DragListBoxMovesAnItem)
{
    mivo::test::MessageRecorder recorder;
    HWND parentHwnd = CreateTestWindow("drag", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 300);
    SetForegroundWindow(parentHwnd);
    CDragListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, CRect(40, 10, 200, 200),
                            CWnd::FromHandle(parentHwnd), 7));
    for (const char* t : {"첫째", "둘째", "셋째", "넷째"})
        list.AddString(t);
    list.SetItemData(0, 100);
    RECT first, fourth;
    list.GetItemRect(0, &first);
    list.GetItemRect(3, &fourth);
    POINT from{first.left + 10, (first.top + first.bottom) / 2};
    POINT to{fourth.left + 10, fourth.top + 1};
    ClientToScreen(list.GetSafeHwnd(), &from);
    ClientToScreen(list.GetSafeHwnd(), &to);
    mivo::InjectMouseMove(from);
    mivo::InjectMouseButton(from, mivo::MouseButton::Left, true);
    PumpUntilIdle();
    mivo::InjectMouseMove(to);
    PumpUntilIdle();
    EXPECT_EQ(list.GetDragItem(), 3) << "the insertion mark follows the mouse";
    mivo::InjectMouseButton(to, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    CString text;
    std::vector<std::string> order;
    for (int i = 0; i < list.GetCount(); ++i) {
        list.GetText(i, text);
        order.push_back((const char*)text);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"둘째", "셋째", "첫째", "넷째"}));
    EXPECT_EQ(list.GetItemData(2), 100u) << "the item keeps its data";
    EXPECT_EQ(list.GetCurSel(), 2);
    UINT dragMessage = RegisterWindowMessage(DRAGLISTMSGSTRING);
    EXPECT_EQ(recorder.Count(parentHwnd, dragMessage), 0) << "the class took its own notifications";
    list.DestroyWindow();
    DestroyWindow(parentHwnd);
}

TEST(CDialogMessageBox, AfxMessageBoxFromAWorkerUsesTheHookAndTheApplicationName)
{
    CWinApp app("앨범 관리자");
    mivotest::MessageBoxCapture boxes(IDYES);
    int answer = 0;
    std::thread worker([&] { answer = AfxMessageBox("계속할까요?", MB_YESNO | MB_ICONQUESTION); });
    worker.join();
    EXPECT_EQ(answer, IDYES);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "앨범 관리자");
}

TEST(CDialogModal, BegunOnAWorkerWithoutWindowsItRunsOnTheInterfaceThreadWhileTheWorkerWaits)
{
    PlainResources resources(814);
    ModalScript script;
    TestApp app(script.Owner());
    CPlainDialog dlg(814, nullptr);
    std::atomic<bool> returned{false};
    DWORD shownOn = 0;
    bool ownerDisabled = false;
    script.Then([&](HWND h) {
        shownOn = GetWindowThreadProcessId(h, nullptr);
        ownerDisabled = !IsWindowEnabled(script.Owner());
        EXPECT_FALSE(returned) << "the worker waits for the answer";
        EndDialog(h, 44);
    });
    INT_PTR result = 0;
    std::thread worker([&] {
        result = dlg.DoModal();
        returned = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(result, 44);
    EXPECT_EQ(shownOn, GetCurrentThreadId());
    EXPECT_TRUE(ownerDisabled) << "modal to the main window, as a message box is";
    EXPECT_TRUE(IsWindowEnabled(script.Owner()));
}
