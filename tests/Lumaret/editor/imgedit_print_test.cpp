// The editor's print command: the printing dialog borrows the editor's picture with one
// empty path, reports the picture's progress while it runs, and hands it back.
#include "EditorFixture.h"

#include "print/DlgImgPrint.h"
#include "resource.h"

using editortest::EditorTest;
using editortest::MakePattern;

TEST_F(EditorTest, PrintLendsThePictureToThePrintingDialog)
{
    CImgEditView* view = OpenWith(MakePattern(40, 30));
    ASSERT_NE(nullptr, view);
    CImageObject* picture = view->m_pImage;
    bool lent = false, reportsToDialog = false;
    int paths = -1;
    mivo::test::ModalScript script;
    script.Then([&](HWND dialog) {
        CDlgImgPrint* dlg = dynamic_cast<CDlgImgPrint*>(CWnd::FromHandlePermanent(dialog));
        ASSERT_NE(nullptr, dlg);
        lent = dlg->m_pBorrowImg == picture;
        paths = (int)dlg->m_arrPaths.GetSize();
        reportsToDialog = picture->GetParent() == dlg && dlg->m_arrPaths[0].IsEmpty();
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    m_main->m_pScript = &script;
    view->SendMessage(WM_COMMAND, IDM_ED_PRINT);
    m_main->m_pScript = nullptr;
    EXPECT_TRUE(lent);
    EXPECT_EQ(1, paths);
    EXPECT_TRUE(reportsToDialog);
    EXPECT_EQ(view->m_pImage, picture);
    EXPECT_EQ(view, picture->GetParent());
}
