// A framework application whose main window is the owner a modal script drives, so the
// library's dialogs, made without a parent, run under the script.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "support/DialogDriver.h"
#include "support/MessageLoop.h"

#include <string>

struct ScriptedOwner {
    mivo::test::ModalScript script;
    CWnd owner;

    explicit ScriptedOwner(CWinApp& app)
    {
        owner.Attach(script.Owner());
        app.m_pMainWnd = &owner;
        m_app = &app;
    }
    ~ScriptedOwner()
    {
        m_app->m_pMainWnd = nullptr;
        owner.Detach();
        mivo::test::PumpUntilIdle();
    }
    ScriptedOwner(const ScriptedOwner&) = delete;
    ScriptedOwner& operator=(const ScriptedOwner&) = delete;

private:
    CWinApp* m_app = nullptr;
};

inline std::string WindowTextOf(HWND wnd)
{
    char text[512] = {};
    ::GetWindowText(wnd, text, sizeof(text));
    return text;
}
