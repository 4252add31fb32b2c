// Driving dialogs in tests: keys and text as a user types them, a message
// loop that gives the dialog its keyboard handling, and modal dialogs run
// step by step.
#pragma once

#include <win32.h>

#include <functional>
#include <string>
#include <vector>

namespace mivo::test {

// Input queued for a dialog's own loop to take (through IsDialogMessage),
// unlike InputSynth.h's, which runs it through a plain loop at once.
// A key pressed and released, for the focus of the foreground window.
void QueueKey(UINT vk);
// A key pressed while `modifier` (VK_SHIFT, VK_CONTROL, VK_MENU) is held.
void QueueKeyWith(UINT modifier, UINT vk);
// Text as typed: each CP949 character as WM_CHAR, double-byte ones as two.
void QueueText(const std::string& cp949);

// Runs the calling thread's messages through IsDialogMessage of `dialog`
// until the queue is empty, as a modeless dialog's message loop does.
void PumpDialog(HWND dialog);

// Runs a modal dialog; each time its loop goes idle the next step runs. A
// dialog still open after the last step ends with kScriptExhausted.
class ModalScript {
public:
    static const INT_PTR kScriptExhausted = -99;
    typedef std::function<void(HWND dialog)> Step;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The top-level window that owns the dialog (disabled while it runs).
    HWND Owner() const { return m_owner; }
    ModalScript& Then(Step step);
    INT_PTR Run(LPCDLGTEMPLATE dialogTemplate, DLGPROC proc, LPARAM param = 0);
    INT_PTR RunResource(HINSTANCE instance, LPCSTR name, DLGPROC proc, LPARAM param = 0);
    // Whether the owner was disabled while the first step ran.
    bool OwnerWasDisabled() const { return m_ownerDisabled; }

    void Idle(HWND dialog);

private:
    HWND m_owner = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_ownerDisabled = false;
    bool m_checkedOwner = false;
};

}  // namespace mivo::test
