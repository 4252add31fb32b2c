// The editor view's operations: the worker that changes the picture, the
// commands that start it, and the eight-slot undo store.
//
// The worker never touches the picture on screen: it works on a copy made
// on the user-interface thread, or on a new picture made from that copy,
// and the done handler swaps the result in.
#include "editor/ImgEditView.h"

#include "editor/EditorShell.h"
#include "editor/OwnedSlot.h"
#include "image/ImageComposer.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <cmath>
#include <memory>
#include <utility>

namespace {

struct Kernel {
    int code;
    int values[25];
    int size;
    int divisor;
    int offset;
};

const Kernel kKernels[] = {
    {IOC_BLUR, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 3, 9, 0},
    {IOC_GAUSSIAN3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 3, 16, 0},
    {IOC_GAUSSIAN5, {0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0}, 5, 52, 0},
    {IOC_SOFTEN, {1, 1, 1, 1, 8, 1, 1, 1, 1}, 3, 16, 0},
    {IOC_SHARPEN, {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 3, 7, 0},
    {IOC_OUTLINE, {-1, -1, -1, -1, 8, -1, -1, -1, -1}, 3, -1, 255},
    {IOC_EMBOSS, {0, 0, -1, 0, 0, 0, 1, 0, 0}, 3, 0, 127},
};

const Kernel* FindKernel(int code)
{
    for (const Kernel& k : kKernels)
        if (k.code == code)
            return &k;
    return nullptr;
}

// Commands that run on the whole picture without a dialog.
struct WholeCommand {
    UINT id;
    int code;
    int rotation;  // P0 of the quarter turns
    bool rect;     // P0..P3 = the whole picture
};

const WholeCommand kWholeCommands[] = {
    {IDM_ED_EDGE_ENHANCE, IOC_EDGE_ENHANCE, 0, true},
    {IDM_ED_HIGHPASS, IOC_HIGHPASS, 0, true},
    {IDM_ED_MEDIAN, IOC_MEDIAN, 0, true},
    {IDM_ED_LOWPASS, IOC_LOWPASS, 0, true},
    {IDM_ED_BLUR, IOC_BLUR, 0, false},
    {IDM_ED_GAUSSIAN3, IOC_GAUSSIAN3, 0, false},
    {IDM_ED_GAUSSIAN5, IOC_GAUSSIAN5, 0, false},
    {IDM_ED_SOFTEN, IOC_SOFTEN, 0, false},
    {IDM_ED_SHARPEN, IOC_SHARPEN, 0, false},
    {IDM_ED_OUTLINE_MODE, IOC_OUTLINE, 0, false},
    {IDM_ED_EMBOSS, IOC_EMBOSS, 0, false},
    {IDM_ED_GRAY, IOC_GRAY, 0, true},
    {IDM_ED_NEGATIVE, IOC_NEGATIVE, 0, true},
    {IDM_ED_ROTATE_90, IOC_ROTATE, 90, false},
    {IDM_ED_ROTATE_180, IOC_ROTATE, 180, false},
    {IDM_ED_ROTATE_270, IOC_ROTATE, 270, false},
    {IDM_ED_FLIP_VERT, IOC_FLIP_VERT, 0, false},
    {IDM_ED_MIRROR, IOC_MIRROR, 0, false},
};

const WholeCommand* FindWholeCommand(UINT id)
{
    for (const WholeCommand& c : kWholeCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

CRect WholeRect(CImageObject* picture)
{
    return CRect(0, 0, picture->GetWidth() - 1, picture->GetHeight() - 1);
}

template <class T>
T* Param(INT_PTR word)
{
    return reinterpret_cast<T*>(word);
}

// Frees what a parameter word was handed and empties the word.
template <class T>
void FreeParam(INT_PTR& word)
{
    std::unique_ptr<T> owned(Param<T>(word));
    word = 0;
}

}  // namespace

// --- Starting and running ------------------------------------------------------

namespace {

// Whether the parameters describe something the library can make; a size
// below one pixel or a missing template would give no picture.
bool ParametersUsable(int code, const INT_PTR* p)
{
    switch (code) {
    case IOC_RESIZE:
        return p[0] >= 1 && p[1] >= 1;
    case IOC_CANVAS:
        return p[1] >= 1 && p[2] >= 1;
    case IOC_MASK:
        return p[0] != 0;
    case IOC_MARGIN_SHADOW:
        return p[1] >= 1 && p[2] >= 1;
    case IOC_FRAME:
        return p[0] != 0 && p[1] != 0 && p[2] >= 1;
    default:
        return true;
    }
}

}  // namespace

BOOL CImgEditView::StartImageOperation()
{
    if (IsBusy()) {
        ShowBusyMessage();
        return FALSE;
    }
    if (!HasImage() || !ParametersUsable(m_nOperation, m_anOpParam)) {
        // Nothing starts: what the dialog handed over goes as on Cancel.
        ReleaseOperationObjects();
        return FALSE;
    }
    m_pWork = m_pImage->DuplicateImgObj();
    if (!m_pWork)
        return FALSE;
    m_pWork->SetParent(this);
    m_bBusy = TRUE;
    if (!StartWorker(&CImgEditView::ImageOperationThread)) {
        m_bBusy = FALSE;
        DeletePicture(m_pWork);
        return FALSE;
    }
    return TRUE;
}

UINT CImgEditView::ImageOperationThread(LPVOID param)
{
    CImgEditView* view = static_cast<CImgEditView*>(param);
    CImageObject* result = view->RunOperation(view->m_nOperation, view->m_pWork);
    // The result is the copy changed in place, or a new picture made from it.
    if (result == view->m_pWork)
        view->m_pWork = nullptr;
    else
        view->DeletePicture(view->m_pWork);
    view->m_pResult = result;
    ::SendMessage(view->m_hWnd, WM_EDIT_OPERATION_DONE, 0, 0);
    return 0;
}

CImageObject* CImgEditView::RunOperation(int code, CImageObject* work)
{
    const INT_PTR* p = m_anOpParam;
    const CRect rect{int(p[0]), int(p[1]), int(p[2]), int(p[3])};
    if (const Kernel* k = FindKernel(code)) {
        CImageFilter(work).Filtering(const_cast<int*>(k->values), k->size, k->divisor, k->offset);
        return work;
    }
    switch (code) {
    case IOC_RESIZE: {
        CImageObject* resized = work->Resample(long(p[0]), long(p[1]), int(p[2]));
        if (resized)
            resized->SetParent(this);
        return resized;
    }
    case IOC_CANVAS: {
        CImageObject maker(this, nullptr);
        CImageObject* canvas = maker.MakeBlankImageObject(COLORREF(p[0]), int(p[1]), int(p[2]));
        if (canvas)
            canvas->ImageProjection(CRect(0, 0, int(p[3]) - 1, int(p[4]) - 1), work, int(p[5]), -1);
        return canvas;
    }
    case IOC_EDGE_ENHANCE:
        CImageFilter(work).EdgeEnhance(rect.left, rect.top, rect.right, rect.bottom);
        return work;
    case IOC_HIGHPASS:
        CImageFilter(work).HighpassFilter(rect.left, rect.top, rect.right, rect.bottom);
        return work;
    case IOC_MEDIAN:
        CImageFilter(work).MedianFilter(rect.left, rect.top, rect.right, rect.bottom);
        return work;
    case IOC_LOWPASS:
        CImageFilter(work).LowpassFilter(rect.left, rect.top, rect.right, rect.bottom, nullptr);
        return work;
    case IOC_THRESHOLD:
        CImageFilter(work).MonotoneThreshold(int(p[0]), COLORREF(p[1]), COLORREF(p[2]));
        return work;
    case IOC_COLOR_BALANCE:
        if (p[4] || p[5] || p[6])
            CImageFilter(work).ChangeRGBBalance(int(p[4]), int(p[5]), int(p[6]), rect);
        if (p[7])
            CImageFilter(work).ChangeBrightness(int(p[7]), rect);
        if (p[8])
            CImageFilter(work).ChangeContrast(int(p[8]), rect);
        return work;
    case IOC_GRAY:
        CImageFilter(work).MakeGray(rect);
        return work;
    case IOC_NEGATIVE:
        CImageFilter(work).NegativeColors(rect);
        return work;
    case IOC_ROTATE:
        work->Rotate(int(p[0]));
        return work;
    case IOC_ROTATE_ANGLE: {
        CImageObject* turned = work->RotateAngle(double(p[0]) * 0.001);
        if (turned)
            turned->SetParent(this);
        return turned;
    }
    case IOC_FLIP_VERT:
        work->InvertVert();
        return work;
    case IOC_MIRROR:
        work->ReverseHorz();
        return work;
    case IOC_MASK:
        CImageComposer(work).Mask(CRect(0, 0, work->GetWidth(), work->GetHeight()), Param<CImageObject>(p[0]),
                                  COLORREF(p[1]), int(p[2]), BOOL(p[3]));
        return work;
    case IOC_MARGIN_SHADOW:
        return MarginAndShadow(work);
    case IOC_FRAME: {
        CImageObject* framed =
            CImageComposer(work).MakeFrame(Param<CImageObject>(p[0]), Param<CImageObject>(p[1]), int(p[2]));
        if (framed)
            framed->SetParent(this);
        return framed;
    }
    default:
        return work;
    }
}

// Margins, pattern, border and shadow around the picture, reporting each
// step to the view.
CImageObject* CImgEditView::MarginAndShadow(CImageObject* work)
{
    const INT_PTR* p = m_anOpParam;
    const int m = int(p[6]);
    HWND hwnd = m_hWnd;
    CImageObject* framed = work->MakeBlankImageObject(COLORREF(p[0]), int(p[1]), int(p[2]));
    if (!framed)
        return nullptr;
    framed->SetParent(this);
    ::SendMessage(hwnd, WM_IMAGE_PROGRESS, 20, 0);
    if (p[3] && p[4]) {
        framed->FillPattern(CRect(0, 0, int(p[1]) - 1, int(p[2]) - 1), Param<CImageObject>(p[3]), int(p[5]));
        ::SendMessage(hwnd, WM_IMAGE_PROGRESS, 40, 0);
    }
    CRect inner(m, m, m + work->GetWidth() - 1, m + work->GetHeight() - 1);
    framed->ImageProjection(inner, work, 100, -1);
    ::SendMessage(hwnd, WM_IMAGE_PROGRESS, 60, 0);
    framed->DrawRect(inner, COLORREF(p[7]), 0, 0, 1, 0, 0);
    ::SendMessage(hwnd, WM_IMAGE_PROGRESS, 80, 0);
    framed->DropShadow(inner, COLORREF(p[8]), 40, int(p[10]), BOOL(p[9]));
    ::SendMessage(hwnd, WM_IMAGE_PROGRESS, 100, 0);
    ::SendMessage(hwnd, WM_IMAGE_DONE, 0, 0);
    return framed;
}

LRESULT CImgEditView::OnEditOperationDone(WPARAM, LPARAM)
{
    CImageObject* result = m_pResult;
    m_pResult = nullptr;
    BOOL resized = FALSE;
    if (result && result != m_pImage) {
        // A library that gave no picture leaves the old one in place.
        resized = result->GetWidth() != m_pImage->GetWidth() || result->GetHeight() != m_pImage->GetHeight();
        owned_slot::Replace(m_pImage, std::unique_ptr<CImageObject>(result));
    }
    if (m_nOperation == IOC_ROTATE_ANGLE || resized)
        ClearSelection();
    ReleaseOperationObjects();
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
    UpdateScrollSizes();
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
    MarkModified();
    UpdateSizeStatus();
    m_bBusy = FALSE;
    if (m_bRefitAfterOperation) {
        m_bRefitAfterOperation = FALSE;
        OnImageLoaded(0, 0);
    }
    return 0;
}

// The mask, margin and frame commands hand the worker their dialog (as a
// CDialog*) and the pictures it made; both end with the operation.
void CImgEditView::ReleaseOperationObjects()
{
    INT_PTR* p = m_anOpParam;
    auto dropPicture = FreeParam<CImageObject>;
    auto dropDialog = FreeParam<CDialog>;
    switch (m_nOperation) {
    case IOC_MASK:
        dropPicture(p[0]);
        dropDialog(p[4]);
        break;
    case IOC_MARGIN_SHADOW:
        dropPicture(p[3]);
        dropDialog(p[11]);
        break;
    case IOC_FRAME:
        dropPicture(p[0]);
        dropPicture(p[1]);
        dropDialog(p[3]);
        break;
    default:
        break;
    }
}

// --- Commands ------------------------------------------------------------------

void CImgEditView::PrepareOperation(int code, BOOL undoWhole)
{
    if (undoWhole)
        SaveUndo(CRect(-1, -1, -1, -1));
    m_nOperation = code;
    for (INT_PTR& p : m_anOpParam)
        p = 0;
}

void CImgEditView::OnWholeOperation(UINT id)
{
    const WholeCommand* command = FindWholeCommand(id);
    if (!command || !HasImage())
        return;
    if (m_nFloatMode && (command->code == IOC_ROTATE || command->code == IOC_FLIP_VERT || command->code == IOC_MIRROR)) {
        RunFloatingGeometry(id);
        return;
    }
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    PrepareOperation(command->code, TRUE);
    if (command->rect) {
        CRect whole = WholeRect(m_pImage);
        m_anOpParam[0] = whole.left;
        m_anOpParam[1] = whole.top;
        m_anOpParam[2] = whole.right;
        m_anOpParam[3] = whole.bottom;
    }
    if (command->code == IOC_ROTATE)
        m_anOpParam[0] = command->rotation;
    StartImageOperation();
}

void CImgEditView::OnUpdateWholeOperation(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && (!IsBusy() || m_nFloatMode));
}

void CImgEditView::RunSelectionOperation(int code)
{
    if (!HasImage() || !m_pTracker)
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    SaveUndo(m_rcSelection);
    m_nOperation = code;
    for (INT_PTR& p : m_anOpParam)
        p = 0;
    m_anOpParam[0] = m_rcSelection.left;
    m_anOpParam[1] = m_rcSelection.top;
    m_anOpParam[2] = m_rcSelection.right;
    m_anOpParam[3] = m_rcSelection.bottom;
    StartImageOperation();
}

void CImgEditView::OnSelectionOperation(UINT id)
{
    RunSelectionOperation(id == IDM_ED_SEL_GRAY ? IOC_GRAY : IOC_NEGATIVE);
}

void CImgEditView::OnUpdateSelectionCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && m_pTracker && !IsBusy());
}

void CImgEditView::RunFreeRotation(double angle, BOOL clockwise)
{
    if (!clockwise)
        angle = -angle;
    if (angle == 90) {
        OnWholeOperation(IDM_ED_ROTATE_90);
    } else if (std::fabs(angle) == 180) {
        OnWholeOperation(IDM_ED_ROTATE_180);
    } else if (angle == 270) {
        OnWholeOperation(IDM_ED_ROTATE_270);
    } else {
        if (IsBusy()) {
            ShowBusyMessage();
            return;
        }
        PrepareOperation(IOC_ROTATE_ANGLE, TRUE);
        m_anOpParam[0] = INT_PTR(int(angle * 1000));
        StartImageOperation();
    }
}

void CImgEditView::OnGeometry(UINT id)
{
    OnWholeOperation(id);
}

// --- Undo ---------------------------------------------------------------------------

// The depth in use: the settings may hold any number, the store has eight slots.
int CImgEditView::UndoDepth() const
{
    return m_nUndoLevel < 0 ? 0 : m_nUndoLevel > kUndoSlots ? int(kUndoSlots) : m_nUndoLevel;
}

void CImgEditView::SaveUndo(CRect rect)
{
    const int depth = UndoDepth();
    if (!HasImage() || depth <= 0)
        return;
    if (m_nUndoPos >= depth) {
        DeletePicture(m_apUndo[0]);
        for (int i = 1; i < kUndoSlots; ++i) {
            m_apUndo[i - 1] = m_apUndo[i];
            m_arcUndo[i - 1] = m_arcUndo[i];
        }
        m_apUndo[kUndoSlots - 1] = nullptr;
        m_arcUndo[kUndoSlots - 1].SetRect(-1, -1, -1, -1);
        m_nUndoPos = depth - 1;
    }
    for (int i = m_nUndoPos; i < kUndoSlots; ++i) {
        DeletePicture(m_apUndo[i]);
        m_arcUndo[i].SetRect(-1, -1, -1, -1);
    }
    CImageObject* copy;
    if (rect.right == rect.left || rect.bottom == rect.top) {
        copy = m_pImage->DuplicateImgObj();
        rect.SetRect(-1, -1, -1, -1);
    } else {
        copy = m_pImage->CropToNewImgObj(rect);
    }
    if (!copy)
        return;
    copy->SetParent(this);
    m_apUndo[m_nUndoPos] = copy;
    m_arcUndo[m_nUndoPos] = rect;
    ++m_nUndoPos;
}

// Exchanges the picture (or the slot's piece of it) with slot s: what the
// slot held goes on screen and what was shown goes into the slot.
void CImgEditView::RestoreUndoSlot(int s)
{
    CRect rect = m_arcUndo[s];
    if (rect.right == rect.left || rect.bottom == rect.top) {
        std::swap(m_pImage, m_apUndo[s]);
        m_pImage->SetParent(this);
        if (::IsWindow(m_hWnd))
            Invalidate(TRUE);
        return;
    }
    std::unique_ptr<CImageObject> keep(m_pImage->CropToNewImgObj(rect));
    if (!keep)
        return;
    keep->SetParent(this);
    m_pImage->ImageProjection(rect, m_apUndo[s], 100, -1);
    owned_slot::Replace(m_apUndo[s], std::move(keep));
    if (::IsWindow(m_hWnd)) {
        CRect area = ImageToClient(rect);
        area.InflateRect(2, 2, 1, 1);
        InvalidateRect(&area, FALSE);
    }
}

BOOL CImgEditView::CanUndo() const
{
    return HasImage() && !IsBusy() && m_nUndoPos > 0 && m_apUndo[m_nUndoPos - 1];
}

BOOL CImgEditView::CanRedo() const
{
    return HasImage() && !IsBusy() && m_nUndoPos < UndoDepth() && m_apUndo[m_nUndoPos];
}

void CImgEditView::AfterPictureChange()
{
    UpdateScrollSizes();
    UpdateSizeStatus();
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
    MarkModified();
}

void CImgEditView::Undo()
{
    if (!CanUndo())
        return;
    int s = m_nUndoPos - 1;
    m_nUndoPos = s;
    RestoreUndoSlot(s);
    AfterPictureChange();
}

void CImgEditView::Redo()
{
    if (!CanRedo())
        return;
    int s = m_nUndoPos;
    RestoreUndoSlot(s);
    m_nUndoPos = s + 1;
    AfterPictureChange();
}

void CImgEditView::ClearUndo()
{
    for (int i = 0; i < kUndoSlots; ++i) {
        DeletePicture(m_apUndo[i]);
        m_arcUndo[i].SetRect(-1, -1, -1, -1);
    }
    m_nUndoPos = 0;
}

void CImgEditView::OnUndo()
{
    Undo();
}

void CImgEditView::OnRedo()
{
    Redo();
}

void CImgEditView::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CImgEditView::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}
