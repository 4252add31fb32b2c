// The common dialogs' shared pieces and CommDlgExtendedError.
#include "dialogs/CommonDialogs.h"
#include "win32/commdlg.h"
#include "win32/resources.h"
#include "win32/user.h"

#include <vector>

namespace mivo {

namespace {

thread_local DWORD t_lastError = 0;

const int kStringLimit = 1024;

}  // namespace

void SetCommonDialogError(DWORD code)
{
    t_lastError = code;
}

std::string PlatformString(UINT id)
{
    char buffer[kStringLimit];
    int n = LoadString(nullptr, id, buffer, (int)sizeof(buffer));
    return n > 0 ? std::string(buffer, (size_t)n) : std::string();
}

INT_PTR RunPlatformDialog(UINT templateId, HWND owner, DLGPROC proc, LPARAM param)
{
    return DialogBoxParam(nullptr, MAKEINTRESOURCE(templateId), owner, proc, param);
}

RECT DialogUnitsRect(HWND hDlg, int x, int y, int cx, int cy)
{
    RECT r = {x, y, x + cx, y + cy};
    MapDialogRect(hDlg, &r);
    return r;
}

std::string ItemText(HWND hDlg, int id)
{
    HWND item = GetDlgItem(hDlg, id);
    int length = item ? GetWindowTextLength(item) : 0;
    if (length <= 0)
        return std::string();
    std::vector<char> text((size_t)length + 1);
    int n = GetWindowText(item, text.data(), length + 1);
    return std::string(text.data(), (size_t)(n > 0 ? n : 0));
}

}  // namespace mivo

DWORD CommDlgExtendedError()
{
    return mivo::t_lastError;
}
