#include "win32/msgbox.h"

#include "win32/codepage.h"
#include "dialogs/MessageBoxPresenter.h"
#include "mivo/codepage.h"
#include "mivo/testing/msgbox.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex hookLock;
mivo::MessageBoxHook& hook()
{
    static mivo::MessageBoxHook current;
    return current;
}
mivo::MessageBoxPresenter presenter = nullptr;

}  // namespace

namespace mivo {

MessageBoxHook SetMessageBoxHook(MessageBoxHook next)
{
    std::lock_guard<std::mutex> guard(hookLock);
    MessageBoxHook previous = hook();
    hook() = std::move(next);
    return previous;
}

void SetMessageBoxPresenter(MessageBoxPresenter next)
{
    std::lock_guard<std::mutex> guard(hookLock);
    presenter = next;
}

int DefaultMessageBoxAnswer(UINT type)
{
    static const int buttons[][3] = {
        {IDOK, IDOK, IDOK},           {IDOK, IDCANCEL, IDCANCEL},  {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},      {IDYES, IDNO, IDNO},         {IDRETRY, IDCANCEL, IDCANCEL},
    };
    UINT kind = type & MB_TYPEMASK;
    UINT index = (type & MB_DEFMASK) >> 8;
    if (kind > 5)
        kind = 0;
    if (index > 2)
        index = 0;
    return buttons[kind][index];
}

}  // namespace mivo

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    const char* text = lpText ? lpText : "";
    const char* caption = lpCaption ? lpCaption : "오류";
    mivo::MessageBoxHook current;
    mivo::MessageBoxPresenter show;
    {
        std::lock_guard<std::mutex> guard(hookLock);
        current = hook();
        show = presenter;
    }
    if (current)
        return current(hWnd, text, caption, uType);
    if (show)
        return show(hWnd, text, caption, uType);
    std::fprintf(stderr, "[%s] %s\n", mivo::ToUtf8(caption).c_str(), mivo::ToUtf8(text).c_str());
    return mivo::DefaultMessageBoxAnswer(uType);
}

int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return MessageBoxA(hWnd, lpText, lpCaption, uType);
}

