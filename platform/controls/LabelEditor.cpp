// In-place label editing.
#include "controls/LabelEditor.h"

namespace mivo {

namespace {

const char kEditorProp[] = "MivoLabelEditor";

}  // namespace

HWND LabelEditor::Start(HWND owner, const RECT& rc, const std::string& text, HFONT font, Finish finish)
{
    Destroy();
    edit_ = CreateWindowEx(0, WC_EDIT, text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, rc.left, rc.top,
                           rc.right - rc.left, rc.bottom - rc.top, owner, nullptr, nullptr, nullptr);
    if (!edit_)
        return nullptr;
    finish_ = std::move(finish);
    SetProp(edit_, kEditorProp, (HANDLE)this);
    oldProc_ = (WNDPROC)SetWindowLongPtr(edit_, GWLP_WNDPROC, (LONG_PTR)EditProc);
    SendMessage(edit_, WM_SETFONT, (WPARAM)font, 0);
    SendMessage(edit_, EM_SETSEL, 0, -1);
    ShowWindow(edit_, SW_SHOW);
    SetFocus(edit_);
    return edit_;
}

bool LabelEditor::End(bool cancel)
{
    if (!edit_ || ending_)
        return false;
    ending_ = true;
    std::string text = ControlText(edit_);
    Finish finish;
    finish.swap(finish_);
    HWND edit = edit_;
    if (finish)
        finish(cancel ? nullptr : text.c_str());
    if (edit_ == edit)
        Destroy();
    ending_ = false;
    return true;
}

void LabelEditor::Destroy()
{
    HWND edit = edit_;
    edit_ = nullptr;
    finish_ = nullptr;
    if (edit && IsWindow(edit)) {
        RemoveProp(edit, kEditorProp);
        SetWindowLongPtr(edit, GWLP_WNDPROC, (LONG_PTR)oldProc_);
        DestroyWindow(edit);
    }
}

LRESULT CALLBACK LabelEditor::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = (LabelEditor*)GetProp(hwnd, kEditorProp);
    if (!self)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    WNDPROC old = self->oldProc_;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | CallWindowProc(old, hwnd, msg, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            HWND owner = GetParent(hwnd);
            self->End(wParam == VK_ESCAPE);
            if (owner && IsWindow(owner))
                SetFocus(owner);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27)
            return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT r = CallWindowProc(old, hwnd, msg, wParam, lParam);
        self->End(false);
        return r;
    }
    }
    return CallWindowProc(old, hwnd, msg, wParam, lParam);
}

}  // namespace mivo
