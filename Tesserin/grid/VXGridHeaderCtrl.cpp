#include "grid/VXGridHeaderCtrl.h"
#include "grid/VXGridCtrl.h"

BOOL CVXGridHeaderCtrl::SetMinMax(int index, int minimum, int maximum)
{
    if (index < 0 || index >= (int)m_arrayEx.size())
        return FALSE;
    m_arrayEx[(size_t)index].iMinWidth = minimum;
    m_arrayEx[(size_t)index].iMaxWidth = maximum;
    return TRUE;
}

void CVXGridHeaderCtrl::ShowParentMenu(CPoint screenPoint)
{
    CVXGridCtrl* grid = dynamic_cast<CVXGridCtrl*>(GetParent());
    if (!grid)
        return;
    CPoint client = screenPoint;
    ScreenToClient(&client);
    HDHITTESTINFO hit = {};
    hit.pt = client;
    int index = HitTest(&hit);
    _NMRVHEADER record;
    if (grid->NotifyHdr(&record, RVN_HEADERRCLICK, index))
        return;
    grid->ShowHeaderPopupMenu(screenPoint);
}
