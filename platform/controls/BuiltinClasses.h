// The window classes the layer brings, registered in one place for every
// module (CS_GLOBALCLASS) when the layer loads.
#pragma once

#include "win32/user.h"

namespace mivo {

struct BuiltinClass {
    const char* name;
    UINT style;
    WNDPROC procedure;
    int windowBytes;
    LPCSTR cursor;  // a system cursor (IDC_*)
    HBRUSH brush;
};

// The procedures of the built-in classes, each defined in its control's source.
extern const WNDPROC ButtonProc;
extern const WNDPROC StaticProc;
extern const WNDPROC EditProc;
extern const WNDPROC ListBoxProc;
extern const WNDPROC ComboBoxProc;
extern const WNDPROC ScrollBarProc;
extern const WNDPROC HeaderProc;
extern const WNDPROC ListViewProc;
extern const WNDPROC TreeViewProc;
extern const WNDPROC ToolTipProc;
extern const WNDPROC ProgressProc;
extern const WNDPROC TrackBarProc;
extern const WNDPROC TabProc;
extern const WNDPROC MonthCalProc;
extern const WNDPROC StatusBarProc;
extern const WNDPROC ToolBarProc;
extern const WNDPROC ReBarProc;
extern const WNDPROC RichEditProc;

// Registers the classes of the table; those already registered stay as they are.
void RegisterBuiltinClasses();

}  // namespace mivo
