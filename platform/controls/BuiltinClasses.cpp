// The table of built-in window classes.
#include "controls/BuiltinClasses.h"
#include "controls/ControlWindow.h"
#include "controls/ListBoxInternal.h"
#include "win32/commctrl.h"
#include "win32/commctrlbars.h"
#include "win32/controls.h"
#include "win32/cursors.h"
#include "win32/richedit.h"

namespace mivo {

namespace {

const UINT kRedrawOnSize = CS_HREDRAW | CS_VREDRAW;

const BuiltinClass* Rows(size_t* count)
{
    static const BuiltinClass rows[] = {
        {WC_BUTTON, CS_DBLCLKS | kRedrawOnSize, ButtonProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_STATIC, CS_DBLCLKS | kRedrawOnSize, StaticProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_EDIT, CS_DBLCLKS, EditProc, kControlWindowBytes, IDC_IBEAM, nullptr},
        {WC_LISTBOX, CS_DBLCLKS, ListBoxProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {kComboListClass, CS_DBLCLKS | CS_SAVEBITS, ListBoxProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_COMBOBOX, CS_DBLCLKS | kRedrawOnSize, ComboBoxProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_SCROLLBAR, CS_DBLCLKS | kRedrawOnSize, ScrollBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_HEADERA, CS_DBLCLKS, HeaderProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_LISTVIEWA, CS_DBLCLKS, ListViewProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_TREEVIEWA, CS_DBLCLKS, TreeViewProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {TOOLTIPS_CLASSA, CS_SAVEBITS, ToolTipProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {PROGRESS_CLASS, kRedrawOnSize, ProgressProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {TRACKBAR_CLASS, kRedrawOnSize, TrackBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {WC_TABCONTROL, CS_DBLCLKS | kRedrawOnSize, TabProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {MONTHCAL_CLASS, CS_DBLCLKS | kRedrawOnSize, MonthCalProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {STATUSCLASSNAME, CS_DBLCLKS | kRedrawOnSize, StatusBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {TOOLBARCLASSNAME, CS_DBLCLKS | kRedrawOnSize, ToolBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {REBARCLASSNAME, CS_DBLCLKS | kRedrawOnSize, ReBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
        {RICHEDIT_CLASS, CS_DBLCLKS, RichEditProc, kControlWindowBytes, IDC_IBEAM, nullptr},
    };
    *count = sizeof(rows) / sizeof(rows[0]);
    return rows;
}

void Register(const BuiltinClass& row)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = row.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = row.procedure;
    wc.cbWndExtra = row.windowBytes;
    wc.hCursor = LoadCursor(nullptr, row.cursor);
    wc.hbrBackground = row.brush;
    wc.lpszClassName = row.name;
    RegisterClassEx(&wc);
}

struct BuiltinClassRegistrar {
    BuiltinClassRegistrar() { RegisterBuiltinClasses(); }
};

BuiltinClassRegistrar registrar;

}  // namespace

void RegisterBuiltinClasses()
{
    size_t count = 0;
    const BuiltinClass* rows = Rows(&count);
    for (size_t i = 0; i < count; ++i)
        Register(rows[i]);
}

}  // namespace mivo
