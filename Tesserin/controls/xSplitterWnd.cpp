#include "controls/xSplitterWnd.h"

int CxSplitterWnd::BindWithControl(CWnd* parent, DWORD id)
{
    SplitterWndBase::BindWithControl(parent, id);
    SetMinWidth(10, 10);
    return 1;
}
