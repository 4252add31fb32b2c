#include "support/DialogDriver.h"
#include "mivo/testing/input.h"

namespace mivo::test {

namespace {

const char kOwnerClass[] = "MivoTestDialogOwner";

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
        auto* script = (ModalScript*)GetWindowLongPtr(hwnd, GWLP_USERDATA);
        if (script)
            script->Idle((HWND)lParam);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterOwnerClass()
{
    static bool done = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = kOwnerClass;
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        RegisterClass(&wc);
        return true;
    }();
    (void)done;
}

}  // namespace

void QueueKey(UINT vk)
{
    mivo::InjectKey(vk, true);
    mivo::InjectKey(vk, false);
}

void QueueKeyWith(UINT modifier, UINT vk)
{
    mivo::InjectKey(modifier, true);
    QueueKey(vk);
    mivo::InjectKey(modifier, false);
}

void QueueText(const std::string& cp949)
{
    mivo::InjectText(cp949);
}

void PumpDialog(HWND dialog)
{
    MSG msg;
    int guard = 0;
    while (guard++ < 100000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!IsWindow(dialog) || !IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

ModalScript::ModalScript()
{
    RegisterOwnerClass();
    m_owner = CreateWindow(kOwnerClass, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640, 480, nullptr,
                           nullptr, nullptr, nullptr);
    SetWindowLongPtr(m_owner, GWLP_USERDATA, (LONG_PTR)this);
}

ModalScript::~ModalScript()
{
    if (IsWindow(m_owner)) {
        SetWindowLongPtr(m_owner, GWLP_USERDATA, 0);
        DestroyWindow(m_owner);
    }
}

ModalScript& ModalScript::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

void ModalScript::Idle(HWND dialog)
{
    if (!m_checkedOwner) {
        m_checkedOwner = true;
        m_ownerDisabled = !IsWindowEnabled(m_owner);
    }
    if (m_next < m_steps.size()) {
        Step step = m_steps[m_next++];
        step(dialog);
        // Something for the loop to look at, so the next idle comes after this step's messages.
        PostMessage(dialog, WM_NULL, 0, 0);
        return;
    }
    EndDialog(dialog, kScriptExhausted);
}

INT_PTR ModalScript::Run(LPCDLGTEMPLATE dialogTemplate, DLGPROC proc, LPARAM param)
{
    m_next = 0;
    return DialogBoxIndirectParam(nullptr, dialogTemplate, m_owner, proc, param);
}

INT_PTR ModalScript::RunResource(HINSTANCE instance, LPCSTR name, DLGPROC proc, LPARAM param)
{
    m_next = 0;
    return DialogBoxParam(instance, name, m_owner, proc, param);
}

}  // namespace mivo::test
