// The message-map call of an update handler.
#pragma once

#include "mfc/CmdUI.h"
#include "mivo/messagemap.h"

namespace mivo {

template <auto F>
BOOL Call_UpdateUI(MsgCall& c)
{
    auto* ui = (CCmdUI*)c.extra;
    ui->m_bContinueRouting = FALSE;
    (Self<F>(c)->*F)(ui);
    return ui->m_bContinueRouting ? FALSE : TRUE;
}

}  // namespace mivo
