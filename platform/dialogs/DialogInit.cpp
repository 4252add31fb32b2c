// DLGINIT data: strings the framework puts into list boxes and combo boxes
// when a dialog starts.
#include "dialogs/DialogInternal.h"
#include "win32/controls.h"
#include "mivo/dialogs.h"

#include <cstring>

namespace mivo {

namespace {

// The message numbers the resource compiler of the 16-bit era wrote, and the
// framework's marker for extended combo boxes.
const WORD kOldListAddString = 0x0401;
const WORD kOldComboAddString = 0x0403;
const WORD kExtendedComboAddString = 0x1234;

UINT AddStringMessage(WORD message)
{
    switch (message) {
    case kOldListAddString:
    case LB_ADDSTRING:
        return LB_ADDSTRING;
    case kOldComboAddString:
    case CB_ADDSTRING:
    case kExtendedComboAddString:
        return CB_ADDSTRING;
    }
    return 0;
}

WORD ReadWord(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

DWORD ReadDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

}  // namespace

bool ApplyDialogInit(HWND hDlg, const void* data, size_t size)
{
    const BYTE* p = (const BYTE*)data;
    if (!p)
        return false;
    size_t pos = 0;
    for (;;) {
        if (pos + 2 > size)
            return false;
        WORD id = ReadWord(p + pos);
        if (id == 0)
            return true;
        if (pos + 8 > size)
            return false;
        WORD message = ReadWord(p + pos + 2);
        DWORD length = ReadDword(p + pos + 4);
        pos += 8;
        if (length > size - pos)
            return false;
        std::string text((const char*)p + pos, length);
        size_t end = text.find('\0');
        if (end != std::string::npos)
            text.resize(end);
        pos += length;
        UINT add = AddStringMessage(message);
        if (add)
            SendDlgItemMessage(hDlg, id, add, 0, (LPARAM)text.c_str());
    }
}

bool ExecuteDialogInit(HWND hDlg, HINSTANCE instance, LPCSTR templateName)
{
    if (!templateName)
        return true;
    HMODULE module = instance;
    HRSRC res = instance ? FindResource(instance, templateName, RT_DLGINIT) : nullptr;
    if (!res) {
        module = nullptr;
        res = FindResource(nullptr, templateName, RT_DLGINIT);
    }
    if (!res)
        return true;
    HGLOBAL block = LoadResource(module, res);
    const void* bytes = block ? LockResource(block) : nullptr;
    if (!bytes)
        return false;
    return ApplyDialogInit(hDlg, bytes, SizeofResource(module, res));
}

}  // namespace mivo
